// What a window is made of: its title, frame, controls with their texts,
// defaults and places, and its popup menu. The views build windows from a
// layout, so the Win32 windows and the in-memory ones start out alike.
#ifndef TARVOLO_UI_WINDOW_LAYOUT_H_
#define TARVOLO_UI_WINDOW_LAYOUT_H_

#include <vector>

#include "text/gbk_text.h"

namespace tarvolo {

enum class ControlKind {
  kLabel,
  kEditBox,        // one line, no input restriction
  kPushButton,
  kCheckBox,
  kDropDownList,   // choose an item, no typing
  kGroupBox,
  kReportList,     // rows under titled columns
  kTimer,          // not visible
};

// x, y, width, height in pixels. A control's place is relative to the group
// box that holds it, or to the window's client area.
struct Place {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ListColumn {
  GbkText title;
  int width = 0;
};

struct ControlLayout {
  GbkText name;
  ControlKind kind = ControlKind::kLabel;
  GbkText text;                    // label, button, check box, group box, edit box default
  Place place;
  GbkText group_box;               // the group box that holds it; empty: the window
  std::vector<GbkText> items;      // drop-down list
  int selected_item = -1;          // drop-down list default
  std::vector<ListColumn> columns; // report list
  bool multiple_selection = false; // report list
  int period_milliseconds = 0;     // timer
};

struct WindowLayout {
  GbkText title;
  Place frame;                     // outer place on the screen
  std::vector<ControlLayout> controls;  // in creation order, group boxes first
  std::vector<GbkText> menu_items;      // the popup menu, in order
  GbkText menu_name;

  // nullptr when the window has no such control.
  const ControlLayout* find(const GbkText& name) const;
  // The place of a control relative to the window's client area.
  Place place_in_window(const ControlLayout& control) const;
};

// The main window: the managed groups, the super administrator, the help
// text, the timer of the vote expiry sweep.
namespace main_window {
extern const char kGroupList[];        // "超级列表框1"
extern const char kSuperAdminBox[];    // "编辑框1"
extern const char kHotkeyLabel[];      // "标签1"
extern const char kHelpLabel[];        // "标签3"
extern const char kKeywordButton[];    // "按钮1"
extern const char kSweepTimer[];       // "时钟2"
extern const char kHelpText[];
constexpr int kGroupColumn = 0;        // "群号"
constexpr int kStatusColumn = 1;       // "状态"
enum MenuItem { kAddGroup = 0, kEditGroup = 1, kDeleteGroup = 2, kToggleSwitch = 3 };
constexpr int kSweepPeriodMilliseconds = 2000;
constexpr int kShowHideKey = 0x76;     // F7
const WindowLayout& layout();
}  // namespace main_window

// The group settings window: one group's sanction settings.
namespace group_settings_window {
extern const char kGroupBox[];         // "编辑框1", the group number
extern const char kAutoBlacklistBox[]; // "选择框1"
extern const char kTriggerCountBox[];  // "触发次数"
extern const char kActionModeList[];   // "组合框1"
extern const char kVoteLimitBox[];     // "编辑框2"
constexpr int kVoteRemovalItem = 1;    // "投票移除"
const WindowLayout& layout();
}  // namespace group_settings_window

// The keyword editor: the shared keyword list.
namespace keyword_editor_window {
extern const char kKeywordList[];      // "超级列表框1"
extern const char kPatternBox[];       // "编辑框1"
extern const char kTypeList[];         // "组合框1"
extern const char kAddButton[];        // "按钮1"
constexpr int kNumberColumn = 0;       // "编号"
constexpr int kPatternColumn = 1;      // "关键词"
constexpr int kTypeColumn = 2;         // "操作类型"
enum MenuItem { kRemove = 0 };
const WindowLayout& layout();
}  // namespace keyword_editor_window

}  // namespace tarvolo

#endif  // TARVOLO_UI_WINDOW_LAYOUT_H_
