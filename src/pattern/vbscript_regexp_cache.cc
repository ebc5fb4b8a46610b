#include "pattern/vbscript_regexp_cache.h"

#include <objbase.h>

#include <atomic>
#include <list>
#include <unordered_map>

namespace tarvolo {
namespace {

class RegExpCache {
 public:
  RegExpCache() : owner_thread_(GetCurrentThreadId()) {}
  RegExpCache(const RegExpCache&) = delete;
  RegExpCache& operator=(const RegExpCache&) = delete;

  // The instances go first, then the apartment that they live in.
  ~RegExpCache() {
    entries_.clear();
    recency_.clear();
    if (holds_apartment_) CoUninitialize();
  }

  DWORD owner_thread() const { return owner_thread_; }
  std::size_t size() const { return entries_.size(); }

  ConfiguredRegExp find(const std::string& key) {
    const auto found = entries_.find(key);
    if (found == entries_.end()) return ConfiguredRegExp();
    recency_.splice(recency_.begin(), recency_, found->second.age);
    return found->second.regexp;
  }

  void keep(const std::string& key, const ConfiguredRegExp& regexp) {
    if (!regexp.object || !hold_apartment()) return;
    const auto found = entries_.find(key);
    if (found != entries_.end()) {
      found->second.regexp = regexp;
      recency_.splice(recency_.begin(), recency_, found->second.age);
      return;
    }
    if (entries_.size() >= kMaxCachedRegExps) {
      entries_.erase(recency_.back());
      recency_.pop_back();
    }
    recency_.push_front(key);
    entries_.emplace(key, Entry{regexp, recency_.begin()});
  }

 private:
  struct Entry {
    ConfiguredRegExp regexp;
    std::list<std::string>::iterator age;
  };

  // One COM reference on this thread for as long as instances are kept, so
  // that they outlive the pattern objects whose CoUninitialize would
  // otherwise end the apartment that they live in.
  bool hold_apartment() {
    if (holds_apartment_) return true;
    HRESULT result = CoInitialize(nullptr);
    // A thread that someone made multithreaded keeps its instances in the
    // multithreaded apartment; hold that one instead.
    if (result == RPC_E_CHANGED_MODE) result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    holds_apartment_ = SUCCEEDED(result);
    return holds_apartment_;
  }

  const DWORD owner_thread_;
  std::list<std::string> recency_;  // keys, most recently used first
  std::unordered_map<std::string, Entry> entries_;
  bool holds_apartment_ = false;
};

std::atomic<std::size_t> live_caches{0};

void destroy_cache(RegExpCache* cache) {
  delete cache;
  live_caches.fetch_sub(1);
}

// True while the process is ending (ExitProcess has begun): other libraries,
// the engine's among them, may already be detached and COM must not be torn
// down then, so the caches are left to the end of the process.
bool process_is_ending() {
  using ShutdownQuery = BOOLEAN(WINAPI*)();
  static const ShutdownQuery query = [] {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    FARPROC address = ntdll != nullptr ? GetProcAddress(ntdll, "RtlDllShutdownInProgress")
                                       : nullptr;
    return reinterpret_cast<ShutdownQuery>(reinterpret_cast<void*>(address));
  }();
  return query != nullptr && query() != FALSE;
}

// Called by the system with a thread's cache when that thread ends, and for
// every thread's cache when the slot is freed as the library unloads. A cache
// is emptied only on its own thread: another thread may not release its
// instances or end its COM use, so such a cache is left behind.
void WINAPI end_thread_cache(void* data) {
  RegExpCache* cache = static_cast<RegExpCache*>(data);
  if (cache == nullptr || process_is_ending()) return;
  if (cache->owner_thread() != GetCurrentThreadId()) return;
  destroy_cache(cache);
}

// Each thread's cache sits in a fiber-local slot, whose callback runs when
// the thread ends (before the libraries' thread-detach notifications, so COM
// is still usable then). C++ thread_local objects are not used: with this
// toolchain's emulated TLS their destructors may run after their storage is
// freed.
class CacheSlot {
 public:
  CacheSlot() : index_(FlsAlloc(&end_thread_cache)) {}
  ~CacheSlot() {
    if (index_ != FLS_OUT_OF_INDEXES) FlsFree(index_);
    index_ = FLS_OUT_OF_INDEXES;
  }
  CacheSlot(const CacheSlot&) = delete;
  CacheSlot& operator=(const CacheSlot&) = delete;

  RegExpCache* get() const {
    if (index_ == FLS_OUT_OF_INDEXES) return nullptr;
    return static_cast<RegExpCache*>(FlsGetValue(index_));
  }

  RegExpCache* get_or_create() {
    RegExpCache* cache = get();
    if (cache != nullptr || index_ == FLS_OUT_OF_INDEXES) return cache;
    cache = new RegExpCache;
    if (!FlsSetValue(index_, cache)) {
      delete cache;
      return nullptr;
    }
    live_caches.fetch_add(1);
    return cache;
  }

  void destroy_current() {
    RegExpCache* cache = get();
    if (cache == nullptr) return;
    FlsSetValue(index_, nullptr);
    destroy_cache(cache);
  }

 private:
  DWORD index_;
};

CacheSlot& cache_slot() {
  static CacheSlot slot;
  return slot;
}

}  // namespace

ConfiguredRegExp find_cached_regexp(const std::string& key) {
  RegExpCache* cache = cache_slot().get();
  return cache != nullptr ? cache->find(key) : ConfiguredRegExp();
}

void cache_regexp(const std::string& key, const ConfiguredRegExp& regexp) {
  if (RegExpCache* cache = cache_slot().get_or_create()) cache->keep(key, regexp);
}

void clear_regexp_cache() { cache_slot().destroy_current(); }

std::size_t cached_regexp_count() {
  RegExpCache* cache = cache_slot().get();
  return cache != nullptr ? cache->size() : 0;
}

std::size_t live_regexp_cache_count() { return live_caches.load(); }

}  // namespace tarvolo
