// The pattern object off Windows: PCRE2 on the pattern translated from the
// Windows dialect (pcre2_program.h), over the texts converted from code
// page 936.
//
// A search that reaches one of PCRE2's bounds counts as finding nothing at
// that point: execute_pattern still returns true (the pattern is valid) and
// match_count is the number of matches found before it (0 with global off).
//
// Compiled programs are kept in a bounded cache shared by all objects and
// threads, keyed by the pattern text and the two options that change the
// program (ignore case, multiline).
#include <atomic>
#include <cstddef>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <utility>

#include "pattern/pattern_object.h"
#include "pattern/pcre2_program.h"
#include "platform/env.h"
#include "text/gbk_text.h"

namespace tarvolo {
namespace {

constexpr std::size_t kCacheCapacity = 1024;

const GbkText kQuoteEscape = "#引号";

using ProgramPtr = std::shared_ptr<const Pcre2Program>;

ProgramPtr compile(const GbkText& pattern, bool ignore_case, bool multiline) {
  return std::make_shared<const Pcre2Program>(Env::Default().gbk_to_utf16(pattern), ignore_case,
                                              multiline);
}

// --- The cache of compiled patterns -----------------------------------------

// Least recently used entries leave first. Entries are shared pointers, so
// an entry evicted while another thread still matches with it stays alive
// until that match ends; a program may match in several threads at once.
// Rejected patterns are kept too, so that a bad keyword is not parsed again
// for every message.
class PatternCache {
 public:
  ProgramPtr get(const GbkText& pattern, bool ignore_case, bool multiline) {
    if (!enabled_.load(std::memory_order_relaxed)) {
      return compile(pattern, ignore_case, multiline);
    }
    Key key{pattern, ignore_case, multiline};
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto found = entries_.find(key);
      if (found != entries_.end()) {
        order_.splice(order_.begin(), order_, found->second.position);
        return found->second.program;
      }
    }
    // Compiled outside the lock; two threads missing on the same key both
    // compile and the second insertion is dropped.
    ProgramPtr program = compile(pattern, ignore_case, multiline);
    std::lock_guard<std::mutex> lock(mutex_);
    if (!enabled_.load(std::memory_order_relaxed) || entries_.count(key) != 0) return program;
    order_.push_front(key);
    entries_.emplace(std::move(key), Entry{program, order_.begin()});
    if (entries_.size() > kCacheCapacity) {
      entries_.erase(order_.back());
      order_.pop_back();
    }
    return program;
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
    ProgramPtr program;
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

class Pcre2PatternObject : public PatternObject {
 public:
  bool execute_pattern(const GbkText& pattern, const GbkText& subject, bool case_sensitive,
                       bool multiline, bool global, bool quote_escapes) override {
    count_ = 0;
    const ProgramPtr program =
        pattern_cache().get(quote_escapes ? replace_all(pattern, kQuoteEscape, "\"") : pattern,
                            !case_sensitive, multiline);
    // Screening runs every keyword over the same message: convert it once.
    if (!have_subject_ || subject != subject_) {
      subject_ = subject;
      subject_utf16_ = Env::Default().gbk_to_utf16(subject);
      have_subject_ = true;
    }
    if (program->status() != Pcre2Program::Status::kCompiled) return false;
    count_ = program->count_matches(subject_utf16_, global);
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
