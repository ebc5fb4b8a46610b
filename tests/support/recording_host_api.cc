#include "support/recording_host_api.h"

#include <gtest/gtest.h>

namespace tarvolo {
namespace fixtures {

std::ostream& operator<<(std::ostream& out, const HostCall& call) {
  return out << (call.kind == HostCall::kPost ? "post(" : "kick(") << call.group << ", "
             << ::testing::PrintToString(call.text) << ")";
}

HostCall post(const GbkText& group, const GbkText& message) {
  return HostCall{HostCall::kPost, group, message};
}

HostCall kick(const GbkText& group, const GbkText& qq) {
  return HostCall{HostCall::kKick, group, qq};
}

}  // namespace fixtures
}  // namespace tarvolo
