// Without UTF mode one UTF-16 unit is one character, as in ECMAScript: the
// dot matches one Chinese character (every code page 936 character is one
// unit), a lone surrogate written as \uD800 is a character like any other,
// and ignore case folds ASCII letters only, as VBScript.RegExp does.
#include "pattern/pcre2_program.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <cstddef>
#include <cstdint>
#include <mutex>

#include "pattern/ecmascript_to_pcre2.h"
#include "pattern/subject_index.h"

namespace tarvolo {
namespace {

// Catastrophic backtracking ((a+)+[^a] over a long run of a) ends here after
// some milliseconds; ordinary keywords over chat messages stay far below.
constexpr std::uint32_t kMatchLimit = 1000000;
constexpr std::uint32_t kHeapLimitKiB = 32 * 1024;
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 4 * 1024 * 1024;

// A first-match search anchored at the positions of a pattern's first
// characters gives each attempt an equal share of the match limit, so that
// together they never do more work than one search; a share never drops
// below the minimum here, which bounds the number of positions tried. More
// positions, or an attempt that reaches its share, and one unanchored search
// decides instead.
constexpr std::uint32_t kMinAnchoredAttemptMatchLimit = 1000;
constexpr std::size_t kMaxAnchoredAttempts = kMatchLimit / kMinAnchoredAttemptMatchLimit;
// When PCRE2 knows a first character itself, its search skips to it faster
// than attempts at more positions than this.
constexpr std::size_t kMaxAttemptsBeforePcre2Search = 4;

// Match data, match context and JIT stack cannot be shared between threads
// that match at the same time; each thread keeps its own.
class MatchResources {
 public:
  MatchResources()
      : data_(pcre2_match_data_create(1, nullptr)),
        context_(pcre2_match_context_create(nullptr)),
        attempt_context_(pcre2_match_context_create(nullptr)),
        jit_stack_(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr)) {
    set_bounds(context_, kMatchLimit);
    set_bounds(attempt_context_, kMinAnchoredAttemptMatchLimit);
  }
  ~MatchResources() {
    pcre2_jit_stack_free(jit_stack_);
    pcre2_match_context_free(attempt_context_);
    pcre2_match_context_free(context_);
    pcre2_match_data_free(data_);
  }
  MatchResources(const MatchResources&) = delete;
  MatchResources& operator=(const MatchResources&) = delete;

  bool ok() const { return data_ != nullptr && context_ != nullptr && attempt_context_ != nullptr; }
  pcre2_match_data* data() { return data_; }
  // Bounds of one search.
  pcre2_match_context* context() { return context_; }
  // Bounds of one of `attempts` anchored attempts.
  pcre2_match_context* attempt_context(std::size_t attempts) {
    pcre2_set_match_limit(attempt_context_,
                          static_cast<std::uint32_t>(kMatchLimit / (attempts == 0 ? 1 : attempts)));
    return attempt_context_;
  }

 private:
  void set_bounds(pcre2_match_context* context, std::uint32_t match_limit) {
    if (context == nullptr) return;
    pcre2_set_match_limit(context, match_limit);
    pcre2_set_heap_limit(context, kHeapLimitKiB);
    if (jit_stack_ != nullptr) pcre2_jit_stack_assign(context, nullptr, jit_stack_);
  }

  pcre2_match_data* data_;  // one pair: only the span of the whole match is read
  pcre2_match_context* context_;
  pcre2_match_context* attempt_context_;
  pcre2_jit_stack* jit_stack_;
};

MatchResources& match_resources() {
  thread_local MatchResources resources;
  return resources;
}

// With `jit`, *jitted tells whether the JIT compilation succeeded; without
// it (unsupported here, or out of executable memory) the interpreter runs
// the same program.
pcre2_code* compile_translation(const std::u16string& translated, std::uint32_t options, bool jit,
                                int* error, bool* jitted) {
  PCRE2_SIZE error_offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()),
                                   translated.size(), options, error, &error_offset, nullptr);
  *jitted = code != nullptr && jit && pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) == 0;
  return code;
}

// One bounded search from `start`; a negative result is no match or a bound
// reached. A JIT-compiled program runs through pcre2_jit_match, which skips
// the checks of pcre2_match that hold here anyway (valid subject and
// offset, no unsupported options). The match's span is left in the thread's
// match data.
int search(const pcre2_code* code, bool jitted, const std::u16string& subject, PCRE2_SIZE start,
           MatchResources& resources, pcre2_match_context* context) {
  const auto* text = reinterpret_cast<PCRE2_SPTR>(subject.data());
  return jitted ? pcre2_jit_match(code, text, subject.size(), start, 0, resources.data(), context)
                : pcre2_match(code, text, subject.size(), start, 0, resources.data(), context);
}

// 1 for a match, 0 for none or a bound reached.
int match_once(const pcre2_code* code, bool jitted, const std::u16string& subject,
               PCRE2_SIZE start, MatchResources& resources) {
  return search(code, jitted, subject, start, resources, resources.context()) < 0 ? 0 : 1;
}

// The outcome of the anchored attempts at the first characters' positions.
enum class Attempts { kMatched, kNoMatch, kUndecided };

// Tries the anchored program at each position where one of the folded
// `first_characters` stands. Undecided when there are more positions than
// kMaxAnchoredAttempts or an attempt reaches its bounds.
Attempts try_first_character_positions(const pcre2_code* anchored, bool jitted,
                                       std::size_t max_attempts,
                                       const std::u16string& first_characters,
                                       const std::u16string* second_characters,
                                       const SubjectIndex& subject, MatchResources& resources) {
  // A match can only start where a first character stands followed by a
  // second one (when those are known).
  const std::u16string& text = subject.text();
  auto may_start_at = [&](std::size_t pos) {
    return second_characters == nullptr ||
           (pos + 1 < text.size() &&
            second_characters->find(fold_ascii_case(text[pos + 1])) != std::u16string::npos);
  };
  // Counted first, so that a subject with too many of them costs no attempt.
  std::size_t positions = 0;
  for (const char16_t c : first_characters) {
    const bool too_many = subject.any_position_of(c, [&](std::size_t pos) {
      return may_start_at(pos) && ++positions > max_attempts;
    });
    if (too_many) return Attempts::kUndecided;
  }
  if (positions == 0) return Attempts::kNoMatch;
  pcre2_match_context* const context = resources.attempt_context(positions);
  bool undecided = false;
  for (const char16_t c : first_characters) {
    const bool matched = subject.any_position_of(c, [&](std::size_t pos) {
      if (!may_start_at(pos)) return false;
      const int result = search(anchored, jitted, text, pos, resources, context);
      if (result >= 0) return true;
      if (result != PCRE2_ERROR_NOMATCH) undecided = true;  // a bound, or another failure
      return undecided;
    });
    if (undecided) return Attempts::kUndecided;
    if (matched) return Attempts::kMatched;
  }
  return Attempts::kNoMatch;
}

// Appends each character of `characters`, A-Z lowered, that `out` lacks.
void add_folded_once(const std::u16string& characters, std::u16string* out) {
  for (const char16_t c : characters) {
    const char16_t folded = fold_ascii_case(c);
    if (out->find(folded) == std::u16string::npos) out->push_back(folded);
  }
}

}  // namespace

Pcre2Program::Pcre2Program(const std::u16string& pattern, bool ignore_case, bool multiline,
                           bool jit)
    : ignore_case_(ignore_case) {
  std::u16string translated;
  FirstMatchForm form;
  if (!translate_ecmascript_to_pcre2(pattern, multiline, &translated, &form)) return;
  std::uint32_t options =
      PCRE2_NEVER_UTF | PCRE2_NEVER_UCP | PCRE2_NEVER_BACKSLASH_C | PCRE2_MATCH_UNSET_BACKREF;
  if (ignore_case) options |= PCRE2_CASELESS;
  // The whole pattern decides whether PCRE2 takes it, and counts every match.
  // Its JIT compilation waits for its first use: screening asks for first
  // matches only, which the first-match form answers, and a thousand unused
  // machine-code programs would only crowd the processor's caches.
  bool jitted = false;
  code_ = compile_translation(translated, options, /*jit=*/false, &pcre2_error_, &jitted);
  if (code_ == nullptr) {
    status_ = Status::kPcre2Refused;
    return;
  }
  pcre2_error_ = 0;
  status_ = Status::kCompiled;
  jit_whole_pattern_ = jit;
  if (form.is_literal) {
    first_match_ = FirstMatch::kPlainText;
    word_ = std::move(form.literal);
    folded_word_ = fold_ascii_case(word_);
  } else if (form.pattern != translated || form.first_characters_known) {
    int ignored = 0;
    shortened_code_ = compile_translation(form.pattern, options, jit, &ignored, &shortened_jitted_);
    if (shortened_code_ != nullptr) first_match_ = FirstMatch::kShortenedPattern;
    // Anchored attempts only pay off for a program that is kept and run over
    // indexed subjects again and again, and only when PCRE2 knows no first
    // character of its own: with one, its search skips to that character
    // faster than attempts at each position could.
    std::uint32_t first_code_type = 0;
    if (shortened_code_ != nullptr) {
      pcre2_pattern_info(shortened_code_, PCRE2_INFO_FIRSTCODETYPE, &first_code_type);
    }
    max_anchored_attempts_ =
        first_code_type == 0 ? kMaxAnchoredAttempts : kMaxAttemptsBeforePcre2Search;
    if (shortened_code_ != nullptr && jit && form.first_characters_known) {
      anchored_code_ = compile_translation(form.pattern,
                                           options | PCRE2_ANCHORED | PCRE2_NO_START_OPTIMIZE, jit,
                                           &ignored,
                                           &anchored_jitted_);
      add_folded_once(form.first_characters, &first_characters_);
      if (form.second_characters_known) {
        second_characters_known_ = true;
        add_folded_once(form.second_characters, &second_characters_);
      }
    }
  }
  if (first_match_ == FirstMatch::kWholePattern) whole_pattern_ready();
}

// JIT-compiles the whole pattern once, before its first search; concurrent
// first searches wait for that one compilation.
void Pcre2Program::whole_pattern_ready() const {
  if (!jit_whole_pattern_) return;
  std::call_once(whole_pattern_jit_,
                 [this] { whole_jitted_ = pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE) == 0; });
}

Pcre2Program::~Pcre2Program() {
  pcre2_code_free(anchored_code_);
  pcre2_code_free(shortened_code_);
  pcre2_code_free(code_);
}

int Pcre2Program::count_matches(const std::u16string& subject, bool global) const {
  if (global) return count_matches_of_whole_pattern(subject, true);
  if (first_match_ == FirstMatch::kPlainText) {
    return contains_word(subject, word_, folded_word_, ignore_case_) ? 1 : 0;
  }
  return first_match_by_form(subject);
}

int Pcre2Program::count_matches(const SubjectIndex& subject, bool global) const {
  if (global) return count_matches_of_whole_pattern(subject.text(), true);
  if (first_match_ == FirstMatch::kPlainText) {
    return subject.contains(word_, folded_word_, ignore_case_) ? 1 : 0;
  }
  if (anchored_code_ != nullptr) {
    MatchResources& resources = match_resources();
    if (!resources.ok()) return 0;
    switch (try_first_character_positions(anchored_code_, anchored_jitted_,
                                          max_anchored_attempts_, first_characters_,
                                          second_characters_known_ ? &second_characters_ : nullptr,
                                          subject, resources)) {
      case Attempts::kMatched: return 1;
      case Attempts::kNoMatch: return 0;
      case Attempts::kUndecided: break;
    }
  }
  return first_match_by_form(subject.text());
}

int Pcre2Program::first_match_by_form(const std::u16string& subject) const {
  if (first_match_ == FirstMatch::kWholePattern) {
    return count_matches_of_whole_pattern(subject, false);
  }
  MatchResources& resources = match_resources();
  if (!resources.ok()) return 0;
  return match_once(shortened_code_, shortened_jitted_, subject, 0, resources);
}

int Pcre2Program::count_matches_of_whole_pattern(const std::u16string& subject,
                                                 bool global) const {
  MatchResources& resources = match_resources();
  if (code_ == nullptr || !resources.ok()) return 0;
  whole_pattern_ready();
  const PCRE2_SIZE length = subject.size();
  int count = 0;
  PCRE2_SIZE start = 0;
  while (start <= length) {
    if (match_once(code_, whole_jitted_, subject, start, resources) == 0) break;  // none, or a bound
    ++count;
    if (!global) break;
    const PCRE2_SIZE* span = pcre2_get_ovector_pointer(resources.data());
    start = span[1] > span[0] ? span[1] : span[1] + 1;
  }
  return count;
}

}  // namespace tarvolo
