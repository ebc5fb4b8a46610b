// Recently configured "VBScript.RegExp" instances of the calling thread,
// kept so that a keyword that comes back with the same options reuses an
// instance whose properties and pattern are already set (the engine keeps
// the compiled program until the pattern changes) instead of creating,
// configuring and compiling a new one for every message.
//
// COM objects belong to the apartment of the thread that created them and
// die with that thread's last CoUninitialize. So every thread has its own
// cache, an instance is only ever handed out on the thread that made it, and
// a cache that holds instances also holds a COM reference of its own on its
// thread, released when the cache is emptied or its thread ends.
#ifndef TARVOLO_PATTERN_VBSCRIPT_REGEXP_CACHE_H_
#define TARVOLO_PATTERN_VBSCRIPT_REGEXP_CACHE_H_

#include <cstddef>
#include <string>

#include "pattern/com_dispatch.h"

namespace tarvolo {

// Entries per thread; the least recently used one makes room for a new one.
// Well above the largest keyword list the screening is expected to meet.
constexpr std::size_t kMaxCachedRegExps = 4096;

// An engine instance with its options and pattern set, and the member that
// runs it.
struct ConfiguredRegExp {
  ComRef<IDispatch> object;
  DISPID execute = DISPID_UNKNOWN;
};

// The calling thread's instance for `key` (pattern text and options), made
// the most recently used; an empty ConfiguredRegExp when there is none.
ConfiguredRegExp find_cached_regexp(const std::string& key);

// Keeps `regexp`, made on the calling thread, under `key`. Does nothing when
// the thread's COM use cannot be held.
void cache_regexp(const std::string& key, const ConfiguredRegExp& regexp);

// Releases every instance of the calling thread's cache and the COM
// reference that the cache held on this thread.
void clear_regexp_cache();

// Number of instances in the calling thread's cache.
std::size_t cached_regexp_count();

// Number of threads whose cache exists (holds instances or did since it was
// last emptied), for checking that a thread's cache goes when it ends.
std::size_t live_regexp_cache_count();

}  // namespace tarvolo

#endif  // TARVOLO_PATTERN_VBSCRIPT_REGEXP_CACHE_H_
