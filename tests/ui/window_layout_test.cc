// The three windows' titles, controls, texts, defaults and places, which
// both the Win32 windows and the in-memory ones are built from.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/window_layout.h"

namespace tarvolo {
namespace {

struct ExpectedControl {
  const char* name;
  ControlKind kind;
  const char* text;
  Place place;
  const char* group_box;
};

void expect_controls(const WindowLayout& layout, const std::vector<ExpectedControl>& expected) {
  std::vector<GbkText> visible;
  for (const ControlLayout& control : layout.controls) {
    if (control.kind != ControlKind::kTimer) visible.push_back(control.name);
  }
  EXPECT_EQ(visible.size(), expected.size()) << layout.title;
  for (const ExpectedControl& want : expected) {
    SCOPED_TRACE(want.name);
    const ControlLayout* control = layout.find(want.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->kind, want.kind);
    EXPECT_EQ(control->text, want.text);
    EXPECT_EQ(control->place.x, want.place.x);
    EXPECT_EQ(control->place.y, want.place.y);
    EXPECT_EQ(control->place.width, want.place.width);
    EXPECT_EQ(control->place.height, want.place.height);
    EXPECT_EQ(control->group_box, want.group_box);
  }
}

void expect_frame(const WindowLayout& layout, const char* title, Place frame) {
  EXPECT_EQ(layout.title, title);
  EXPECT_EQ(layout.frame.x, frame.x);
  EXPECT_EQ(layout.frame.y, frame.y);
  EXPECT_EQ(layout.frame.width, frame.width);
  EXPECT_EQ(layout.frame.height, frame.height);
}

void expect_columns(const ControlLayout& list, const std::vector<ListColumn>& columns) {
  ASSERT_EQ(list.columns.size(), columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    EXPECT_EQ(list.columns[i].title, columns[i].title);
    EXPECT_EQ(list.columns[i].width, columns[i].width);
  }
  EXPECT_TRUE(list.multiple_selection);
}

TEST(WindowLayoutTest, MainWindow) {
  const WindowLayout& layout = main_window::layout();
  expect_frame(layout, "Tarvolo者  ---by：Dunmere", Place{50, 50, 563, 367});
  const std::string help = "当前支持命令：\r\n\r\n超级管理员：#添加管理员" + std::string(4, ' ') +
                           "#删除管理员" + std::string(3, ' ') + "#查询管理员" +
                           std::string(3, ' ') + "#加黑名单" + std::string(3, ' ') + "#删黑名单" +
                           std::string(3, ' ') + "#清空黑名单" + std::string(13, ' ') +
                           "#查黑名单\r\n\r\n普通管理员：#加黑名单" + std::string(3, ' ') +
                           "#删黑名单" + std::string(3, ' ') + "#清空黑名单" +
                           std::string(3, ' ') + "#查黑名单\r\n";
  expect_controls(layout,
                  {
                      {"超级列表框1", ControlKind::kReportList, "", {8, 8, 304, 192}, ""},
                      {"标签1", ControlKind::kLabel, "F7呼出本窗口,关闭窗口自动保存",
                       {336, 8, 176, 16}, ""},
                      {"标签2", ControlKind::kLabel, "超级管理员", {320, 32, 80, 16}, ""},
                      {"编辑框1", ControlKind::kEditBox, "", {320, 48, 128, 24}, ""},
                      {"按钮1", ControlKind::kPushButton, "关键词编辑", {320, 176, 80, 24}, ""},
                      {"标签3", ControlKind::kLabel, help.c_str(), {8, 224, 544, 88}, ""},
                  });
  expect_columns(*layout.find("超级列表框1"), {{"群号", 100}, {"状态", 50}});
  const ControlLayout* timer = layout.find("时钟2");
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->kind, ControlKind::kTimer);
  EXPECT_EQ(timer->period_milliseconds, 2000);
  EXPECT_EQ(layout.menu_name, "菜单");
  EXPECT_EQ(layout.menu_items,
            (std::vector<GbkText>{"添加群管", "编辑群管", "删除群管", "开启\\关闭"}));
}

TEST(WindowLayoutTest, GroupSettingsWindow) {
  const WindowLayout& layout = group_settings_window::layout();
  expect_frame(layout, "设置群管", Place{50, 50, 380, 295});
  expect_controls(
      layout,
      {
          {"标签2", ControlKind::kLabel, "群号", {16, 16, 32, 24}, ""},
          {"编辑框1", ControlKind::kEditBox, "", {48, 16, 104, 24}, ""},
          {"标签1", ControlKind::kLabel, "关闭窗口自动保存", {272, 0, 136, 24}, ""},
          {"选择框1", ControlKind::kCheckBox, "被T后自动加入黑名单", {208, 32, 152, 24}, ""},
          {"分组框1", ControlKind::kGroupBox, "广告判定方式：", {16, 64, 336, 184}, ""},
          {"标签5", ControlKind::kLabel, "一句话内触发", {16, 24, 80, 24}, "分组框1"},
          {"触发次数", ControlKind::kEditBox, "2", {96, 24, 32, 24}, "分组框1"},
          {"标签6", ControlKind::kLabel, "个关键词", {136, 24, 64, 24}, "分组框1"},
          {"标签3", ControlKind::kLabel, "则执行", {16, 56, 40, 24}, "分组框1"},
          {"组合框1", ControlKind::kDropDownList, "", {56, 56, 96, 20}, "分组框1"},
          {"标签4", ControlKind::kLabel, "操作", {160, 56, 32, 24}, "分组框1"},
          {"标签9", ControlKind::kLabel, "(延迟T出功能暂未开发)", {200, 56, 128, 24}, "分组框1"},
          {"分组框2", ControlKind::kGroupBox, "投票移除操作判定", {16, 88, 304, 64}, "分组框1"},
          {"标签7", ControlKind::kLabel, "得票超过", {16, 24, 56, 24}, "分组框2"},
          {"编辑框2", ControlKind::kEditBox, "3", {72, 24, 48, 24}, "分组框2"},
          {"标签8", ControlKind::kLabel, "次后移出本群", {128, 24, 80, 24}, "分组框2"},
      });
  const ControlLayout& modes = *layout.find("组合框1");
  EXPECT_EQ(modes.items, (std::vector<GbkText>{"直接T出", "投票移除", "延迟自助判断"}));
  EXPECT_EQ(modes.selected_item, 0);
  EXPECT_TRUE(layout.menu_items.empty());
  // Places inside group boxes add up to places in the window.
  const Place threshold = layout.place_in_window(*layout.find("编辑框2"));
  EXPECT_EQ(threshold.x, 16 + 16 + 72);
  EXPECT_EQ(threshold.y, 64 + 88 + 24);
  EXPECT_EQ(threshold.width, 48);
  const Place group_number = layout.place_in_window(*layout.find("编辑框1"));
  EXPECT_EQ(group_number.x, 48);
  EXPECT_EQ(group_number.y, 16);
}

TEST(WindowLayoutTest, KeywordEditorWindow) {
  const WindowLayout& layout = keyword_editor_window::layout();
  expect_frame(layout, "关键词编辑", Place{50, 50, 477, 351});
  expect_controls(layout,
                  {
                      {"超级列表框1", ControlKind::kReportList, "", {8, 8, 352, 224}, ""},
                      {"编辑框1", ControlKind::kEditBox, "", {8, 248, 136, 24}, ""},
                      {"组合框1", ControlKind::kDropDownList, "", {152, 248, 96, 20}, ""},
                      {"按钮1", ControlKind::kPushButton, "添加关键词", {272, 248, 104, 24}, ""},
                      {"标签1", ControlKind::kLabel, "关键词支持正则表达式！", {240, 280, 136, 24},
                       ""},
                  });
  expect_columns(*layout.find("超级列表框1"), {{"编号", 50}, {"关键词", 200}, {"操作类型", 80}});
  const ControlLayout& types = *layout.find("组合框1");
  EXPECT_EQ(types.items, (std::vector<GbkText>{"累积关键词", "直接踢出"}));
  EXPECT_EQ(types.selected_item, 0);
  EXPECT_EQ(layout.menu_name, "菜单");
  EXPECT_EQ(layout.menu_items, std::vector<GbkText>{"删除"});
}

TEST(WindowLayoutTest, GroupBoxesComeBeforeTheirControls) {
  for (const WindowLayout* layout : {&main_window::layout(), &group_settings_window::layout(),
                                     &keyword_editor_window::layout()}) {
    std::vector<GbkText> seen;
    for (const ControlLayout& control : layout->controls) {
      if (!control.group_box.empty()) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), control.group_box), seen.end())
            << control.name;
      }
      seen.push_back(control.name);
    }
  }
}

}  // namespace
}  // namespace tarvolo
