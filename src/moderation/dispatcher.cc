#include "moderation/dispatcher.h"

#include "moderation/admin_commands.h"
#include "moderation/blacklist_commands.h"
#include "moderation/blacklist_enforcement.h"
#include "moderation/command_text.h"
#include "moderation/normalise.h"
#include "moderation/screening.h"
#include "moderation/votes.h"
#include "pattern/pattern_object.h"
#include "store/settings_file.h"

namespace tarvolo {

const char kNoReply[] = "[noreply]";

namespace {
const char kGroupMessageKind[] = "2";
const char kVoteForCommand[] = "#赞同";
const char kVoteAgainstCommand[] = "#反对";
}  // namespace

GbkText dispatch_group_message(const ModerationContext& context, GbkText& message,
                               const GbkText& kind, const GbkText& group, const GbkText& sender,
                               const GbkText& /*extra*/) {
  // One pattern object per message, created before the first test and
  // released on every way out.
  const PatternObjectPtr patterns = create_pattern_object();

  if (sender.empty()) return GbkText();
  if (kind != kGroupMessageKind) return GbkText();

  message = normalise_message(message);

  const SettingsFile settings(context.config);
  const bool super_flag = settings.is_super_admin(sender);
  const bool admin_flag = settings.is_group_admin(sender, group);

  if (super_flag) {
    if (auto reply = handle_admin_command(context, message, group)) return *reply;
  }
  if (admin_flag) {
    if (auto reply = handle_blacklist_command(context, message, group)) return *reply;
  }

  for (const char* command : {kVoteForCommand, kVoteAgainstCommand}) {
    if (command_present(message, command)) {
      const GbkText member = normalise_message(command_argument(message, command));
      return handle_vote_command(context, command, member, sender, group);
    }
  }

  // Administrators are never tested against the blacklist nor screened.
  if (admin_flag) return GbkText();

  const GbkText switch_value = settings.read_group_setting(group, kSwitchKey);
  if (switch_value.empty() || switch_value == "0") return GbkText();

  if (auto notice = enforce_blacklist(context, group, sender)) return *notice;

  return screen_message(context, message, group, sender, *patterns);
}

}  // namespace tarvolo
