// Start-up and teardown off Windows: the shared object's constructor and
// destructor run when the host loads and unloads it.
#include "plugin/module.h"

namespace {

__attribute__((constructor)) void on_library_load() { tarvolo::module_startup(); }

__attribute__((destructor)) void on_library_unload() { tarvolo::module_teardown(); }

}  // namespace
