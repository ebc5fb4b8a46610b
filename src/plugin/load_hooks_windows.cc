// Start-up and teardown on Windows: the library's process-attach and
// process-detach notifications.
#include <windows.h>

#include "plugin/module.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(instance);
      tarvolo::module_startup();
      break;
    case DLL_PROCESS_DETACH:
      tarvolo::module_teardown();
      break;
    default:
      break;
  }
  return TRUE;
}
