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

#include <cstddef>
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
//
// When `first_match` is given, it also receives the form of the pattern that
// a search for the first match only needs (see FirstMatchForm).
struct FirstMatchForm;
bool translate_ecmascript_to_pcre2(const std::u16string& pattern, bool multiline,
                                   std::u16string* out, FirstMatchForm* first_match = nullptr);

// Whether a pattern matches somewhere in a text does not change when a run
// of dots (".*" or ".*?": an unescaped dot outside a class, repeated by '*'
// with or without the lazy '?') is taken off the start or the end of one of
// its top-level alternatives: such a run can always match the empty text,
// and it holds no group, so no group number moves. Keyword screening wraps
// every keyword in ".*?", and a pattern that starts with a run of dots
// (written out as a class of everything but line breaks) makes PCRE2 try
// every start position with every length, which is quadratic in the length
// of a text that does not match; without the run PCRE2 looks for the first
// character directly.
struct FirstMatchForm {
  // The PCRE2 form of the pattern without those runs of dots.
  std::u16string pattern;
  // True when what remains is one alternative of plain characters, none of
  // them repeated or grouped; `literal` then holds those characters (none
  // for a pattern made only of runs of dots, which matches everywhere).
  bool is_literal = false;
  std::u16string literal;
  // When every match of `pattern` is at least one character long and starts
  // with one of a few known characters: those characters (at most
  // kMaxFirstCharacters, perhaps repeated), so that a search may try only
  // the positions where one of them stands. Letters are listed as written;
  // under ignore case their other case starts a match too.
  bool first_characters_known = false;
  std::u16string first_characters;
  // When also every match is at least two characters long and its second
  // character is one of a few known ones: those (same form as above).
  bool second_characters_known = false;
  std::u16string second_characters;
};

constexpr std::size_t kMaxFirstCharacters = 8;

}  // namespace tarvolo

#endif  // TARVOLO_PATTERN_ECMASCRIPT_TO_PCRE2_H_
