// Removal of a blacklisted member as soon as they speak in a switched-on
// group: the bare host call and a notice, nothing else.
#ifndef TARVOLO_MODERATION_BLACKLIST_ENFORCEMENT_H_
#define TARVOLO_MODERATION_BLACKLIST_ENFORCEMENT_H_

#include <optional>

#include "moderation/context.h"
#include "text/gbk_text.h"

namespace tarvolo {

// The removal notice when the sender is on the group's blacklist (and was
// kicked), none otherwise.
std::optional<GbkText> enforce_blacklist(const ModerationContext& context, const GbkText& group,
                                         const GbkText& sender);

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_BLACKLIST_ENFORCEMENT_H_
