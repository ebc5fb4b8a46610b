// A pattern of the Windows dialect compiled for PCRE2 (16-bit library, no
// UTF), and its bounded matching. Works on UTF-16 texts; the pattern object
// converts from code page 936 and keeps programs in its cache.
#ifndef TARVOLO_PATTERN_PCRE2_PROGRAM_H_
#define TARVOLO_PATTERN_PCRE2_PROGRAM_H_

#include <cstddef>
#include <mutex>
#include <string>

struct pcre2_real_code_16;

namespace tarvolo {

class SubjectIndex;

class Pcre2Program {
 public:
  enum class Status {
    kCompiled,
    kRejected,       // VBScript.RegExp rejects the pattern
    kPcre2Refused,   // translated, but PCRE2 refused it (nesting, size)
  };

  // Translates and compiles. With `jit`, also JIT-compiles when the JIT is
  // available: that pays off for a program that is kept and run again, not
  // for one that runs once (the interpreter runs the same program).
  Pcre2Program(const std::u16string& pattern, bool ignore_case, bool multiline,
               bool jit = true);
  ~Pcre2Program();
  Pcre2Program(const Pcre2Program&) = delete;
  Pcre2Program& operator=(const Pcre2Program&) = delete;

  Status status() const { return status_; }
  // PCRE2's error code when PCRE2 refused the translation, else 0.
  int pcre2_error() const { return pcre2_error_; }

  // The number of matches in `subject`: the first one only, or all of them
  // left to right without overlap, the next search starting one character
  // further on after an empty match. Each search is bounded (match limit,
  // heap limit, JIT stack); one that reaches a bound ends the count with the
  // matches found before it. 0 when the program did not compile. Safe to
  // call from several threads at once.
  //
  // With global off the question is only whether the pattern matches
  // anywhere, which is answered from the pattern's first-match form
  // (FirstMatchForm in ecmascript_to_pcre2.h): by a plain text search when
  // the form is plain text, else by PCRE2 searching with the form. Over an
  // indexed subject, a kept (JIT-compiled) program whose matches all start
  // with one of a few known characters first tries the form anchored at the
  // few positions where one of them stands, within the same bounds as one
  // search; with too many such positions, or when an attempt reaches its
  // bounds, the search with the form decides.
  int count_matches(const std::u16string& subject, bool global) const;
  // The same over an indexed subject, whose index answers plain text.
  int count_matches(const SubjectIndex& subject, bool global) const;

  // The same count from the whole translated pattern alone, without the
  // first-match form: what count_matches must always agree with.
  int count_matches_of_whole_pattern(const std::u16string& subject, bool global) const;

 private:
  enum class FirstMatch { kWholePattern, kPlainText, kShortenedPattern };

  int first_match_by_form(const std::u16string& subject) const;
  void whole_pattern_ready() const;

  pcre2_real_code_16* code_ = nullptr;
  Status status_ = Status::kRejected;
  int pcre2_error_ = 0;
  bool ignore_case_ = false;
  bool jit_whole_pattern_ = false;
  mutable std::once_flag whole_pattern_jit_;
  mutable bool whole_jitted_ = false;  // set once, under whole_pattern_jit_
  bool shortened_jitted_ = false;
  bool anchored_jitted_ = false;
  // How a search for the first match is answered.
  FirstMatch first_match_ = FirstMatch::kWholePattern;
  pcre2_real_code_16* shortened_code_ = nullptr;  // kShortenedPattern: the form
  // The form matching only at its start offset, and the characters (with
  // A-Z lowered, each once) that every match starts with; kept programs only.
  pcre2_real_code_16* anchored_code_ = nullptr;
  std::u16string first_characters_;
  // The characters that every match has second, when known (same form).
  bool second_characters_known_ = false;
  std::u16string second_characters_;
  std::size_t max_anchored_attempts_ = 0;  // more positions: the search decides
  std::u16string word_;                           // kPlainText
  std::u16string folded_word_;                    // kPlainText, ASCII letters lowered
};

}  // namespace tarvolo

#endif  // TARVOLO_PATTERN_PCRE2_PROGRAM_H_
