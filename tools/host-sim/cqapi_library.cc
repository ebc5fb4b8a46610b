// A stand-in for the host's API library (cqapi.dll / libcqapi.so): it prints
// every post and removal the plug-in asks for and records them, so that the
// simulator shows them and tests can read them back.
#include <cstdio>
#include <string>

#include "console_text.h"

#ifdef _WIN32
#define CQAPI_EXPORT extern "C" __declspec(dllexport)
#define CQAPI_CALL __stdcall
#else
#define CQAPI_EXPORT extern "C" __attribute__((visibility("default")))
#define CQAPI_CALL
#endif

namespace {

std::string& call_log() {
  static std::string log;
  return log;
}

bool echo = true;

void record(const char* what, const char* group, const char* text) {
  const std::string group_text = group == nullptr ? "" : group;
  const std::string body = text == nullptr ? "" : text;
  call_log() += std::string(what) + "\t" + group_text + "\t" + body + "\n";
  if (echo) {
    std::string shown = host_sim::gbk_to_utf8(body);
    for (std::size_t pos = shown.find("\r\n"); pos != std::string::npos;
         pos = shown.find("\r\n", pos)) {
      shown.replace(pos, 2, "\n    ");
    }
    std::printf("  [%s %s] %s\n", what, host_sim::gbk_to_utf8(group_text).c_str(),
                shown.c_str());
    std::fflush(stdout);
  }
}

}  // namespace

// Posts a message to a group.
CQAPI_EXPORT int CQAPI_CALL api_message_group_send(const char* group, const char* message) {
  record("post", group, message);
  return 0;
}

// Removes a member from a group.
CQAPI_EXPORT int CQAPI_CALL api_kick_group(const char* group, const char* qq) {
  record("kick", group, qq);
  return 0;
}

// Every call since the last clear, one line each: "post|kick", TAB, group,
// TAB, text or QQ number, in code page 936.
CQAPI_EXPORT const char* cqapi_call_log() { return call_log().c_str(); }
CQAPI_EXPORT void cqapi_clear_call_log() { call_log().clear(); }
// Whether calls are printed to standard output (on by default).
CQAPI_EXPORT void cqapi_set_echo(int enabled) { echo = enabled != 0; }
