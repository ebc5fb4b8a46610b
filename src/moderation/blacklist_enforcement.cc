#include "moderation/blacklist_enforcement.h"

#include "store/blacklist_file.h"

namespace tarvolo {

std::optional<GbkText> enforce_blacklist(const ModerationContext& context, const GbkText& group,
                                         const GbkText& sender) {
  if (!BlacklistFile(context.config).blacklist_contains(group, sender)) return std::nullopt;
  // The bare host call: a blacklisted member's open vote and the blacklist
  // itself stay as they are.
  context.host->kick_member(group, sender);
  return "QQ：" + sender + " 存在于黑名单，现已被T出本群。";
}

}  // namespace tarvolo
