#include "moderation/member_removal.h"

#include "store/blacklist_file.h"
#include "store/settings_file.h"
#include "store/vote_queue_file.h"

namespace tarvolo {

namespace {
const char kAutoBlacklistOn[] = "1";
}  // namespace

void remove_member(const ModerationContext& context, const GbkText& group, const GbkText& qq) {
  // The member counts as gone whatever the host made of the request.
  context.host->kick_member(group, qq);
  const GbkText auto_blacklist =
      SettingsFile(context.config).read_group_setting(group, kAutoBlacklistKey);
  // Ends any open vote on the member, whichever group it was opened in.
  VoteQueueFile(context.config).delete_vote_task(qq);
  // Appended even when listed already. A full list takes no more entries;
  // the member is removed all the same.
  if (auto_blacklist == kAutoBlacklistOn) BlacklistFile(context.config).blacklist_add(group, qq);
}

}  // namespace tarvolo
