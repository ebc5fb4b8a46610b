// Without UTF mode one UTF-16 unit is one character, as in ECMAScript: the
// dot matches one Chinese character (every code page 936 character is one
// unit), a lone surrogate written as \uD800 is a character like any other,
// and ignore case folds ASCII letters only, as VBScript.RegExp does.
#include "pattern/pcre2_program.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <cstddef>
#include <cstdint>

#include "pattern/ecmascript_to_pcre2.h"

namespace tarvolo {
namespace {

// Catastrophic backtracking ((a+)+[^a] over a long run of a) ends here after
// some milliseconds; ordinary keywords over chat messages stay far below.
constexpr std::uint32_t kMatchLimit = 1000000;
constexpr std::uint32_t kHeapLimitKiB = 32 * 1024;
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 4 * 1024 * 1024;

// Match data, match context and JIT stack cannot be shared between threads
// that match at the same time; each thread keeps its own.
class MatchResources {
 public:
  MatchResources()
      : data_(pcre2_match_data_create(1, nullptr)),
        context_(pcre2_match_context_create(nullptr)),
        jit_stack_(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr)) {
    if (context_ != nullptr) {
      pcre2_set_match_limit(context_, kMatchLimit);
      pcre2_set_heap_limit(context_, kHeapLimitKiB);
      if (jit_stack_ != nullptr) pcre2_jit_stack_assign(context_, nullptr, jit_stack_);
    }
  }
  ~MatchResources() {
    pcre2_jit_stack_free(jit_stack_);
    pcre2_match_context_free(context_);
    pcre2_match_data_free(data_);
  }
  MatchResources(const MatchResources&) = delete;
  MatchResources& operator=(const MatchResources&) = delete;

  bool ok() const { return data_ != nullptr && context_ != nullptr; }
  pcre2_match_data* data() { return data_; }
  pcre2_match_context* context() { return context_; }

 private:
  pcre2_match_data* data_;  // one pair: only the span of the whole match is read
  pcre2_match_context* context_;
  pcre2_jit_stack* jit_stack_;
};

MatchResources& match_resources() {
  thread_local MatchResources resources;
  return resources;
}

}  // namespace

Pcre2Program::Pcre2Program(const std::u16string& pattern, bool ignore_case, bool multiline) {
  std::u16string translated;
  if (!translate_ecmascript_to_pcre2(pattern, multiline, &translated)) return;
  std::uint32_t options =
      PCRE2_NEVER_UTF | PCRE2_NEVER_UCP | PCRE2_NEVER_BACKSLASH_C | PCRE2_MATCH_UNSET_BACKREF;
  if (ignore_case) options |= PCRE2_CASELESS;
  PCRE2_SIZE error_offset = 0;
  code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()), translated.size(),
                        options, &pcre2_error_, &error_offset, nullptr);
  if (code_ == nullptr) {
    status_ = Status::kPcre2Refused;
    return;
  }
  pcre2_error_ = 0;
  status_ = Status::kCompiled;
  // Without the JIT (unsupported here, or out of executable memory) the
  // interpreter runs the same program.
  pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE);
}

Pcre2Program::~Pcre2Program() { pcre2_code_free(code_); }

int Pcre2Program::count_matches(const std::u16string& subject, bool global) const {
  MatchResources& resources = match_resources();
  if (code_ == nullptr || !resources.ok()) return 0;
  const auto* text = reinterpret_cast<PCRE2_SPTR>(subject.data());
  const PCRE2_SIZE length = subject.size();
  int count = 0;
  PCRE2_SIZE start = 0;
  while (start <= length) {
    const int result =
        pcre2_match(code_, text, length, start, 0, resources.data(), resources.context());
    if (result < 0) break;  // no match, or a bound reached
    ++count;
    if (!global) break;
    const PCRE2_SIZE* span = pcre2_get_ovector_pointer(resources.data());
    start = span[1] > span[0] ? span[1] : span[1] + 1;
  }
  return count;
}

}  // namespace tarvolo
