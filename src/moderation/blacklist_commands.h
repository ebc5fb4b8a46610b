// The administrators' chat commands: "#删黑名单", "#加黑名单", "#清空黑名单",
// "#删除全部警告" (only as the whole message) and "#查黑名单", tested in
// that order.
#ifndef TARVOLO_MODERATION_BLACKLIST_COMMANDS_H_
#define TARVOLO_MODERATION_BLACKLIST_COMMANDS_H_

#include <optional>

#include "moderation/context.h"
#include "text/gbk_text.h"

namespace tarvolo {

std::optional<GbkText> handle_blacklist_command(const ModerationContext& context,
                                                const GbkText& message, const GbkText& group);

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_BLACKLIST_COMMANDS_H_
