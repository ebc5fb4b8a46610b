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
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "pattern/pattern_object.h"
#include "pattern/pcre2_program.h"
#include "pattern/subject_index.h"
#include "platform/env.h"
#include "text/gbk_text.h"

namespace tarvolo {
namespace {

constexpr std::size_t kCacheCapacity = 1024;

const GbkText kQuoteEscape = "#引号";

using ProgramPtr = std::shared_ptr<const Pcre2Program>;

// A program that is kept is worth JIT-compiling; one that runs once is not.
ProgramPtr compile(const GbkText& pattern, bool ignore_case, bool multiline, bool kept) {
  return std::make_shared<const Pcre2Program>(Env::Default().gbk_to_utf16(pattern), ignore_case,
                                              multiline, /*jit=*/kept);
}

// --- The cache of compiled patterns -----------------------------------------

// A hash of the options byte and the pattern, eight bytes at a time.
std::uint64_t key_hash(unsigned char options, const GbkText& pattern) {
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
  std::uint64_t hash = (options + 1) * kMultiplier ^ pattern.size();
  const char* bytes = pattern.data();
  std::size_t left = pattern.size();
  auto mix = [&hash](std::uint64_t word) {
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 29;
  };
  for (; left >= 8; left -= 8, bytes += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    mix(word);
  }
  if (left > 0) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, left);
    mix(word);
  }
  return hash ^ (hash >> 32);
}

// Entries not used for a while leave first: a full cache replaces the first
// entry that its clock hand finds unused since the hand last passed it (a
// cheap approximation of least recently used: a hit only marks its entry).
// Entries are shared pointers, so
// an entry evicted while another thread still matches with it stays alive
// until that match ends; a program may match in several threads at once.
// Rejected patterns are kept too, so that a bad keyword is not parsed again
// for every message.
//
// Screening looks up every keyword of the list for every message, so a hit
// must cost little: an open-addressing table (linear probing, at most half
// full) of entry numbers, each entry holding its key and the key's hash. A
// hit hashes the pattern once, compares it once and marks the entry; no
// string is built. Screening asks for
// the same keywords in the same order for every message, so each entry also
// remembers which entry was asked for after it last time: when that one
// holds the pattern, the hash and the table are not needed at all.
class PatternCache {
 public:
  PatternCache() {
    slots_.fill(kNone);
    entries_.reserve(kCacheCapacity);
  }

  ProgramPtr get(const GbkText& pattern, bool ignore_case, bool multiline) {
    if (!enabled_.load(std::memory_order_relaxed)) {
      return compile(pattern, ignore_case, multiline, /*kept=*/false);
    }
    const unsigned char options = (ignore_case ? 1 : 0) | (multiline ? 2 : 0);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      std::int32_t found = predicted(options, pattern);
      if (found == kNone) found = find(key_hash(options, pattern), options, pattern);
      if (found != kNone) {
        note_use(found);
        return entry(found).program;
      }
    }
    const std::uint64_t hash = key_hash(options, pattern);
    // Compiled outside the lock; two threads missing on the same key both
    // compile and the second insertion is dropped.
    ProgramPtr program = compile(pattern, ignore_case, multiline, /*kept=*/true);
    std::lock_guard<std::mutex> lock(mutex_);
    if (!enabled_.load(std::memory_order_relaxed) || find(hash, options, pattern) != kNone) {
      return program;
    }
    note_use(insert(hash, options, pattern, program));
    return program;
  }

  void set_enabled(bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    enabled_.store(enabled, std::memory_order_relaxed);
    if (!enabled) {
      slots_.fill(kNone);
      entries_.clear();
      clock_hand_ = 0;
      last_used_ = kNone;
    }
  }

  bool enabled() const { return enabled_.load(std::memory_order_relaxed); }

 private:
  static constexpr std::int32_t kNone = -1;
  static constexpr std::size_t kSlotCount = 2 * kCacheCapacity;  // a power of two
  static constexpr std::size_t kSlotMask = kSlotCount - 1;

  struct Entry {
    std::uint64_t hash = 0;
    unsigned char options = 0;
    GbkText pattern;
    ProgramPtr program;
    bool used = false;  // since the clock hand last passed
    std::int32_t asked_next = kNone;  // the entry asked for after this one last time
  };

  // The entry asked for after the last one used, when it holds the key.
  std::int32_t predicted(unsigned char options, const GbkText& pattern) {
    if (last_used_ == kNone) return kNone;
    const std::int32_t next = entry(last_used_).asked_next;
    if (next == kNone) return kNone;
    const Entry& candidate = entry(next);
    return candidate.options == options && candidate.pattern == pattern ? next : kNone;
  }

  void note_use(std::int32_t index) {
    if (last_used_ != kNone) entry(last_used_).asked_next = index;
    last_used_ = index;
    entry(index).used = true;
  }

  Entry& entry(std::int32_t index) { return entries_[static_cast<std::size_t>(index)]; }

  std::int32_t find(std::uint64_t hash, unsigned char options, const GbkText& pattern) {
    for (std::size_t slot = hash & kSlotMask;; slot = (slot + 1) & kSlotMask) {
      const std::int32_t index = slots_[slot];
      if (index == kNone) return kNone;
      const Entry& candidate = entry(index);
      if (candidate.hash == hash && candidate.options == options && candidate.pattern == pattern) {
        return index;
      }
    }
  }

  // Takes the entry's number out of the table, moving later members of its
  // probe run back so that every lookup still finds them.
  void remove_from_slots(std::int32_t index) {
    std::size_t hole = entry(index).hash & kSlotMask;
    for (std::size_t probes = 0; slots_[hole] != index; ++probes) {
      if (probes == kSlotCount) return;  // not in the table (cannot happen)
      hole = (hole + 1) & kSlotMask;
    }
    for (std::size_t next = (hole + 1) & kSlotMask; slots_[next] != kNone;
         next = (next + 1) & kSlotMask) {
      const std::size_t home = entry(slots_[next]).hash & kSlotMask;
      // The member at `next` may fill the hole unless its home lies
      // cyclically in (hole, next].
      const bool home_after_hole = hole <= next ? (home > hole && home <= next)
                                                : (home > hole || home <= next);
      if (!home_after_hole) {
        slots_[hole] = slots_[next];
        hole = next;
      }
    }
    slots_[hole] = kNone;
  }

  std::int32_t insert(std::uint64_t hash, unsigned char options, const GbkText& pattern,
                      const ProgramPtr& program) {
    std::int32_t index;
    if (entries_.size() < kCacheCapacity) {
      index = static_cast<std::int32_t>(entries_.size());
      entries_.emplace_back();
    } else {
      // The first entry not used since the hand last passed makes room;
      // every entry passed loses its mark. One turn finds one at the latest.
      while (entries_[clock_hand_].used) {
        entries_[clock_hand_].used = false;
        clock_hand_ = (clock_hand_ + 1) % kCacheCapacity;
      }
      index = static_cast<std::int32_t>(clock_hand_);
      clock_hand_ = (clock_hand_ + 1) % kCacheCapacity;
      remove_from_slots(index);
    }
    Entry& e = entry(index);
    e.hash = hash;
    e.options = options;
    e.pattern = pattern;
    e.program = program;
    e.used = false;
    e.asked_next = kNone;
    std::size_t slot = hash & kSlotMask;
    while (slots_[slot] != kNone) slot = (slot + 1) & kSlotMask;
    slots_[slot] = index;
    return index;
  }

  std::mutex mutex_;
  std::atomic<bool> enabled_{true};
  std::array<std::int32_t, kSlotCount> slots_;
  std::vector<Entry> entries_;
  std::size_t clock_hand_ = 0;  // the next entry the hand looks at when full
  std::int32_t last_used_ = kNone;
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
        quote_escapes
            ? pattern_cache().get(replace_all(pattern, kQuoteEscape, "\""), !case_sensitive,
                                  multiline)
            : pattern_cache().get(pattern, !case_sensitive, multiline);
    // Screening runs every keyword over the same message: convert and index
    // it once.
    if (!have_subject_ || subject != subject_) {
      subject_ = subject;
      subject_index_.assign(Env::Default().gbk_to_utf16(subject));
      have_subject_ = true;
    }
    if (program->status() != Pcre2Program::Status::kCompiled) return false;
    count_ = program->count_matches(subject_index_, global);
    return true;
  }

  int match_count() const override { return count_; }

 private:
  int count_ = 0;
  bool have_subject_ = false;
  GbkText subject_;
  SubjectIndex subject_index_;
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
