#include "ui/window_layout.h"

#include <utility>

namespace tarvolo {

const ControlLayout* WindowLayout::find(const GbkText& name) const {
  for (const ControlLayout& control : controls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

Place WindowLayout::place_in_window(const ControlLayout& control) const {
  Place place = control.place;
  const ControlLayout* holder = control.group_box.empty() ? nullptr : find(control.group_box);
  while (holder != nullptr) {
    place.x += holder->place.x;
    place.y += holder->place.y;
    holder = holder->group_box.empty() ? nullptr : find(holder->group_box);
  }
  return place;
}

namespace {

ControlLayout control(ControlKind kind, const char* name, const char* text, Place place,
                      const char* group_box = "") {
  ControlLayout result;
  result.kind = kind;
  result.name = name;
  result.text = text;
  result.place = place;
  result.group_box = group_box;
  return result;
}

ControlLayout label(const char* name, const char* text, Place place, const char* group_box = "") {
  return control(ControlKind::kLabel, name, text, place, group_box);
}

ControlLayout edit_box(const char* name, const char* text, Place place,
                       const char* group_box = "") {
  return control(ControlKind::kEditBox, name, text, place, group_box);
}

ControlLayout drop_down_list(const char* name, std::vector<GbkText> items, int selected,
                             Place place, const char* group_box = "") {
  ControlLayout result = control(ControlKind::kDropDownList, name, "", place, group_box);
  result.items = std::move(items);
  result.selected_item = selected;
  return result;
}

ControlLayout report_list(const char* name, std::vector<ListColumn> columns, Place place) {
  ControlLayout result = control(ControlKind::kReportList, name, "", place);
  result.columns = std::move(columns);
  result.multiple_selection = true;
  return result;
}

ControlLayout timer(const char* name, int period_milliseconds) {
  ControlLayout result = control(ControlKind::kTimer, name, "", Place{});
  result.period_milliseconds = period_milliseconds;
  return result;
}

}  // namespace

namespace main_window {

const char kGroupList[] = "超级列表框1";
const char kSuperAdminBox[] = "编辑框1";
const char kHotkeyLabel[] = "标签1";
const char kHelpLabel[] = "标签3";
const char kKeywordButton[] = "按钮1";
const char kSweepTimer[] = "时钟2";

// The chat commands, each line's commands set apart by runs of blanks.
const char kHelpText[] =
    "当前支持命令：\r\n"
    "\r\n"
    "超级管理员：#添加管理员"
    "    "  // 4
    "#删除管理员"
    "   "  // 3
    "#查询管理员"
    "   "  // 3
    "#加黑名单"
    "   "  // 3
    "#删黑名单"
    "   "  // 3
    "#清空黑名单"
    "             "  // 13
    "#查黑名单\r\n"
    "\r\n"
    "普通管理员：#加黑名单"
    "   "  // 3
    "#删黑名单"
    "   "  // 3
    "#清空黑名单"
    "   "  // 3
    "#查黑名单\r\n";

const WindowLayout& layout() {
  static const WindowLayout window = [] {
    WindowLayout result;
    result.title = "Tarvolo者  ---by：Dunmere";
    result.frame = Place{50, 50, 563, 367};
    result.controls = {
        report_list(kGroupList, {{"群号", 100}, {"状态", 50}}, Place{8, 8, 304, 192}),
        label(kHotkeyLabel, "F7呼出本窗口,关闭窗口自动保存", Place{336, 8, 176, 16}),
        label("标签2", "超级管理员", Place{320, 32, 80, 16}),
        edit_box(kSuperAdminBox, "", Place{320, 48, 128, 24}),
        control(ControlKind::kPushButton, kKeywordButton, "关键词编辑", Place{320, 176, 80, 24}),
        label(kHelpLabel, kHelpText, Place{8, 224, 544, 88}),
        timer(kSweepTimer, kSweepPeriodMilliseconds),
    };
    result.menu_name = "菜单";
    result.menu_items = {"添加群管", "编辑群管", "删除群管", "开启\\关闭"};
    return result;
  }();
  return window;
}

}  // namespace main_window

namespace group_settings_window {

const char kGroupBox[] = "编辑框1";
const char kAutoBlacklistBox[] = "选择框1";
const char kTriggerCountBox[] = "触发次数";
const char kActionModeList[] = "组合框1";
const char kVoteLimitBox[] = "编辑框2";

const WindowLayout& layout() {
  static const WindowLayout window = [] {
    const char kJudgement[] = "分组框1";
    const char kVoteJudgement[] = "分组框2";
    WindowLayout result;
    result.title = "设置群管";
    result.frame = Place{50, 50, 380, 295};
    result.controls = {
        control(ControlKind::kGroupBox, kJudgement, "广告判定方式：", Place{16, 64, 336, 184}),
        control(ControlKind::kGroupBox, kVoteJudgement, "投票移除操作判定",
                Place{16, 88, 304, 64}, kJudgement),
        label("标签2", "群号", Place{16, 16, 32, 24}),
        edit_box(kGroupBox, "", Place{48, 16, 104, 24}),
        label("标签1", "关闭窗口自动保存", Place{272, 0, 136, 24}),
        control(ControlKind::kCheckBox, kAutoBlacklistBox, "被T后自动加入黑名单",
                Place{208, 32, 152, 24}),
        label("标签5", "一句话内触发", Place{16, 24, 80, 24}, kJudgement),
        edit_box(kTriggerCountBox, "2", Place{96, 24, 32, 24}, kJudgement),
        label("标签6", "个关键词", Place{136, 24, 64, 24}, kJudgement),
        label("标签3", "则执行", Place{16, 56, 40, 24}, kJudgement),
        drop_down_list(kActionModeList, {"直接T出", "投票移除", "延迟自助判断"}, 0,
                       Place{56, 56, 96, 20}, kJudgement),
        label("标签4", "操作", Place{160, 56, 32, 24}, kJudgement),
        label("标签9", "(延迟T出功能暂未开发)", Place{200, 56, 128, 24}, kJudgement),
        label("标签7", "得票超过", Place{16, 24, 56, 24}, kVoteJudgement),
        edit_box(kVoteLimitBox, "3", Place{72, 24, 48, 24}, kVoteJudgement),
        label("标签8", "次后移出本群", Place{128, 24, 80, 24}, kVoteJudgement),
    };
    return result;
  }();
  return window;
}

}  // namespace group_settings_window

namespace keyword_editor_window {

const char kKeywordList[] = "超级列表框1";
const char kPatternBox[] = "编辑框1";
const char kTypeList[] = "组合框1";
const char kAddButton[] = "按钮1";

const WindowLayout& layout() {
  static const WindowLayout window = [] {
    WindowLayout result;
    result.title = "关键词编辑";
    result.frame = Place{50, 50, 477, 351};
    result.controls = {
        report_list(kKeywordList, {{"编号", 50}, {"关键词", 200}, {"操作类型", 80}},
                    Place{8, 8, 352, 224}),
        edit_box(kPatternBox, "", Place{8, 248, 136, 24}),
        drop_down_list(kTypeList, {"累积关键词", "直接踢出"}, 0, Place{152, 248, 96, 20}),
        control(ControlKind::kPushButton, kAddButton, "添加关键词", Place{272, 248, 104, 24}),
        label("标签1", "关键词支持正则表达式！", Place{240, 280, 136, 24}),
    };
    result.menu_name = "菜单";
    result.menu_items = {"删除"};
    return result;
  }();
  return window;
}

}  // namespace keyword_editor_window

}  // namespace tarvolo
