// Binding to the host's API library off Windows: libcqapi.so in the run
// directory (the directory of the host's executable), looked up when first
// needed.
#include <dlfcn.h>

#include "platform/env.h"
#include "platform/host_api.h"
#include "platform/posix/cp936.h"
#include "platform/posix/utf8.h"

namespace tarvolo {
namespace {

using HostFunction = int (*)(const char*, const char*);

class CqapiLibrary : public HostApi {
 public:
  void post_group_message(const GbkText& group, const GbkText& message) override {
    call(send_, "api_message_group_send", group, message);
  }
  void kick_member(const GbkText& group, const GbkText& qq) override {
    call(kick_, "api_kick_group", group, qq);
  }

 private:
  // A missing library or name is looked up again on the next call.
  void call(HostFunction& function, const char* name, const GbkText& first,
            const GbkText& second) {
    if (function == nullptr) {
      if (library_ == nullptr) library_ = ::dlopen(library_path().c_str(), RTLD_NOW | RTLD_LOCAL);
      if (library_ == nullptr) return;
      function = reinterpret_cast<HostFunction>(::dlsym(library_, name));
      if (function == nullptr) return;
    }
    function(first.c_str(), second.c_str());
  }

  static std::string library_path() {
    const std::string exe = utf16_to_utf8(cp936_to_utf16(Env::Default().executable_path()));
    const std::size_t slash = exe.rfind('/');
    return (slash == std::string::npos ? std::string(".") : exe.substr(0, slash)) +
           "/libcqapi.so";
  }

  void* library_ = nullptr;
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
