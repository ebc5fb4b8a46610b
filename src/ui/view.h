// The passive view of a window: what a presenter can do to the window and
// read from it, and the user events the window passes back. A view holds no
// behaviour; the Win32 views draw real windows, the in-memory view keeps the
// same state in memory (off Windows, and in the tests).
//
// Controls are named as in the window's layout ("编辑框1", "超级列表框1", ...).
#ifndef TARVOLO_UI_VIEW_H_
#define TARVOLO_UI_VIEW_H_

#include <memory>
#include <vector>

#include "text/gbk_text.h"

namespace tarvolo {

struct WindowLayout;

// What the user does to a window, as its presenter receives it.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;

  // The close box of the title bar or the system's close command. The window
  // stays until its presenter closes or hides it.
  virtual void on_close_requested() = 0;
  virtual void on_button_clicked(const GbkText& /*button*/) {}
  // A right click in a report list, on a row or on its empty part.
  virtual void on_list_right_clicked(const GbkText& /*list*/) {}
  // An item of the window's popup menu, by its place in the menu.
  virtual void on_menu_item_chosen(int /*index*/) {}
  virtual void on_hotkey(int /*hotkey_id*/) {}
  virtual void on_timer(const GbkText& /*timer*/) {}
};

class WindowView {
 public:
  // Destroying the view destroys its window.
  virtual ~WindowView() = default;

  // --- Labels, edit boxes, buttons, group boxes.
  virtual void set_text(const GbkText& control, const GbkText& text) = 0;
  virtual GbkText text(const GbkText& control) = 0;
  virtual void set_enabled(const GbkText& control, bool enabled) = 0;

  // --- The check box.
  virtual void set_checked(const GbkText& control, bool checked) = 0;
  virtual bool is_checked(const GbkText& control) = 0;

  // --- Drop-down lists: items by index, -1 for none.
  virtual void select_item(const GbkText& control, int index) = 0;
  virtual int selected_item(const GbkText& control) = 0;
  // The text of an item; the empty text for an index out of range.
  virtual GbkText item_text(const GbkText& control, int index) = 0;

  // --- Report lists: rows of cells, counted from 0.
  virtual void clear_rows(const GbkText& list) = 0;
  virtual void add_row(const GbkText& list, const std::vector<GbkText>& cells) = 0;
  virtual int row_count(const GbkText& list) = 0;
  virtual GbkText cell(const GbkText& list, int row, int column) = 0;
  virtual void set_cell(const GbkText& list, int row, int column, const GbkText& text) = 0;
  // The selected rows in list order.
  virtual std::vector<int> selected_rows(const GbkText& list) = 0;

  // --- The window.
  virtual void show() = 0;
  virtual void hide() = 0;
  virtual bool is_shown() = 0;
  // Restores the window when it is minimised, else brings it to the front.
  virtual void bring_forward() = 0;
  // The window's popup menu at the mouse position; a chosen item comes back
  // as on_menu_item_chosen.
  virtual void open_popup_menu() = 0;
  // A message box captioned "信息：" with one OK button and no owner, modal
  // to the thread. The view may show it once the current event is over.
  virtual void show_message(const GbkText& text) = 0;

  // --- Timers and the global hotkey.
  virtual void start_timer(const GbkText& timer, int period_milliseconds) = 0;
  virtual void stop_timer(const GbkText& timer) = 0;
  // Registers a global hotkey without modifier keys for this window; returns
  // its identifier, 0 when the key cannot be had.
  virtual int register_hotkey(int virtual_key) = 0;
  virtual void release_hotkey(int hotkey_id) = 0;
};

// Creates a window from its layout, not yet shown, with its controls at
// their defaults; the window reports to `events`.
class ViewFactory {
 public:
  virtual ~ViewFactory() = default;
  virtual std::unique_ptr<WindowView> create_view(const WindowLayout& layout,
                                                  WindowEvents& events) = 0;
};

}  // namespace tarvolo

#endif  // TARVOLO_UI_VIEW_H_
