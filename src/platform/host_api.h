// The two functions of the host's API library that the plug-in calls.
//
// On Windows the library is cqapi.dll, found by the usual DLL search; off
// Windows it is libcqapi.so in the run directory. Both functions take two
// NUL-terminated code page 936 texts (group number first) and return an int
// that the plug-in ignores. The library and its two names are looked up on
// first use; while one is missing the call does nothing and the next call
// looks again.
#ifndef TARVOLO_PLATFORM_HOST_API_H_
#define TARVOLO_PLATFORM_HOST_API_H_

#include "text/gbk_text.h"

namespace tarvolo {

class HostApi {
 public:
  virtual ~HostApi() = default;

  // The binding to the real host library; lives as long as the process.
  static HostApi& Default();

  // api_message_group_send(group, message)
  virtual void post_group_message(const GbkText& group, const GbkText& message) = 0;
  // api_kick_group(group, qq)
  virtual void kick_member(const GbkText& group, const GbkText& qq) = 0;
};

}  // namespace tarvolo

#endif  // TARVOLO_PLATFORM_HOST_API_H_
