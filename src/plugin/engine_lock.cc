#include "plugin/engine_lock.h"

namespace tarvolo {

std::recursive_mutex& engine_mutex() {
  // Never destroyed: the unload hook takes it after static objects are gone.
  static std::recursive_mutex* const mutex = new std::recursive_mutex;
  return *mutex;
}

}  // namespace tarvolo
