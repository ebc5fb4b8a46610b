#include "moderation/blacklist_commands.h"

#include "moderation/command_text.h"
#include "store/blacklist_file.h"
#include "store/warning_count_dir.h"

namespace tarvolo {

namespace {

const char kRemoveCommand[] = "#删黑名单";
const char kAddCommand[] = "#加黑名单";
const char kClearCommand[] = "#清空黑名单";
// Only the whole message is this command, not a message holding it.
const char kDeleteWarningsCommand[] = "#删除全部警告";
const char kListCommand[] = "#查黑名单";

const char kBadQqReply[] = "请输入正确的QQ号码！";
const char kRemovedReply[] = "删除成功！";
const char kAddedReply[] = "添加成功！";
const char kClearedReply[] = "清空成功！";
const char kBlacklistHeading[] = "当前本群黑名单成员如下：\r\n";

}  // namespace

std::optional<GbkText> handle_blacklist_command(const ModerationContext& context,
                                                const GbkText& message, const GbkText& group) {
  const BlacklistFile blacklist(context.config);

  if (command_present(message, kRemoveCommand)) {
    const GbkText qq = command_argument(message, kRemoveCommand);
    if (!is_qq_argument(qq)) return GbkText(kBadQqReply);
    blacklist.blacklist_remove(group, qq);
    return GbkText(kRemovedReply);
  }

  if (command_present(message, kAddCommand)) {
    const GbkText qq = command_argument(message, kAddCommand);
    if (!is_qq_argument(qq)) return GbkText(kBadQqReply);
    if (!blacklist.blacklist_add(group, qq)) return GbkText(kListFullReply);
    return GbkText(kAddedReply);
  }

  if (command_present(message, kClearCommand)) {
    blacklist.blacklist_clear(group);
    return GbkText(kClearedReply);
  }

  if (message == kDeleteWarningsCommand) {
    WarningCountDir(context.config).delete_warning_counts(group);
    return GbkText(kRemovedReply);
  }

  if (command_present(message, kListCommand)) {
    return kBlacklistHeading + blacklist.read_blacklist(group);
  }

  return std::nullopt;
}

}  // namespace tarvolo
