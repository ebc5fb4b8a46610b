#include "moderation/dispatcher.h"

#include <gtest/gtest.h>

#include <string>

#include "store/blacklist_file.h"
#include "store/settings_file.h"
#include "support/moderation_test.h"

namespace tarvolo {
namespace {

using fixtures::RecordingHostApi;
using fixtures::TempRunDir;

class DispatcherTest : public fixtures::ModerationTest {
 protected:

  // The super administrator 1; group 100 has the administrator 5, the
  // given switch line and a threshold that no message without keywords
  // reaches; 8 and 5 are blacklisted in group 100.
  void settle_groups(const std::string& switch_line = "开关=1\r\n") {
    dir.write("Tarvolo.ini", "[超级管理员]\r\nQQ=1\r\n[100]\r\n" + switch_line +
                                 "触发次数=99\r\n管理员=5,\r\n");
    dir.write("黑名单.ini", kBlacklist);
  }

  static constexpr char kBlacklist[] = "[100]\r\n黑名单=8,5,\r\n";
  static constexpr char kEnforced[] = "QQ：8 存在于黑名单，现已被T出本群。";
};

TEST_F(DispatcherTest, EmptySenderOrOtherKindGetsNoReply) {
  dir.write("Tarvolo.ini", "[超级管理员]\r\nQQ=1\r\n");
  EXPECT_EQ(dispatch("#查询管理员", "100", ""), "");
  EXPECT_EQ(dispatch("#查询管理员", "100", "1", "1"), "");
  EXPECT_EQ(dispatch("#查询管理员", "100", "1", "02"), "");
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(DispatcherTest, CommandStepsWorkOnTheNormalisedMessage) {
  GbkText message = "a b\r\nc+d";
  dispatch_group_message(context, message, "2", "100", "5", "");
  EXPECT_EQ(message, "abcd");
}

TEST_F(DispatcherTest, KindIsTestedBeforeNormalising) {
  GbkText message = "a b";
  dispatch_group_message(context, message, "1", "100", "5", "");
  EXPECT_EQ(message, "a b");
}

TEST_F(DispatcherTest, SuperAdministratorCommandStandsAnywhereInTheMessage) {
  settle_groups();
  EXPECT_EQ(dispatch("看看 #查询管理员", "100", "1"), "当前本群拥有以下管理：\r\n5,");
  // The group's own administrator has no such command: nothing to say.
  EXPECT_EQ(dispatch("#查询管理员", "100", "5"), "");
  EXPECT_EQ(dispatch("#添加管理员 10001", "100", "5"), "");
  EXPECT_EQ(SettingsFile(context.config).read_admin_list("100"), "5,");
  EXPECT_EQ(refreshes, 0);
}

TEST_F(DispatcherTest, SuperAdministratorHasTheAdministratorsCommandsEverywhere) {
  settle_groups();
  EXPECT_EQ(dispatch("#加黑名单 10001", "300", "1"), "添加成功！");
  EXPECT_EQ(dir.read("黑名单.ini"), std::string(kBlacklist) + "[300]\r\n黑名单=10001,\r\n");
}

TEST_F(DispatcherTest, DeletingAllWarningsIsTheWholeNormalisedMessage) {
  settle_groups();
  const GbkText warnings = GbkText("警告次数") + kPathSeparator + "100.ini";
  ASSERT_TRUE(Env::Default().create_directory(dir.config_file("警告次数")));
  dir.write(warnings, "3");
  // A further character makes it no command: the vote commands find nothing
  // and administrators are not screened.
  EXPECT_EQ(dispatch("#删除全部警告x", "100", "5"), "");
  EXPECT_TRUE(dir.exists(warnings));
  EXPECT_EQ(dispatch("#删除全部警告 ", "100", "5"), "删除成功！");
  EXPECT_FALSE(dir.exists(warnings));
}

TEST_F(DispatcherTest, AnArgumentWithALoneLineBreakIsRefused) {
  settle_groups();
  EXPECT_EQ(dispatch("#加黑名单 9\n[200]", "100", "5"), "请输入正确的QQ号码！");
  EXPECT_EQ(dispatch("#添加管理员 9\r开关=1", "100", "1"), "请输入正确的管理员QQ！");
  EXPECT_EQ(dir.read("黑名单.ini"), kBlacklist);
  // A CR LF pair is gone before the command sees it.
  EXPECT_EQ(dispatch("#加黑名单 9\r\n", "100", "5"), "添加成功！");
  EXPECT_EQ(BlacklistFile(context.config).read_blacklist("100"), "8,5,9,");
}

TEST_F(DispatcherTest, AnOrdinaryMembersCommandTextIsAnOrdinaryMessage) {
  settle_groups();
  EXPECT_EQ(dispatch("#删黑名单 8", "100", "8"), kEnforced);
  EXPECT_EQ(dispatch("#加黑名单 9", "100", "7"), "");
  EXPECT_EQ(host.calls, (std::vector<fixtures::HostCall>{fixtures::kick("100", "8")}));
  EXPECT_EQ(dir.read("黑名单.ini"), kBlacklist);
}

TEST_F(DispatcherTest, ABlacklistedAdministratorIsNotRemoved) {
  settle_groups();
  EXPECT_EQ(dispatch("hello", "100", "5"), "");
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(DispatcherTest, OnlyASwitchOtherThanEmptyOrZeroEnforces) {
  const struct {
    std::string switch_line;
    bool enforced;
  } cases[] = {
      {"", false}, {"开关=\r\n", false}, {"开关=0\r\n", false},
      {"开关=1\r\n", true}, {"开关=yes\r\n", true}, {"开关=00\r\n", true},
  };
  for (const auto& c : cases) {
    settle_groups(c.switch_line);
    host.calls.clear();
    EXPECT_EQ(dispatch("hello", "100", "8"), c.enforced ? kEnforced : "") << c.switch_line;
    EXPECT_EQ(host.calls.size(), c.enforced ? 1u : 0u) << c.switch_line;
  }
}

TEST_F(DispatcherTest, CommandsWorkWhateverTheSwitch) {
  settle_groups("开关=0\r\n");
  EXPECT_EQ(dispatch("#查黑名单", "100", "5"), std::string("当前本群黑名单成员如下：\r\n") + "8,5,");
  // A group without a section gets one with its first administrator, and
  // the main window is asked to list it.
  EXPECT_EQ(dispatch("#添加管理员 10001", "400", "1"), "添加成功！");
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(SettingsFile(context.config).list_groups(), (std::vector<GbkText>{"100", "400"}));
  EXPECT_EQ(SettingsFile(context.config).read_group_setting("400", kSwitchKey), "");
  EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace tarvolo
