// Windows kept in memory: the view the windows have off Windows, where no
// window can be drawn, and the one the tests work the presenters through.
// A test plays the user through events() and the user actions below.
#ifndef TARVOLO_UI_MEMORY_WINDOW_VIEW_H_
#define TARVOLO_UI_MEMORY_WINDOW_VIEW_H_

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "text/gbk_text.h"
#include "ui/view.h"
#include "ui/window_layout.h"

namespace tarvolo {

class MemoryViewFactory;

class MemoryWindowView : public WindowView {
 public:
  MemoryWindowView(const WindowLayout& layout, WindowEvents& events, MemoryViewFactory& factory);
  ~MemoryWindowView() override;

  // An unknown control name throws std::invalid_argument: a presenter asked
  // for a control its window does not have.
  void set_text(const GbkText& control, const GbkText& text) override;
  GbkText text(const GbkText& control) override;
  void set_enabled(const GbkText& control, bool enabled) override;
  void set_checked(const GbkText& control, bool checked) override;
  bool is_checked(const GbkText& control) override;
  void select_item(const GbkText& control, int index) override;
  int selected_item(const GbkText& control) override;
  GbkText item_text(const GbkText& control, int index) override;
  void clear_rows(const GbkText& list) override;
  void add_row(const GbkText& list, const std::vector<GbkText>& cells) override;
  int row_count(const GbkText& list) override;
  GbkText cell(const GbkText& list, int row, int column) override;
  void set_cell(const GbkText& list, int row, int column, const GbkText& text) override;
  std::vector<int> selected_rows(const GbkText& list) override;
  void show() override;
  void hide() override;
  bool is_shown() override { return shown_; }
  void bring_forward() override;
  void open_popup_menu() override { ++popup_menu_count_; }
  void show_message(const GbkText& text) override;
  void start_timer(const GbkText& timer, int period_milliseconds) override;
  void stop_timer(const GbkText& timer) override;
  int register_hotkey(int virtual_key) override;
  void release_hotkey(int hotkey_id) override;

  // --- What the user sees.
  const WindowLayout& layout() const { return layout_; }
  WindowEvents& events() { return events_; }
  bool is_enabled(const GbkText& control);
  std::vector<std::vector<GbkText>> rows(const GbkText& list);
  bool is_minimised() const { return minimised_; }
  int bring_forward_count() const { return bring_forward_count_; }
  int popup_menu_count() const { return popup_menu_count_; }
  // The period of a running timer; 0 when it is not running.
  int timer_period(const GbkText& timer);

  // --- What the user does besides the events: select rows (any previous
  // selection goes), minimise the window.
  void select_rows(const GbkText& list, const std::vector<int>& rows);
  void minimise() { minimised_ = true; }

 private:
  struct ControlState {
    ControlKind kind = ControlKind::kLabel;
    GbkText text;
    bool enabled = true;
    bool checked = false;
    std::vector<GbkText> items;
    int selected_item = -1;
    std::size_t column_count = 0;
    std::vector<std::vector<GbkText>> rows;
    std::set<int> selected_rows;
    int timer_period = 0;
  };

  ControlState& control(const GbkText& name);
  ControlState& list(const GbkText& name);

  const WindowLayout& layout_;
  WindowEvents& events_;
  MemoryViewFactory& factory_;
  std::map<GbkText, ControlState> controls_;
  bool shown_ = false;
  bool minimised_ = false;
  int bring_forward_count_ = 0;
  int popup_menu_count_ = 0;
};

// A message box as shown: the title of the window that asked for it and its
// text.
struct ShownMessage {
  GbkText window;
  GbkText text;

  friend bool operator==(const ShownMessage& a, const ShownMessage& b) {
    return a.window == b.window && a.text == b.text;
  }
};

class MemoryViewFactory : public ViewFactory {
 public:
  std::unique_ptr<WindowView> create_view(const WindowLayout& layout,
                                          WindowEvents& events) override;

  // The open window with this title; nullptr when there is none.
  MemoryWindowView* find(const GbkText& title) const;
  // How many windows with this title were created so far.
  int created_count(const GbkText& title) const;

  // Every message box shown, in order; they outlive their windows.
  const std::vector<ShownMessage>& messages() const { return messages_; }
  void clear_messages() { messages_.clear(); }

  // Hotkeys registered and not released, timers started and not stopped. A
  // destroyed window gives neither back on its own, so a missing release
  // shows here.
  std::size_t registered_hotkey_count() const { return hotkeys_.size(); }
  int running_timer_count() const { return running_timers_; }
  // Keys that another program holds: registering them fails.
  std::set<int> keys_taken_elsewhere;

 private:
  friend class MemoryWindowView;

  std::vector<MemoryWindowView*> open_views_;
  std::map<GbkText, int> created_;
  std::vector<ShownMessage> messages_;
  std::map<int, int> hotkeys_;  // identifier -> virtual key
  int next_hotkey_id_ = 1;
  int running_timers_ = 0;
};

}  // namespace tarvolo

#endif  // TARVOLO_UI_MEMORY_WINDOW_VIEW_H_
