#include "plugin/engine_lock.h"

namespace tarvolo {

std::recursive_mutex& engine_mutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

}  // namespace tarvolo
