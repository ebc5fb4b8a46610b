#include "platform/posix/read_scope_cache.h"

#include <atomic>
#include <cstdint>
#include <unordered_map>

namespace tarvolo {
namespace read_scope {
namespace {

// Moves on with every change through the Env, on any thread; a slot filled
// under an older generation is read again.
std::atomic<std::uint64_t> write_generation{0};

struct ThreadScope {
  struct Entry {
    Slot slot;
    std::uint64_t generation = 0;
  };
  int depth = 0;
  std::unordered_map<GbkText, Entry> files;
};

ThreadScope& thread_scope() {
  thread_local ThreadScope scope;
  return scope;
}

}  // namespace

void begin() { ++thread_scope().depth; }

void end() {
  ThreadScope& scope = thread_scope();
  if (scope.depth > 0 && --scope.depth == 0) scope.files.clear();
}

void note_write() { write_generation.fetch_add(1, std::memory_order_acq_rel); }

Slot* slot_for(const GbkText& path) {
  ThreadScope& scope = thread_scope();
  if (scope.depth == 0) return nullptr;
  const std::uint64_t generation = write_generation.load(std::memory_order_acquire);
  ThreadScope::Entry& entry = scope.files[path];
  if (entry.generation != generation) {
    entry.slot.known = false;
    entry.generation = generation;
  }
  return &entry.slot;
}

}  // namespace read_scope
}  // namespace tarvolo
