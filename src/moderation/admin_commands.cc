#include "moderation/admin_commands.h"

#include "moderation/command_text.h"
#include "store/settings_file.h"

namespace tarvolo {

namespace {

const char kAddAdminCommand[] = "#添加管理员";
const char kRemoveAdminCommand[] = "#删除管理员";
const char kListAdminsCommand[] = "#查询管理员";

const char kBadAdminReply[] = "请输入正确的管理员QQ！";
const char kAddedReply[] = "添加成功！";
const char kRemovedReply[] = "删除成功！";
const char kAdminListHeading[] = "当前本群拥有以下管理：\r\n";

// The main window lists the groups of the settings file; a change may have
// added one.
void refresh_group_list(const ModerationContext& context) {
  if (context.refresh_group_list) context.refresh_group_list();
}

}  // namespace

std::optional<GbkText> handle_admin_command(const ModerationContext& context,
                                            const GbkText& message, const GbkText& group) {
  const SettingsFile settings(context.config);

  if (command_present(message, kAddAdminCommand)) {
    const GbkText qq = command_argument(message, kAddAdminCommand);
    if (!is_qq_argument(qq)) return GbkText(kBadAdminReply);
    if (!settings.admin_list_add(group, qq)) return GbkText(kListFullReply);
    refresh_group_list(context);
    return GbkText(kAddedReply);
  }

  if (command_present(message, kRemoveAdminCommand)) {
    const GbkText qq = command_argument(message, kRemoveAdminCommand);
    if (!is_qq_argument(qq)) return GbkText(kBadAdminReply);
    settings.admin_list_remove(group, qq);
    refresh_group_list(context);
    return GbkText(kRemovedReply);
  }

  if (command_present(message, kListAdminsCommand)) {
    return kAdminListHeading + settings.read_admin_list(group);
  }

  return std::nullopt;
}

}  // namespace tarvolo
