// Rewrites a pattern of the Windows scripting engine's dialect (ECMAScript 3
// as VBScript.RegExp reads it) into PCRE2 syntax with the same meaning, so
// that PCRE2 finds what the Windows engine finds.
//
// The output is meant for PCRE2's 16-bit library without UTF (one code unit
// is one character, as in ECMAScript) and with PCRE2_NEVER_UCP, so that \d,
// \s, \w and \b keep their ASCII meanings and ignore case (PCRE2_CASELESS,
// which the caller adds) folds ASCII letters only. It needs no other option:
// every literal is written as \x{...} or a letter or digit, the dot and the
// anchors are written out as classes and assertions, and backreferences as
// \g{n}.
#ifndef TARVOLO_PATTERN_ECMASCRIPT_TO_PCRE2_H_
#define TARVOLO_PATTERN_ECMASCRIPT_TO_PCRE2_H_

#include <string>

namespace tarvolo {

// Deepest nesting of groups that is translated; deeper patterns are rejected
// (PCRE2 refuses them as well).
constexpr int kMaxGroupNesting = 200;

// Writes the PCRE2 form of `pattern` to `out` and returns true, or returns
// false for a pattern that VBScript.RegExp rejects with a syntax error
// (unbalanced parentheses, an unterminated class, a range out of order, a
// quantifier with nothing to repeat, lookbehind, named groups, inline flags,
// atomic groups, possessive quantifiers, a trailing backslash, ...).
// `multiline` decides whether ^ and $ also match at line breaks.
bool translate_ecmascript_to_pcre2(const std::u16string& pattern, bool multiline,
                                   std::u16string* out);

}  // namespace tarvolo

#endif  // TARVOLO_PATTERN_ECMASCRIPT_TO_PCRE2_H_
