// One extra entry of the benchmark's own build of the plug-in library: the
// switch of the compiled-pattern cache, so that the benchmark can screen the
// same workload with the cache off and on while every message still goes
// through the exported group-message entry. The plug-in that ships has no
// such entry.
#include "pattern/pattern_object.h"

extern "C" __attribute__((visibility("default"))) void bench_set_pattern_cache_enabled(
    int enabled) {
  tarvolo::set_pattern_cache_enabled(enabled != 0);
}
