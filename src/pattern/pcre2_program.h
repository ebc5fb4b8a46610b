// A pattern of the Windows dialect compiled for PCRE2 (16-bit library, no
// UTF), and its bounded matching. Works on UTF-16 texts; the pattern object
// converts from code page 936 and keeps programs in its cache.
#ifndef TARVOLO_PATTERN_PCRE2_PROGRAM_H_
#define TARVOLO_PATTERN_PCRE2_PROGRAM_H_

#include <string>

struct pcre2_real_code_16;

namespace tarvolo {

class Pcre2Program {
 public:
  enum class Status {
    kCompiled,
    kRejected,       // VBScript.RegExp rejects the pattern
    kPcre2Refused,   // translated, but PCRE2 refused it (nesting, size)
  };

  // Translates and compiles; JIT-compiles when the JIT is available.
  Pcre2Program(const std::u16string& pattern, bool ignore_case, bool multiline);
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
  int count_matches(const std::u16string& subject, bool global) const;

 private:
  pcre2_real_code_16* code_ = nullptr;
  Status status_ = Status::kRejected;
  int pcre2_error_ = 0;
};

}  // namespace tarvolo

#endif  // TARVOLO_PATTERN_PCRE2_PROGRAM_H_
