// The main window's events, driven through its in-memory view.
#include <gtest/gtest.h>

#include <vector>

#include "store/settings_file.h"
#include "ui/window_layout.h"
#include "window_test_fixture.h"

namespace tarvolo {
namespace testing_ui {
namespace {

using namespace main_window;

const char kTwoGroups[] =
    "[超级管理员]\r\nQQ=12345\r\n"
    "[1111]\r\n开关=1\r\n管理员=7,\r\n"
    "[2222]\r\n操作方式=1\r\n";

class MainWindowTest : public WindowTest {
 protected:
  MemoryWindowView& open_main() {
    windows.start();
    MemoryWindowView* view = main_view();
    EXPECT_NE(view, nullptr);
    return *view;
  }
  void choose(MemoryWindowView& view, MenuItem item) {
    view.events().on_list_right_clicked(kGroupList);
    view.events().on_menu_item_chosen(item);
  }
};

TEST_F(MainWindowTest, CreationListsTheGroupsFillsTheBoxAndStartsTheTimer) {
  write_settings(kTwoGroups);
  MemoryWindowView& view = open_main();
  EXPECT_TRUE(view.is_shown());
  EXPECT_EQ(view.rows(kGroupList), (Rows{{"1111", "开"}, {"2222", "关"}}));
  EXPECT_EQ(view.text(kSuperAdminBox), "12345");
  EXPECT_NE(windows.main_window().hotkey_id(), 0);
  EXPECT_EQ(views.registered_hotkey_count(), 1u);
  EXPECT_EQ(view.timer_period(kSweepTimer), 2000);
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, WithoutASettingsFileTheListAndTheBoxAreEmpty) {
  MemoryWindowView& view = open_main();
  EXPECT_TRUE(view.rows(kGroupList).empty());
  EXPECT_EQ(view.text(kSuperAdminBox), "");
  EXPECT_EQ(settings_text(), "<missing>");  // opening writes nothing
}

TEST_F(MainWindowTest, SwitchIsOnOnlyForExactlyOne) {
  write_settings("[a]\r\n开关=1\r\n[b]\r\n开关=0\r\n[c]\r\n开关=１\r\n[d]\r\n开关=11\r\n[e]\r\n");
  MemoryWindowView& view = open_main();
  EXPECT_EQ(view.rows(kGroupList),
            (Rows{{"a", "开"}, {"b", "关"}, {"c", "关"}, {"d", "关"}, {"e", "关"}}));
}

TEST_F(MainWindowTest, OpeningTwiceCreatesOneWindow) {
  open_main();
  windows.main_window().open();
  EXPECT_EQ(views.created_count(layout().title), 1);
  EXPECT_EQ(views.registered_hotkey_count(), 1u);
}

TEST_F(MainWindowTest, ClosingStoresTheBoxAndOnlyHides) {
  write_settings(kTwoGroups);
  MemoryWindowView& view = open_main();
  view.set_text(kSuperAdminBox, "");
  view.events().on_close_requested();
  EXPECT_EQ(SettingsFile(context.config).read_super_admin(), "");
  EXPECT_EQ(main_view(), &view);  // still alive
  EXPECT_FALSE(view.is_shown());
  EXPECT_EQ(view.timer_period(kSweepTimer), 2000);
  // F7 brings it back with the emptied box.
  view.events().on_hotkey(windows.main_window().hotkey_id());
  EXPECT_TRUE(view.is_shown());
  EXPECT_EQ(view.text(kSuperAdminBox), "");
}

TEST_F(MainWindowTest, ClosingStoresTheTypedSuperAdministrator) {
  MemoryWindowView& view = open_main();
  view.set_text(kSuperAdminBox, "998877");
  view.events().on_close_requested();
  EXPECT_EQ(SettingsFile(context.config).read_super_admin(), "998877");
}

TEST_F(MainWindowTest, F7TogglesWithoutSaving) {
  write_settings(kTwoGroups);
  MemoryWindowView& view = open_main();
  const int id = windows.main_window().hotkey_id();
  view.set_text(kSuperAdminBox, "555");
  view.events().on_hotkey(id);
  EXPECT_FALSE(view.is_shown());
  EXPECT_EQ(SettingsFile(context.config).read_super_admin(), "12345");
  view.events().on_hotkey(id);
  EXPECT_TRUE(view.is_shown());
  // A later close saves what the box then holds.
  view.events().on_close_requested();
  EXPECT_EQ(SettingsFile(context.config).read_super_admin(), "555");
}

TEST_F(MainWindowTest, AnotherHotkeyIdentifierIsIgnored) {
  MemoryWindowView& view = open_main();
  const int id = windows.main_window().hotkey_id();
  view.events().on_hotkey(id + 1);
  view.events().on_hotkey(0);
  EXPECT_TRUE(view.is_shown());
}

TEST_F(MainWindowTest, F7TakenElsewhereLeavesTheWindowWithoutHotkey) {
  views.keys_taken_elsewhere.insert(kShowHideKey);
  MemoryWindowView& view = open_main();
  EXPECT_EQ(windows.main_window().hotkey_id(), 0);
  EXPECT_TRUE(messages().empty());  // not reported
  view.events().on_hotkey(0);
  EXPECT_TRUE(view.is_shown());
  windows.stop();
  EXPECT_EQ(views.registered_hotkey_count(), 0u);
}

TEST_F(MainWindowTest, RightClickOpensThePopupMenu) {
  MemoryWindowView& view = open_main();
  view.events().on_list_right_clicked(kGroupList);
  EXPECT_EQ(view.popup_menu_count(), 1);
  EXPECT_EQ(layout().menu_items,
            (std::vector<GbkText>{"添加群管", "编辑群管", "删除群管", "开启\\关闭"}));
}

// Every menu item that acts on a row asks for one when none is selected and
// changes nothing.
TEST_F(MainWindowTest, RowActionsWithoutASelectedRowAskForOne) {
  write_settings(kTwoGroups);
  write_keywords("广告====累积关键词\r\n");
  MemoryWindowView& view = open_main();
  for (MenuItem item : {kEditGroup, kDeleteGroup, kToggleSwitch}) {
    SCOPED_TRACE(item);
    views.clear_messages();
    choose(view, item);
    EXPECT_EQ(messages(), std::vector<GbkText>{"请选中一个群！"});
    EXPECT_EQ(settings_text(), kTwoGroups);
    EXPECT_EQ(view.rows(kGroupList), (Rows{{"1111", "开"}, {"2222", "关"}}));
    EXPECT_EQ(settings_view(), nullptr);
  }
}

TEST_F(MainWindowTest, AddGroupOpensTheSettingsWindowForANewGroup) {
  MemoryWindowView& view = open_main();
  choose(view, kAddGroup);
  MemoryWindowView* settings = settings_view();
  ASSERT_NE(settings, nullptr);
  EXPECT_TRUE(settings->is_shown());
  EXPECT_EQ(settings->text(group_settings_window::kGroupBox), "");
  EXPECT_TRUE(settings->is_enabled(group_settings_window::kGroupBox));
  EXPECT_EQ(settings->selected_item(group_settings_window::kActionModeList), 1);
  EXPECT_EQ(settings->text(group_settings_window::kTriggerCountBox), "2");
  EXPECT_EQ(settings->text(group_settings_window::kVoteLimitBox), "3");
}

TEST_F(MainWindowTest, AddGroupWhileTheSettingsWindowIsOpenBringsItForward) {
  write_settings(kTwoGroups);
  MemoryWindowView& view = open_main();
  view.select_rows(kGroupList, {1});
  choose(view, kEditGroup);
  MemoryWindowView* settings = settings_view();
  ASSERT_NE(settings, nullptr);
  settings->set_text(group_settings_window::kVoteLimitBox, "9");
  settings->minimise();

  choose(view, kAddGroup);
  EXPECT_EQ(settings_view(), settings);
  EXPECT_EQ(views.created_count(group_settings_window::layout().title), 1);
  EXPECT_EQ(settings->bring_forward_count(), 1);
  EXPECT_FALSE(settings->is_minimised());
  // Mode "1" only picks voting; the group being edited stays, locked.
  EXPECT_EQ(settings->selected_item(group_settings_window::kActionModeList), 1);
  EXPECT_EQ(settings->text(group_settings_window::kGroupBox), "2222");
  EXPECT_FALSE(settings->is_enabled(group_settings_window::kGroupBox));
  EXPECT_EQ(settings->text(group_settings_window::kVoteLimitBox), "9");
}

TEST_F(MainWindowTest, EditGroupFillsTheSettingsWindowWithTheSelectedGroup) {
  write_settings(
      "[1111]\r\n开关=1\r\n操作方式=2\r\n触发次数=4\r\n得票上限=6\r\n自动加黑名单=1\r\n");
  MemoryWindowView& view = open_main();
  view.select_rows(kGroupList, {0});
  choose(view, kEditGroup);
  MemoryWindowView* settings = settings_view();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->text(group_settings_window::kGroupBox), "1111");
  EXPECT_FALSE(settings->is_enabled(group_settings_window::kGroupBox));
  EXPECT_EQ(settings->selected_item(group_settings_window::kActionModeList), 2);
  EXPECT_EQ(settings->text(group_settings_window::kTriggerCountBox), "4");
  EXPECT_EQ(settings->text(group_settings_window::kVoteLimitBox), "6");
  EXPECT_TRUE(settings->is_checked(group_settings_window::kAutoBlacklistBox));
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, TheFirstOfSeveralSelectedRowsIsTheSelectedRow) {
  write_settings(kTwoGroups);
  MemoryWindowView& view = open_main();
  view.select_rows(kGroupList, {1, 0});
  choose(view, kEditGroup);
  ASSERT_NE(settings_view(), nullptr);
  EXPECT_EQ(settings_view()->text(group_settings_window::kGroupBox), "1111");
}

TEST_F(MainWindowTest, DeleteGroupRemovesTheSectionAndTheRow) {
  write_settings(kTwoGroups);
  dir.write("黑名单.ini", "[1111]\r\nQQ=5,\r\n");
  MemoryWindowView& view = open_main();
  view.select_rows(kGroupList, {0});
  choose(view, kDeleteGroup);
  EXPECT_EQ(groups(), std::vector<GbkText>{"2222"});
  EXPECT_EQ(setting("1111", kAdminListKey), "");
  EXPECT_EQ(SettingsFile(context.config).read_super_admin(), "12345");
  EXPECT_EQ(view.rows(kGroupList), (Rows{{"2222", "关"}}));
  EXPECT_EQ(dir.read("黑名单.ini"), "[1111]\r\nQQ=5,\r\n");
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, SwitchTogglesTheRowAndTheStoredSwitch) {
  write_settings(kTwoGroups);
  write_keywords("广告====累积关键词\r\n");
  MemoryWindowView& view = open_main();
  view.select_rows(kGroupList, {1});
  choose(view, kToggleSwitch);
  EXPECT_EQ(setting("2222", kSwitchKey), "1");
  EXPECT_EQ(view.rows(kGroupList), (Rows{{"1111", "开"}, {"2222", "开"}}));
  choose(view, kToggleSwitch);
  EXPECT_EQ(setting("2222", kSwitchKey), "0");
  EXPECT_EQ(view.rows(kGroupList), (Rows{{"1111", "开"}, {"2222", "关"}}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, SwitchGoesByTheDisplayedStateAndUpdatesOnlyItsRow) {
  write_settings(kTwoGroups);
  write_keywords("广告====累积关键词\r\n");
  MemoryWindowView& view = open_main();
  // Changed behind the window's back: the row still shows "开".
  SettingsFile(context.config).write_group_setting("1111", kSwitchKey, "0");
  SettingsFile(context.config).write_group_setting("3333", kSwitchKey, "1");
  view.select_rows(kGroupList, {0});
  choose(view, kToggleSwitch);
  EXPECT_EQ(setting("1111", kSwitchKey), "0");
  EXPECT_EQ(view.rows(kGroupList), (Rows{{"1111", "关"}, {"2222", "关"}}));
}

TEST_F(MainWindowTest, SwitchIsRefusedWhileTheKeywordListIsEmpty) {
  const struct {
    const char* name;
    const char* keywords;  // nullptr: no file
  } cases[] = {{"no file", nullptr}, {"empty file", ""}, {"one line break", "\r\n"}};
  write_settings(kTwoGroups);
  MemoryWindowView& view = open_main();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.keywords != nullptr) write_keywords(c.keywords);
    views.clear_messages();
    for (int row : {0, 1}) {  // neither on nor off
      view.select_rows(kGroupList, {row});
      choose(view, kToggleSwitch);
    }
    EXPECT_EQ(messages(), (std::vector<GbkText>{"尚未设置关键词词库，请先设置关键词！",
                                                "尚未设置关键词词库，请先设置关键词！"}));
    EXPECT_EQ(settings_text(), kTwoGroups);
    EXPECT_EQ(view.rows(kGroupList), (Rows{{"1111", "开"}, {"2222", "关"}}));
  }
}

TEST_F(MainWindowTest, RightClickOnTheEmptyPartActsOnTheRowStillSelected) {
  write_settings(kTwoGroups);
  MemoryWindowView& view = open_main();
  view.select_rows(kGroupList, {1});
  view.events().on_list_right_clicked(kGroupList);  // below the rows
  view.events().on_menu_item_chosen(kEditGroup);
  ASSERT_NE(settings_view(), nullptr);
  EXPECT_EQ(settings_view()->text(group_settings_window::kGroupBox), "2222");
}

TEST_F(MainWindowTest, KeywordButtonOpensTheEditorOnce) {
  MemoryWindowView& view = open_main();
  view.events().on_button_clicked(kKeywordButton);
  MemoryWindowView* editor = editor_view();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->is_shown());
  view.events().on_button_clicked(kKeywordButton);
  EXPECT_EQ(editor_view(), editor);
  EXPECT_EQ(views.created_count(keyword_editor_window::layout().title), 1);
  EXPECT_EQ(editor->bring_forward_count(), 1);
}

TEST_F(MainWindowTest, RefreshShowsGroupsAddedSinceCreation) {
  write_settings(kTwoGroups);
  MemoryWindowView& view = open_main();
  SettingsFile(context.config).admin_list_add("3333", "42");
  EXPECT_EQ(view.row_count(kGroupList), 2);
  windows.main_window().refresh_group_list();
  EXPECT_EQ(view.rows(kGroupList), (Rows{{"1111", "开"}, {"2222", "关"}, {"3333", "关"}}));
}

TEST_F(MainWindowTest, RefreshWithoutTheWindowDoesNothing) {
  windows.main_window().refresh_group_list();
  EXPECT_EQ(main_view(), nullptr);
}

TEST_F(MainWindowTest, TimerTickClosesExpiredVotes) {
  // The fake local clock reads 2013-11-03 12:00:00.
  dir.write("任务队列.ini",
            "[111]\r\n群号=222\r\n类型=投票移除\r\n时间=2013年11月3日11时50分0秒\r\n获得票数=1\r\n"
            "[333]\r\n群号=222\r\n类型=投票移除\r\n时间=2013年11月3日11时59分0秒\r\n获得票数=0\r\n");
  MemoryWindowView& view = open_main();
  view.events().on_timer(kSweepTimer);
  EXPECT_EQ(host.calls,
            std::vector<fixtures::HostCall>{fixtures::post(
                "222", "【Tarvolo】\r\nQQ：111 针对您的投票已结束，可以正常发言！")});
  EXPECT_EQ(dir.read("任务队列.ini").find("[111]"), std::string::npos);
  EXPECT_NE(dir.read("任务队列.ini").find("[333]"), std::string::npos);
}

TEST_F(MainWindowTest, StoppingReleasesEverythingAndSavesNothing) {
  write_settings(kTwoGroups);
  MemoryWindowView& view = open_main();
  view.set_text(kSuperAdminBox, "1");
  view.events().on_button_clicked(kKeywordButton);
  view.select_rows(kGroupList, {0});
  choose(view, kEditGroup);
  ASSERT_NE(settings_view(), nullptr);
  settings_view()->set_text(group_settings_window::kVoteLimitBox, "8");

  windows.stop();
  EXPECT_EQ(main_view(), nullptr);
  EXPECT_EQ(settings_view(), nullptr);
  EXPECT_EQ(editor_view(), nullptr);
  EXPECT_EQ(views.registered_hotkey_count(), 0u);
  EXPECT_EQ(views.running_timer_count(), 0);
  EXPECT_EQ(settings_text(), kTwoGroups);
  EXPECT_TRUE(messages().empty());
  // Once stopped, the entries' calls find no window.
  windows.main_window().refresh_group_list();
  windows.group_settings_window().fill_group_settings_window("1111", "2");
  EXPECT_EQ(settings_view(), nullptr);
}

}  // namespace
}  // namespace testing_ui
}  // namespace tarvolo
