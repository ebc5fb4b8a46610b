// The one procedure through which a sanction takes a member out of a group.
#ifndef TARVOLO_MODERATION_MEMBER_REMOVAL_H_
#define TARVOLO_MODERATION_MEMBER_REMOVAL_H_

#include "moderation/context.h"
#include "text/gbk_text.h"

namespace tarvolo {

// Kicks the member, ends any open removal vote on them and, when the group's
// "自动加黑名单" is "1", adds them to the group's blacklist.
void remove_member(const ModerationContext& context, const GbkText& group, const GbkText& qq);

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_MEMBER_REMOVAL_H_
