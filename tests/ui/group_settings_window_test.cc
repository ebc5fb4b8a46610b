// The group settings window: its fill modes and what closing it saves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/settings_file.h"
#include "ui/window_layout.h"
#include "window_test_fixture.h"

namespace tarvolo {
namespace testing_ui {
namespace {

using namespace group_settings_window;

class GroupSettingsWindowTest : public WindowTest {
 protected:
  GroupSettingsWindow& window() { return windows.group_settings_window(); }
  // Opens the window as the main window does and fills it.
  MemoryWindowView& open(const GbkText& group, const GbkText& mode) {
    window().open();
    window().fill_group_settings_window(group, mode);
    MemoryWindowView* view = settings_view();
    EXPECT_NE(view, nullptr);
    return *view;
  }
};

TEST_F(GroupSettingsWindowTest, OpensWithItsDefaults) {
  window().open();
  MemoryWindowView* view = settings_view();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->is_shown());
  EXPECT_EQ(view->text(kGroupBox), "");
  EXPECT_TRUE(view->is_enabled(kGroupBox));
  EXPECT_EQ(view->text(kTriggerCountBox), "2");
  EXPECT_EQ(view->text(kVoteLimitBox), "3");
  EXPECT_EQ(view->selected_item(kActionModeList), 0);
  EXPECT_FALSE(view->is_checked(kAutoBlacklistBox));
}

TEST_F(GroupSettingsWindowTest, EditModeShowsTheStoredSettings) {
  const struct {
    const char* section;
    int item;
    const char* trigger;
    const char* limit;
    bool checked;
  } cases[] = {
      {"操作方式=0\r\n触发次数=2\r\n得票上限=3\r\n自动加黑名单=1\r\n", 0, "2", "3", true},
      {"操作方式=1\r\n自动加黑名单=0\r\n", 1, "", "", false},
      {"操作方式=2\r\n触发次数=abc\r\n", 2, "abc", "", false},
      {"操作方式=7\r\n", 2, "", "", false},          // beyond the last item: the last
      {"操作方式=abc\r\n", 0, "", "", false},        // no number: the first
      {"操作方式=-1\r\n", -1, "", "", false},        // below the first: none
      {"操作方式=-5\r\n", -1, "", "", false},
      {"操作方式=　２\r\n", 2, "", "", false},      // full-width forms read as digits
      {"自动加黑名单=2\r\n", 0, "", "", false},      // only "1" checks the box
      {"自动加黑名单=yes\r\n", 0, "", "", false},
      {"管理员=5,\r\n", 0, "", "", false},           // made by an administrator command
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section);
    write_settings(std::string("[777]\r\n") + c.section);
    MemoryWindowView& view = open("777", "2");
    EXPECT_EQ(view.text(kGroupBox), "777");
    EXPECT_FALSE(view.is_enabled(kGroupBox));
    EXPECT_EQ(view.selected_item(kActionModeList), c.item);
    EXPECT_EQ(view.text(kTriggerCountBox), c.trigger);
    EXPECT_EQ(view.text(kVoteLimitBox), c.limit);
    EXPECT_EQ(view.is_checked(kAutoBlacklistBox), c.checked);
    window().close_without_saving();
  }
}

TEST_F(GroupSettingsWindowTest, EditModeOfAMissingGroupGivesEmptyBoxesAndTheFirstItem) {
  MemoryWindowView& view = open("404", "2");
  EXPECT_EQ(view.text(kGroupBox), "404");
  EXPECT_EQ(view.selected_item(kActionModeList), 0);
  EXPECT_EQ(view.text(kTriggerCountBox), "");
  EXPECT_EQ(view.text(kVoteLimitBox), "");
  EXPECT_FALSE(view.is_checked(kAutoBlacklistBox));
}

TEST_F(GroupSettingsWindowTest, NewGroupModeOnlySelectsVoting) {
  MemoryWindowView& view = open("", "1");
  EXPECT_EQ(view.selected_item(kActionModeList), 1);
  view.set_text(kGroupBox, "55");
  view.set_text(kTriggerCountBox, "9");
  view.set_checked(kAutoBlacklistBox, true);
  view.select_item(kActionModeList, 2);
  // The group passed with mode "1" is not used.
  window().fill_group_settings_window("66", "1");
  EXPECT_EQ(view.selected_item(kActionModeList), 1);
  EXPECT_EQ(view.text(kGroupBox), "55");
  EXPECT_TRUE(view.is_enabled(kGroupBox));
  EXPECT_EQ(view.text(kTriggerCountBox), "9");
  EXPECT_TRUE(view.is_checked(kAutoBlacklistBox));
}

TEST_F(GroupSettingsWindowTest, OtherModesChangeNothing) {
  write_settings("[777]\r\n操作方式=2\r\n触发次数=5\r\n");
  MemoryWindowView& view = open("", "");
  for (const char* mode : {"", "0", "3", "2 ", " 2", "１", "12", "\xa3\xb2"}) {
    SCOPED_TRACE(mode);
    window().fill_group_settings_window("777", mode);
    EXPECT_EQ(view.text(kGroupBox), "");
    EXPECT_TRUE(view.is_enabled(kGroupBox));
    EXPECT_EQ(view.selected_item(kActionModeList), 0);
    EXPECT_EQ(view.text(kTriggerCountBox), "2");
  }
}

TEST_F(GroupSettingsWindowTest, FillingAClosedWindowDoesNothing) {
  window().fill_group_settings_window("777", "2");
  window().fill_group_settings_window("", "1");
  EXPECT_EQ(settings_view(), nullptr);
  EXPECT_FALSE(window().is_open());
}

TEST_F(GroupSettingsWindowTest, ClosingANewGroupWithTheDefaultsStoresThemAndListsIt) {
  write_keywords("广告====累积关键词\r\n");
  windows.start();
  MemoryWindowView& view = open("", "1");
  view.set_text(kGroupBox, "10001");
  view.events().on_close_requested();
  EXPECT_EQ(settings_view(), nullptr);
  EXPECT_EQ(settings_text(),
            "[10001]\r\n操作方式=1\r\n触发次数=2\r\n得票上限=3\r\n自动加黑名单=0\r\n");
  EXPECT_EQ(main_view()->rows(main_window::kGroupList), (Rows{{"10001", "关"}}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(GroupSettingsWindowTest, SavingWithAnEmptyKeywordListRemindsAfterStoring) {
  for (const char* keywords : {"", "\r\n"}) {
    SCOPED_TRACE(keywords);
    write_keywords(keywords);
    views.clear_messages();
    MemoryWindowView& view = open("", "1");
    view.set_text(kGroupBox, "10001");
    view.events().on_close_requested();
    EXPECT_EQ(setting("10001", kVoteLimitKey), "3");
    EXPECT_EQ(setting("10001", kAutoBlacklistKey), "0");
    EXPECT_EQ(messages(), std::vector<GbkText>{"尚未设置关键词词库，请先设置关键词！"});
  }
}

TEST_F(GroupSettingsWindowTest, AnEmptyGroupOrVoteLimitStoresNothing) {
  const struct {
    const char* group;
    const char* limit;
  } cases[] = {{"", "3"}, {"10001", ""}, {"", ""}};
  write_settings("[10001]\r\n管理员=5,\r\n");
  windows.start();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.group) + "/" + c.limit);
    views.clear_messages();
    MemoryWindowView& view = open("", "1");
    view.set_text(kGroupBox, c.group);
    view.set_text(kVoteLimitBox, c.limit);
    view.events().on_close_requested();
    EXPECT_EQ(messages(), std::vector<GbkText>{"请填写完所有配置！"});
    EXPECT_EQ(settings_view(), nullptr);  // the window closes all the same
    EXPECT_EQ(settings_text(), "[10001]\r\n管理员=5,\r\n");
  }
}

TEST_F(GroupSettingsWindowTest, EditingAGroupMadeByACommandNeedsAThreshold) {
  write_settings("[10001]\r\n管理员=5,\r\n");
  MemoryWindowView& view = open("10001", "2");
  view.events().on_close_requested();
  EXPECT_EQ(messages(), std::vector<GbkText>{"请填写完所有配置！"});
  EXPECT_EQ(settings_text(), "[10001]\r\n管理员=5,\r\n");
}

TEST_F(GroupSettingsWindowTest, SavingAnExistingGroupKeepsItsSwitchAndAdministrators) {
  write_keywords("广告====累积关键词\r\n");
  write_settings("[10001]\r\n开关=1\r\n管理员=5,\r\n操作方式=0\r\n触发次数=2\r\n得票上限=3\r\n"
                 "自动加黑名单=0\r\n");
  MemoryWindowView& view = open("10001", "2");
  view.select_item(kActionModeList, 2);
  view.set_text(kTriggerCountBox, "");  // not required; screening reads 0
  view.set_text(kVoteLimitBox, "4x");
  view.set_checked(kAutoBlacklistBox, true);
  view.events().on_close_requested();
  EXPECT_EQ(settings_text(), "[10001]\r\n开关=1\r\n管理员=5,\r\n操作方式=2\r\n触发次数=\r\n"
                             "得票上限=4x\r\n自动加黑名单=1\r\n");
  EXPECT_TRUE(messages().empty());
}

TEST_F(GroupSettingsWindowTest, NoSelectedModeIsStoredAsMinusOne) {
  write_keywords("广告====累积关键词\r\n");
  write_settings("[10001]\r\n操作方式=-3\r\n得票上限=3\r\n");
  MemoryWindowView& view = open("10001", "2");
  ASSERT_EQ(view.selected_item(kActionModeList), -1);
  view.events().on_close_requested();
  EXPECT_EQ(setting("10001", kActionModeKey), "-1");
}

TEST_F(GroupSettingsWindowTest, TheGroupNumberIsStoredAsTyped) {
  write_keywords("广告====累积关键词\r\n");
  MemoryWindowView& view = open("", "1");
  view.set_text(kGroupBox, "12a");  // not tested for digits
  view.events().on_close_requested();
  EXPECT_EQ(groups(), std::vector<GbkText>{"12a"});
}

TEST_F(GroupSettingsWindowTest, AddingWhileEditingKeepsTheEditedGroup) {
  write_keywords("广告====累积关键词\r\n");
  write_settings("[A1]\r\n操作方式=0\r\n得票上限=3\r\n");
  MemoryWindowView& view = open("A1", "2");
  // "添加群管" while the window is still open.
  window().open();
  window().fill_group_settings_window("", "1");
  EXPECT_EQ(view.text(kGroupBox), "A1");
  EXPECT_FALSE(view.is_enabled(kGroupBox));
  EXPECT_EQ(view.selected_item(kActionModeList), 1);
  view.events().on_close_requested();
  EXPECT_EQ(groups(), std::vector<GbkText>{"A1"});
  EXPECT_EQ(setting("A1", kActionModeKey), "1");
}

TEST_F(GroupSettingsWindowTest, ReopeningAfterCloseStartsFresh) {
  write_keywords("广告====累积关键词\r\n");
  write_settings("[A1]\r\n操作方式=2\r\n得票上限=7\r\n");
  MemoryWindowView& first = open("A1", "2");
  first.events().on_close_requested();
  MemoryWindowView& second = open("", "1");
  EXPECT_EQ(views.created_count(layout().title), 2);
  EXPECT_TRUE(second.is_enabled(kGroupBox));
  EXPECT_EQ(second.text(kGroupBox), "");
  EXPECT_EQ(second.text(kVoteLimitBox), "3");
}

TEST_F(GroupSettingsWindowTest, SavingAsksTheMainWindowToRefreshOnlyWhenStoring) {
  int refreshes = 0;
  GroupSettingsWindow standalone(context, views, [&refreshes] { ++refreshes; });
  standalone.open();
  standalone.fill_group_settings_window("", "1");
  MemoryWindowView* view = settings_view();
  ASSERT_NE(view, nullptr);
  view->set_text(kGroupBox, "");
  standalone.save_group_settings();
  EXPECT_EQ(refreshes, 0);
  view->set_text(kGroupBox, "9");
  standalone.save_group_settings();
  EXPECT_EQ(refreshes, 1);
  standalone.close_without_saving();
}

}  // namespace
}  // namespace testing_ui
}  // namespace tarvolo
