// The administrator and blacklist commands, blacklist enforcement and member
// removal, each called as the dispatcher calls it, with their effect on the
// files checked byte for byte.
#include <gtest/gtest.h>

#include <optional>

#include "moderation/admin_commands.h"
#include "moderation/blacklist_commands.h"
#include "moderation/blacklist_enforcement.h"
#include "moderation/command_text.h"
#include "moderation/member_removal.h"
#include "support/full_qq_list.h"
#include "support/moderation_test.h"

namespace tarvolo {
namespace {

using fixtures::full_qq_list;
using fixtures::kick;
using fixtures::RecordingHostApi;
using fixtures::TempRunDir;

const char kSettings[] = "Tarvolo.ini";
const char kBlacklist[] = "黑名单.ini";
const char kQueue[] = "任务队列.ini";
const char kMissing[] = "<missing>";

// One command: the file it works on before, the message, the reply (none
// when nullptr), the file after, and whether the main window's group list
// is to be refreshed.
struct CommandCase {
  std::string before;  // kMissing: no file
  GbkText message;
  const char* reply;
  std::string after;
  bool refreshes_list = false;
};

std::string describe(const CommandCase& c) {
  return ::testing::PrintToString(c.message) + " on " + ::testing::PrintToString(c.before);
}

class CommandsTest : public fixtures::ModerationTest {
 protected:

  void store(const char* name, const std::string& contents) {
    if (contents == kMissing) {
      Env::Default().delete_file(dir.config_file(name));
    } else {
      dir.write(name, contents);
    }
  }

  static std::optional<GbkText> expected_reply(const char* reply) {
    return reply == nullptr ? std::nullopt : std::optional<GbkText>(reply);
  }
};

TEST_F(CommandsTest, AdministratorCommandsKeepTheGroupsList) {
  const std::string full = "[100]\r\n管理员=" + full_qq_list() + "\r\n";
  const CommandCase cases[] = {
      {kMissing, "#添加管理员", "请输入正确的管理员QQ！", kMissing},
      {kMissing, "#添加管理员#添加管理员", "请输入正确的管理员QQ！", kMissing},
      {kMissing, "#添加管理员10001", "添加成功！", "[100]\r\n管理员=10001,\r\n", true},
      {"[100]\r\n管理员=10001,\r\n", "#添加管理员10001", "添加成功！",
       "[100]\r\n管理员=10001,10001,\r\n", true},
      {kMissing, "人#添加管理员10001", "添加成功！", "[100]\r\n管理员=人10001,\r\n", true},
      {"[100]\r\n管理员=10001,10002,\r\n", "#删除管理员10001", "删除成功！",
       "[100]\r\n管理员=10002,\r\n", true},
      {kMissing, "#删除管理员", "请输入正确的管理员QQ！", kMissing},
      {kMissing, "#删除管理员5", "删除成功！", "[100]\r\n管理员=\r\n", true},
      {"[100]\r\n管理员=1,\r\n", "#删除管理员5", "删除成功！", "[100]\r\n管理员=1,\r\n", true},
      // The first command present wins; the rest is its argument.
      {"[100]\r\n管理员=10001#查询管理员,5,\r\n", "#删除管理员10001#查询管理员", "删除成功！",
       "[100]\r\n管理员=5,\r\n", true},
      {kMissing, "#查询管理员", "当前本群拥有以下管理：\r\n", kMissing},
      {"[100]\r\n管理员=10001,10002,\r\n", "看看#查询管理员", "当前本群拥有以下管理：\r\n10001,10002,",
       "[100]\r\n管理员=10001,10002,\r\n"},
      {"[200]\r\n管理员=7,\r\n", "#查询管理员", "当前本群拥有以下管理：\r\n",
       "[200]\r\n管理员=7,\r\n"},
      // A line break is no QQ number: it would add lines to the file.
      {kMissing, "#添加管理员1\r[100]", "请输入正确的管理员QQ！", kMissing},
      {kMissing, "#添加管理员1\n开关=1", "请输入正确的管理员QQ！", kMissing},
      {"[100]\r\n管理员=1,\r\n", "#删除管理员1\n", "请输入正确的管理员QQ！",
       "[100]\r\n管理员=1,\r\n"},
      {full, "#添加管理员1234567890", kListFullReply, full},
      {kMissing, "#加黑名单10001", nullptr, kMissing},
      {kMissing, "", nullptr, kMissing},
  };
  for (const CommandCase& c : cases) {
    store(kSettings, c.before);
    refreshes = 0;
    EXPECT_EQ(handle_admin_command(context, c.message, "100"), expected_reply(c.reply))
        << describe(c);
    EXPECT_EQ(dir.read(kSettings), c.after) << describe(c);
    EXPECT_EQ(refreshes, c.refreshes_list ? 1 : 0) << describe(c);
  }
}

TEST_F(CommandsTest, AnAdministratorChangeWithoutAWindowOnlyWritesTheFile) {
  context.refresh_group_list = nullptr;
  EXPECT_EQ(handle_admin_command(context, "#添加管理员5", "100"), GbkText("添加成功！"));
  EXPECT_EQ(dir.read(kSettings), "[100]\r\n管理员=5,\r\n");
}

TEST_F(CommandsTest, BlacklistCommandsKeepTheGroupsList) {
  const std::string full = "[100]\r\n黑名单=" + full_qq_list() + "\r\n";
  const std::string two_groups = "[100]\r\n黑名单=1,\r\n[200]\r\n黑名单=2,\r\n";
  const CommandCase cases[] = {
      {kMissing, "#加黑名单10001", "添加成功！", "[100]\r\n黑名单=10001,\r\n"},
      {"[100]\r\n黑名单=10001,\r\n", "#加黑名单10001", "添加成功！",
       "[100]\r\n黑名单=10001,10001,\r\n"},
      {kMissing, "#加黑名单", "请输入正确的QQ号码！", kMissing},
      {kMissing, "请#加黑名单10001", "添加成功！", "[100]\r\n黑名单=请10001,\r\n"},
      {"[100]\r\n黑名单=10001,10002,\r\n", "#删黑名单10001", "删除成功！",
       "[100]\r\n黑名单=10002,\r\n"},
      {kMissing, "#删黑名单", "请输入正确的QQ号码！", kMissing},
      {kMissing, "#删黑名单5", "删除成功！", "[100]\r\n黑名单=\r\n"},
      {two_groups, "#清空黑名单", "清空成功！", "[200]\r\n黑名单=2,\r\n"},
      {two_groups, "#清空黑名单10001", "清空成功！", "[200]\r\n黑名单=2,\r\n"},
      {kMissing, "#查黑名单", "当前本群黑名单成员如下：\r\n", kMissing},
      {two_groups, "#查黑名单", "当前本群黑名单成员如下：\r\n1,", two_groups},
      // Tested in a fixed order: removal, addition, clearing, listing.
      {two_groups, "#清空黑名单#删黑名单1", "删除成功！", two_groups},
      {two_groups, "#查黑名单#加黑名单3", "添加成功！",
       "[100]\r\n黑名单=1,#查黑名单3,\r\n[200]\r\n黑名单=2,\r\n"},
      {two_groups, "#查黑名单#清空黑名单", "清空成功！", "[200]\r\n黑名单=2,\r\n"},
      // A line break is no QQ number: it would add lines to the file.
      {kMissing, "#加黑名单1\r[200]", "请输入正确的QQ号码！", kMissing},
      {two_groups, "#删黑名单1\n", "请输入正确的QQ号码！", two_groups},
      {full, "#加黑名单1234567890", kListFullReply, full},
      {two_groups, "#添加管理员1", nullptr, two_groups},
      {two_groups, "#删除全部警告x", nullptr, two_groups},
  };
  for (const CommandCase& c : cases) {
    store(kBlacklist, c.before);
    EXPECT_EQ(handle_blacklist_command(context, c.message, "100"), expected_reply(c.reply))
        << describe(c);
    EXPECT_EQ(dir.read(kBlacklist), c.after) << describe(c);
  }
  EXPECT_EQ(refreshes, 0);
}

TEST_F(CommandsTest, DeletingAllWarningsTakesOnlyTheWholeMessage) {
  const GbkText warnings = GbkText("警告次数") + kPathSeparator;
  ASSERT_TRUE(Env::Default().create_directory(dir.config_file("警告次数")));
  dir.write(warnings + "100.ini", "x");
  dir.write(warnings + "200.ini", "y");

  EXPECT_EQ(handle_blacklist_command(context, "#删除全部警告x", "100"), std::nullopt);
  EXPECT_EQ(handle_blacklist_command(context, "x#删除全部警告", "100"), std::nullopt);
  EXPECT_TRUE(dir.exists(warnings + "100.ini"));

  EXPECT_EQ(handle_blacklist_command(context, "#删除全部警告", "100"), GbkText("删除成功！"));
  EXPECT_FALSE(dir.exists(warnings + "100.ini"));
  EXPECT_TRUE(dir.exists(warnings + "200.ini"));
  // Nothing left to delete, or a group that names another place: the same
  // reply, and nothing else goes.
  EXPECT_EQ(handle_blacklist_command(context, "#删除全部警告", "100"), GbkText("删除成功！"));
  EXPECT_EQ(handle_blacklist_command(context, "#删除全部警告", "../警告次数/200"),
            GbkText("删除成功！"));
  EXPECT_TRUE(dir.exists(warnings + "200.ini"));
}

TEST_F(CommandsTest, EnforcementKicksAListedSenderAndChangesNoFile) {
  const std::string blacklist = "[100]\r\n黑名单=10001,10002,\r\n";
  const std::string queue = "[10001]\r\n群号=300\r\n获得票数=1\r\n";
  dir.write(kBlacklist, blacklist);
  dir.write(kQueue, queue);
  dir.write(kSettings, "[100]\r\n自动加黑名单=1\r\n");

  EXPECT_EQ(enforce_blacklist(context, "100", "1000"), std::nullopt);
  EXPECT_EQ(enforce_blacklist(context, "200", "10001"), std::nullopt);
  EXPECT_TRUE(host.calls.empty());

  EXPECT_EQ(enforce_blacklist(context, "100", "10001"),
            GbkText("QQ：10001 存在于黑名单，现已被T出本群。"));
  EXPECT_EQ(host.calls, (std::vector<fixtures::HostCall>{kick("100", "10001")}));
  EXPECT_EQ(dir.read(kBlacklist), blacklist);
  EXPECT_EQ(dir.read(kQueue), queue);
}

TEST_F(CommandsTest, RemovalKicksEndsTheVoteAndBlacklistsWhenTheGroupSaysSo) {
  const std::string queue =
      "[111]\r\n群号=300\r\n类型=投票移除\r\n获得票数=2\r\n[222]\r\n群号=100\r\n";
  const std::string queue_without_111 = "[222]\r\n群号=100\r\n";
  const std::string full = "[100]\r\n黑名单=" + full_qq_list() + "\r\n";
  const struct {
    const char* auto_blacklist;  // nullptr: no key
    std::string blacklist_before;
    std::string blacklist_after;
  } cases[] = {
      {"1", kMissing, "[100]\r\n黑名单=111,\r\n"},
      {"1", "[100]\r\n黑名单=111,\r\n", "[100]\r\n黑名单=111,111,\r\n"},
      {"0", kMissing, kMissing},
      {nullptr, kMissing, kMissing},
      {"yes", "[100]\r\n黑名单=5,\r\n", "[100]\r\n黑名单=5,\r\n"},
      {"1", full, full},  // no room: removed all the same
  };
  for (const auto& c : cases) {
    const std::string settings =
        c.auto_blacklist ? "[100]\r\n自动加黑名单=" + std::string(c.auto_blacklist) + "\r\n"
                         : "[100]\r\n开关=1\r\n";
    dir.write(kSettings, settings);
    dir.write(kQueue, queue);
    store(kBlacklist, c.blacklist_before);
    host.calls.clear();

    remove_member(context, "100", "111");

    const std::string what = c.auto_blacklist ? c.auto_blacklist : "<none>";
    EXPECT_EQ(host.calls, (std::vector<fixtures::HostCall>{kick("100", "111")})) << what;
    EXPECT_EQ(dir.read(kQueue), queue_without_111) << what;
    EXPECT_EQ(dir.read(kBlacklist), c.blacklist_after) << what;
    EXPECT_EQ(dir.read(kSettings), settings) << what;
  }
}

}  // namespace
}  // namespace tarvolo
