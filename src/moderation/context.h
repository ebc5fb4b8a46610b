// What the moderation engine works with: the config directory (and through
// it the platform), the host's API and the main window's group list.
#ifndef TARVOLO_MODERATION_CONTEXT_H_
#define TARVOLO_MODERATION_CONTEXT_H_

#include <functional>

#include "platform/host_api.h"
#include "store/config_dir.h"
#include "text/gbk_text.h"

namespace tarvolo {

struct ModerationContext {
  ConfigDir config;
  HostApi* host;
  // Rebuilds the main window's group list after an administrator change;
  // may be empty (no window).
  std::function<void()> refresh_group_list;
};

// The reply of keyword screening after it has removed the sender or opened a
// vote and posted its own notice.
extern const char kNoReply[];  // "[noreply]"

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_CONTEXT_H_
