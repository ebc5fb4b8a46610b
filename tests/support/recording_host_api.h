// A host API that records the plug-in's calls instead of acting on QQ.
#ifndef TARVOLO_TESTS_SUPPORT_RECORDING_HOST_API_H_
#define TARVOLO_TESTS_SUPPORT_RECORDING_HOST_API_H_

#include <ostream>
#include <vector>

#include "platform/host_api.h"
#include "text/gbk_text.h"

namespace tarvolo {
namespace fixtures {

struct HostCall {
  enum Kind { kPost, kKick } kind;
  GbkText group;
  GbkText text;  // the message, or the QQ number removed

  friend bool operator==(const HostCall& a, const HostCall& b) {
    return a.kind == b.kind && a.group == b.group && a.text == b.text;
  }
};

std::ostream& operator<<(std::ostream& out, const HostCall& call);

HostCall post(const GbkText& group, const GbkText& message);
HostCall kick(const GbkText& group, const GbkText& qq);

class RecordingHostApi : public HostApi {
 public:
  void post_group_message(const GbkText& group, const GbkText& message) override {
    calls.push_back(post(group, message));
  }
  void kick_member(const GbkText& group, const GbkText& qq) override {
    calls.push_back(kick(group, qq));
  }

  std::vector<HostCall> calls;
};

}  // namespace fixtures
}  // namespace tarvolo

#endif  // TARVOLO_TESTS_SUPPORT_RECORDING_HOST_API_H_
