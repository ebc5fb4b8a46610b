// The pattern object off Windows: PCRE2's 16-bit library on the texts
// converted from code page 936, with the pattern translated from the Windows
// dialect first (ecmascript_to_pcre2.h).
//
// Without UTF mode one UTF-16 unit is one character, as in ECMAScript: the
// dot matches one Chinese character (every code page 936 character is one
// unit), and ignore case folds ASCII letters only, as VBScript.RegExp does.
//
// Every match is bounded, so that no keyword and no message can hold up the
// host: a search that reaches PCRE2's match limit, heap limit or JIT stack
// counts as finding nothing at that point. execute_pattern still returns
// true (the pattern is valid); match_count is the number of matches found
// before the limit (0 for a search with global false).
//
// Compiled patterns are kept in a bounded cache shared by all objects and
// threads, keyed by the pattern text and the two options that change the
// compiled program (ignore case, multiline).
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <utility>

#include "pattern/ecmascript_to_pcre2.h"
#include "pattern/pattern_object.h"
#include "platform/env.h"
#include "text/gbk_text.h"

namespace tarvolo {
namespace {

// Catastrophic backtracking ((a+)+[^a] over a long run of a) ends here after
// some milliseconds; ordinary keywords over chat messages stay far below.
constexpr std::uint32_t kMatchLimit = 1000000;
constexpr std::uint32_t kHeapLimitKiB = 32 * 1024;
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 4 * 1024 * 1024;
constexpr std::size_t kCacheCapacity = 1024;

const GbkText kQuoteEscape = "#引号";

// A compiled pattern, or the record that the engine rejects the text.
class CompiledPattern {
 public:
  CompiledPattern(const GbkText& pattern, bool ignore_case, bool multiline) {
    std::u16string translated;
    if (!translate_ecmascript_to_pcre2(Env::Default().gbk_to_utf16(pattern), multiline,
                                       &translated)) {
      return;
    }
    std::uint32_t options = PCRE2_NEVER_UTF | PCRE2_NEVER_UCP | PCRE2_NEVER_BACKSLASH_C |
                            PCRE2_MATCH_UNSET_BACKREF;
    if (ignore_case) options |= PCRE2_CASELESS;
    int error = 0;
    PCRE2_SIZE error_offset = 0;
    code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()), translated.size(),
                          options, &error, &error_offset, nullptr);
    // Without the JIT (unsupported here, or out of executable memory) the
    // interpreter runs the same program.
    if (code_ != nullptr) pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE);
  }
  ~CompiledPattern() { pcre2_code_free(code_); }
  CompiledPattern(const CompiledPattern&) = delete;
  CompiledPattern& operator=(const CompiledPattern&) = delete;

  // Null when the pattern was rejected.
  const pcre2_code* code() const { return code_; }

 private:
  pcre2_code* code_ = nullptr;
};

using CompiledPtr = std::shared_ptr<const CompiledPattern>;

// --- The cache of compiled patterns -----------------------------------------

// Least recently used entries leave first. Entries are shared pointers, so
// an entry evicted while another thread still matches with it stays alive
// until that match ends. A compiled PCRE2 program may be used by several
// threads at once.
class PatternCache {
 public:
  CompiledPtr get(const GbkText& pattern, bool ignore_case, bool multiline) {
    if (!enabled_.load(std::memory_order_relaxed)) {
      return std::make_shared<CompiledPattern>(pattern, ignore_case, multiline);
    }
    Key key{pattern, ignore_case, multiline};
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto found = entries_.find(key);
      if (found != entries_.end()) {
        order_.splice(order_.begin(), order_, found->second.position);
        return found->second.compiled;
      }
    }
    // Compiled outside the lock; two threads missing on the same key both
    // compile and the second insertion is dropped.
    CompiledPtr compiled = std::make_shared<CompiledPattern>(pattern, ignore_case, multiline);
    std::lock_guard<std::mutex> lock(mutex_);
    if (!enabled_.load(std::memory_order_relaxed) || entries_.count(key) != 0) return compiled;
    order_.push_front(key);
    entries_.emplace(std::move(key), Entry{compiled, order_.begin()});
    if (entries_.size() > kCacheCapacity) {
      entries_.erase(order_.back());
      order_.pop_back();
    }
    return compiled;
  }

  void set_enabled(bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    enabled_.store(enabled, std::memory_order_relaxed);
    if (!enabled) {
      entries_.clear();
      order_.clear();
    }
  }

  bool enabled() const { return enabled_.load(std::memory_order_relaxed); }

 private:
  using Key = std::tuple<GbkText, bool, bool>;
  struct Entry {
    CompiledPtr compiled;
    std::list<Key>::iterator position;
  };

  std::mutex mutex_;
  std::atomic<bool> enabled_{true};
  std::map<Key, Entry> entries_;
  std::list<Key> order_;  // most recently used first
};

PatternCache& pattern_cache() {
  static PatternCache* cache = new PatternCache;  // lives as long as the process
  return *cache;
}

// --- Per-thread match resources ---------------------------------------------

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
  pcre2_match_data* data_;
  pcre2_match_context* context_;
  pcre2_jit_stack* jit_stack_;
};

MatchResources& match_resources() {
  thread_local MatchResources resources;
  return resources;
}

// Counts the matches of `code` in `subject`: the first one only, or all of
// them left to right without overlap. After an empty match the next search
// starts one character further on, as the Windows engine's global search
// does. A search that fails or reaches a limit ends the count.
int count_matches(const pcre2_code* code, const std::u16string& subject, bool global) {
  MatchResources& resources = match_resources();
  if (!resources.ok()) return 0;
  const auto* text = reinterpret_cast<PCRE2_SPTR>(subject.data());
  const PCRE2_SIZE length = subject.size();
  int count = 0;
  PCRE2_SIZE start = 0;
  while (start <= length) {
    const int result =
        pcre2_match(code, text, length, start, 0, resources.data(), resources.context());
    if (result < 0) break;  // no match, or a limit reached
    ++count;
    if (!global) break;
    const PCRE2_SIZE* span = pcre2_get_ovector_pointer(resources.data());
    start = span[1] > span[0] ? span[1] : span[1] + 1;
  }
  return count;
}

class Pcre2PatternObject : public PatternObject {
 public:
  bool execute_pattern(const GbkText& pattern, const GbkText& subject, bool case_sensitive,
                       bool multiline, bool global, bool quote_escapes) override {
    count_ = 0;
    const CompiledPtr compiled =
        pattern_cache().get(quote_escapes ? replace_all(pattern, kQuoteEscape, "\"") : pattern,
                            !case_sensitive, multiline);
    // Screening runs every keyword over the same message: convert it once.
    if (!have_subject_ || subject != subject_) {
      subject_ = subject;
      subject_utf16_ = Env::Default().gbk_to_utf16(subject);
      have_subject_ = true;
    }
    if (compiled->code() == nullptr) return false;
    count_ = count_matches(compiled->code(), subject_utf16_, global);
    return true;
  }

  int match_count() const override { return count_; }

 private:
  int count_ = 0;
  bool have_subject_ = false;
  GbkText subject_;
  std::u16string subject_utf16_;
};

}  // namespace

void PatternObjectDeleter::operator()(PatternObject* object) const {
  destroy_pattern_object(object);
}

PatternObjectPtr create_pattern_object() { return PatternObjectPtr(new Pcre2PatternObject); }

void destroy_pattern_object(PatternObject* object) { delete object; }

void set_pattern_cache_enabled(bool enabled) { pattern_cache().set_enabled(enabled); }

bool pattern_cache_enabled() { return pattern_cache().enabled(); }

}  // namespace tarvolo
