// A real top-level window built from a layout with the Windows API (ANSI
// functions: every text is code page 936). It only draws and reports: the
// window procedure turns the user's actions into WindowEvents, run through
// the event runner under the engine lock.
#ifndef TARVOLO_UI_WIN32_WIN32_WINDOW_VIEW_H_
#define TARVOLO_UI_WIN32_WIN32_WINDOW_VIEW_H_

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/view.h"
#include "ui/window_event_runner.h"
#include "ui/window_layout.h"

namespace tarvolo {

// What every window of the plug-in shares.
struct Win32WindowResources {
  HINSTANCE instance = nullptr;  // the plug-in library
  const char* window_class = nullptr;
  HFONT font = nullptr;
  WindowEventRunner* runner = nullptr;
};

class Win32WindowView : public WindowView {
 public:
  // Creates the window, hidden, with its controls. When the system refuses
  // the window (no display), the view stays empty and does nothing.
  Win32WindowView(const Win32WindowResources& resources, const WindowLayout& layout,
                  WindowEvents& events);
  // Destroys the window. A window of another thread cannot be destroyed from
  // here; it is cut loose from this code and asked to close instead.
  ~Win32WindowView() override;

  // The window procedure of the plug-in's window class.
  static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam);

  HWND handle() const { return window_; }

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
  bool is_shown() override;
  void bring_forward() override;
  void open_popup_menu() override;
  void show_message(const GbkText& text) override;
  void start_timer(const GbkText& timer, int period_milliseconds) override;
  void stop_timer(const GbkText& timer) override;
  int register_hotkey(int virtual_key) override;
  void release_hotkey(int hotkey_id) override;

 private:
  struct Control {
    const ControlLayout* layout;
    int id;
    HWND handle;  // nullptr for a timer
  };

  void create_controls();
  HWND create_control(const ControlLayout& control, int id);
  const Control* find(const GbkText& name) const;
  const Control* find(int id) const;
  HWND handle_of(const GbkText& name) const;
  // Handles one message; returns false for the default handling. After an
  // event has run, `this` may be gone (the presenter closed the window).
  bool handle_message(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

  Win32WindowResources resources_;
  const WindowLayout& layout_;
  WindowEvents& events_;
  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  std::vector<Control> controls_;
  std::vector<int> hotkeys_;
  // Screen position of the last right click in a list.
  POINT right_click_at_{0, 0};
};

class Win32ViewFactory : public ViewFactory {
 public:
  explicit Win32ViewFactory(const Win32WindowResources& resources) : resources_(resources) {}
  std::unique_ptr<WindowView> create_view(const WindowLayout& layout,
                                          WindowEvents& events) override;

 private:
  Win32WindowResources resources_;
};

// Shows a message box captioned "信息：" with one OK button, no owner, modal
// to the thread.
void show_message_box(const GbkText& text);

}  // namespace tarvolo

#endif  // TARVOLO_UI_WIN32_WIN32_WINDOW_VIEW_H_
