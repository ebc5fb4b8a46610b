// Binding to the host's cqapi.dll, looked up when first needed.
#include <windows.h>

#include "platform/host_api.h"

namespace tarvolo {
namespace {

using HostFunction = int(__stdcall*)(const char*, const char*);

class CqapiLibrary : public HostApi {
 public:
  void post_group_message(const GbkText& group, const GbkText& message) override {
    call(send_, "api_message_group_send", group, message);
  }
  void kick_member(const GbkText& group, const GbkText& qq) override {
    call(kick_, "api_kick_group", group, qq);
  }

 private:
  // A missing library or name is looked up again on the next call, so the
  // plug-in starts working as soon as the host provides it.
  void call(HostFunction& function, const char* name, const GbkText& first,
            const GbkText& second) {
    if (function == nullptr) {
      if (library_ == nullptr) library_ = LoadLibraryA("cqapi.dll");
      if (library_ == nullptr) return;
      function = reinterpret_cast<HostFunction>(
          reinterpret_cast<void*>(GetProcAddress(library_, name)));
      if (function == nullptr) return;
    }
    function(first.c_str(), second.c_str());
  }

  HMODULE library_ = nullptr;
  HostFunction send_ = nullptr;
  HostFunction kick_ = nullptr;
};

}  // namespace

HostApi& HostApi::Default() {
  // Never destroyed: calls may come while the library is being unloaded.
  static CqapiLibrary* const library = new CqapiLibrary;
  return *library;
}

}  // namespace tarvolo
