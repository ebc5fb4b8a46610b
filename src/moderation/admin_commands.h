// The super administrator's chat commands: "#添加管理员", "#删除管理员" and
// "#查询管理员", acting on the administrator list of the group in which the
// command is sent.
#ifndef TARVOLO_MODERATION_ADMIN_COMMANDS_H_
#define TARVOLO_MODERATION_ADMIN_COMMANDS_H_

#include <optional>

#include "moderation/context.h"
#include "text/gbk_text.h"

namespace tarvolo {

// The reply of the first command present in the normalised message, or none
// when the message holds none of the three.
std::optional<GbkText> handle_admin_command(const ModerationContext& context,
                                            const GbkText& message, const GbkText& group);

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_ADMIN_COMMANDS_H_
