#include "ui/win32/win32_window_view.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace tarvolo {
namespace {

constexpr int kFirstControlId = 100;
constexpr int kFirstMenuItemId = 1000;
// A drop-down list is created with the height of its open list added.
constexpr int kDropDownListHeight = 120;

const char kMessageCaption[] = "信息：";
const char kHotkeyAtomName[] = "Tarvolo.cqp show-hide hotkey";

GbkText window_text(HWND handle) {
  const int length = GetWindowTextLengthA(handle);
  if (length <= 0) return GbkText();
  std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(handle, &buffer[0], length + 1);
  buffer.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return buffer;
}

void set_font(HWND handle, HFONT font) {
  if (font != nullptr) SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// A label is never allowed to cut its text: where the font is taller than
// the one the places were drawn for (a substituted face, larger type), it
// grows downwards as far as the window's client area allows.
void grow_to_fit_text(HWND label, const GbkText& text, const Place& place) {
  HDC context = GetDC(label);
  if (context == nullptr) return;
  HGDIOBJ previous =
      SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, place.width, 0};
  DrawTextA(context, text.c_str(), static_cast<int>(text.size()), &needed,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
  SelectObject(context, previous);
  ReleaseDC(label, context);
  if (needed.bottom <= place.height) return;
  RECT client{};
  GetClientRect(GetParent(label), &client);
  const int height = std::min<int>(needed.bottom, client.bottom - place.y);
  if (height > place.height) {
    SetWindowPos(label, nullptr, 0, 0, place.width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

void show_message_box(const GbkText& text) {
  MessageBoxA(nullptr, text.c_str(), kMessageCaption, MB_OK | MB_TASKMODAL);
}

Win32WindowView::Win32WindowView(const Win32WindowResources& resources, const WindowLayout& layout,
                                 WindowEvents& events)
    : resources_(resources), layout_(layout), events_(events) {
  // Without WS_CLIPCHILDREN: the window paints its background under the
  // group boxes, which draw only their frames.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  // window_ is set by the window procedure as soon as the window exists.
  CreateWindowExA(0, resources_.window_class, layout_.title.c_str(), style, layout_.frame.x,
                  layout_.frame.y, layout_.frame.width, layout_.frame.height, nullptr, nullptr,
                  resources_.instance, this);
  if (window_ == nullptr) return;
  create_controls();
  if (!layout_.menu_items.empty()) {
    menu_ = CreatePopupMenu();
    for (std::size_t i = 0; i < layout_.menu_items.size(); ++i) {
      AppendMenuA(menu_, MF_STRING, kFirstMenuItemId + i, layout_.menu_items[i].c_str());
    }
  }
}

Win32WindowView::~Win32WindowView() {
  if (window_ != nullptr) {
    // From here on the window's messages no longer reach this object.
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    if (GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId()) {
      for (int hotkey : hotkeys_) UnregisterHotKey(window_, hotkey);
      DestroyWindow(window_);
    } else {
      // Unloaded from another thread: the window's own thread must destroy
      // it, and by then this code may be gone, so it gets the system's
      // procedure and closes when that thread next looks at its messages.
      SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
      PostMessageA(window_, WM_CLOSE, 0, 0);
    }
  }
  for (int hotkey : hotkeys_) GlobalDeleteAtom(static_cast<ATOM>(hotkey));
  if (menu_ != nullptr) DestroyMenu(menu_);
}

void Win32WindowView::create_controls() {
  int id = kFirstControlId;
  for (const ControlLayout& control : layout_.controls) {
    HWND handle = control.kind == ControlKind::kTimer ? nullptr : create_control(control, id);
    controls_.push_back(Control{&control, id, handle});
    ++id;
  }
  // Group boxes lie under the controls they hold, whatever the order in
  // which the system stacked them.
  for (const Control& control : controls_) {
    if (control.layout->kind == ControlKind::kGroupBox && control.handle != nullptr) {
      SetWindowPos(control.handle, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

HWND Win32WindowView::create_control(const ControlLayout& control, int id) {
  const Place place = layout_.place_in_window(control);
  const char* window_class = "STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD extended_style = 0;
  int height = place.height;
  switch (control.kind) {
    case ControlKind::kLabel:
      style |= SS_LEFT | SS_NOPREFIX;
      break;
    case ControlKind::kEditBox:
      window_class = "EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
      extended_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kPushButton:
      window_class = "BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case ControlKind::kCheckBox:
      window_class = "BUTTON";
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      break;
    case ControlKind::kGroupBox:
      window_class = "BUTTON";
      style |= BS_GROUPBOX;
      break;
    case ControlKind::kDropDownList:
      window_class = "COMBOBOX";
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      height += kDropDownListHeight;
      break;
    case ControlKind::kReportList:
      window_class = WC_LISTVIEWA;
      style |= WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS;
      if (!control.multiple_selection) style |= LVS_SINGLESEL;
      extended_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kTimer:
      return nullptr;
  }
  HWND handle = CreateWindowExA(extended_style, window_class, control.text.c_str(), style, place.x,
                                place.y, place.width, height, window_, reinterpret_cast<HMENU>(
                                    static_cast<INT_PTR>(id)),
                                resources_.instance, nullptr);
  if (handle == nullptr) return nullptr;
  set_font(handle, resources_.font);
  if (control.kind == ControlKind::kLabel) grow_to_fit_text(handle, control.text, place);
  if (control.kind == ControlKind::kDropDownList) {
    for (const GbkText& item : control.items) {
      SendMessageA(handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageA(handle, CB_SETCURSEL, static_cast<WPARAM>(control.selected_item), 0);
  } else if (control.kind == ControlKind::kReportList) {
    SendMessageA(handle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (std::size_t i = 0; i < control.columns.size(); ++i) {
      LVCOLUMNA column{};
      column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      column.fmt = LVCFMT_LEFT;
      column.cx = control.columns[i].width;
      column.pszText = const_cast<char*>(control.columns[i].title.c_str());
      column.iSubItem = static_cast<int>(i);
      SendMessageA(handle, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
  }
  return handle;
}

const Win32WindowView::Control* Win32WindowView::find(const GbkText& name) const {
  for (const Control& control : controls_) {
    if (control.layout->name == name) return &control;
  }
  return nullptr;
}

const Win32WindowView::Control* Win32WindowView::find(int id) const {
  for (const Control& control : controls_) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

HWND Win32WindowView::handle_of(const GbkText& name) const {
  const Control* control = find(name);
  return control == nullptr ? nullptr : control->handle;
}

LRESULT CALLBACK Win32WindowView::window_procedure(HWND window, UINT message, WPARAM wparam,
                                                   LPARAM lparam) {
  auto* view = reinterpret_cast<Win32WindowView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    view = static_cast<Win32WindowView*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    if (view != nullptr) view->window_ = window;
  }
  if (view != nullptr) {
    try {
      LRESULT result = 0;
      if (view->handle_message(message, wparam, lparam, &result)) return result;
    } catch (...) {
      return 0;
    }
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool Win32WindowView::handle_message(UINT message, WPARAM wparam, LPARAM lparam,
                                     LRESULT* result) {
  // Each event is handed to the presenter and nothing of this object is
  // touched afterwards: the event may have closed the window.
  WindowEvents& events = events_;
  WindowEventRunner& runner = *resources_.runner;
  *result = 0;
  switch (message) {
    case WM_CLOSE:
      // Never the default (which destroys): the presenter hides or closes.
      runner.run([&events] { events.on_close_requested(); });
      return true;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (lparam == 0 && HIWORD(wparam) == 0) {
        const int index = id - kFirstMenuItemId;
        if (index < 0 || index >= static_cast<int>(layout_.menu_items.size())) return false;
        runner.run([&events, index] { events.on_menu_item_chosen(index); });
        return true;
      }
      const Control* control = find(id);
      if (control == nullptr || control->layout->kind != ControlKind::kPushButton ||
          HIWORD(wparam) != BN_CLICKED) {
        return false;
      }
      const GbkText name = control->layout->name;
      runner.run([&events, &name] { events.on_button_clicked(name); });
      return true;
    }
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header == nullptr || header->code != static_cast<UINT>(NM_RCLICK)) return false;
      const Control* control = find(static_cast<int>(header->idFrom));
      if (control == nullptr || control->layout->kind != ControlKind::kReportList) return false;
      // The menu opens where the click was.
      POINT at = reinterpret_cast<const NMITEMACTIVATE*>(lparam)->ptAction;
      ClientToScreen(header->hwndFrom, &at);
      right_click_at_ = at;
      const GbkText name = control->layout->name;
      runner.run([&events, &name] { events.on_list_right_clicked(name); });
      return true;
    }
    case WM_HOTKEY: {
      const int id = static_cast<int>(wparam);
      runner.run([&events, id] { events.on_hotkey(id); });
      return true;
    }
    case WM_TIMER: {
      const Control* control = find(static_cast<int>(wparam));
      if (control == nullptr || control->layout->kind != ControlKind::kTimer) return false;
      const GbkText name = control->layout->name;
      runner.run([&events, &name] { events.on_timer(name); });
      return true;
    }
    case WM_NCDESTROY:
      window_ = nullptr;
      return false;
    default:
      return false;
  }
}

void Win32WindowView::set_text(const GbkText& control, const GbkText& text) {
  if (HWND handle = handle_of(control)) SetWindowTextA(handle, text.c_str());
}

GbkText Win32WindowView::text(const GbkText& control) {
  HWND handle = handle_of(control);
  return handle == nullptr ? GbkText() : window_text(handle);
}

void Win32WindowView::set_enabled(const GbkText& control, bool enabled) {
  if (HWND handle = handle_of(control)) EnableWindow(handle, enabled ? TRUE : FALSE);
}

void Win32WindowView::set_checked(const GbkText& control, bool checked) {
  if (HWND handle = handle_of(control)) {
    SendMessageA(handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

bool Win32WindowView::is_checked(const GbkText& control) {
  HWND handle = handle_of(control);
  return handle != nullptr && SendMessageA(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32WindowView::select_item(const GbkText& control, int index) {
  // An index outside the items clears the selection.
  if (HWND handle = handle_of(control)) {
    SendMessageA(handle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

int Win32WindowView::selected_item(const GbkText& control) {
  HWND handle = handle_of(control);
  if (handle == nullptr) return -1;
  const LRESULT index = SendMessageA(handle, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

GbkText Win32WindowView::item_text(const GbkText& control, int index) {
  HWND handle = handle_of(control);
  if (handle == nullptr || index < 0) return GbkText();
  const LRESULT length = SendMessageA(handle, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR || length <= 0) return GbkText();
  std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT got = SendMessageA(handle, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&buffer[0]));
  buffer.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
  return buffer;
}

void Win32WindowView::clear_rows(const GbkText& list) {
  if (HWND handle = handle_of(list)) SendMessageA(handle, LVM_DELETEALLITEMS, 0, 0);
}

void Win32WindowView::add_row(const GbkText& list, const std::vector<GbkText>& cells) {
  HWND handle = handle_of(list);
  if (handle == nullptr) return;
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageA(handle, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = const_cast<char*>(cells.empty() ? "" : cells[0].c_str());
  const LRESULT row = SendMessageA(handle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  if (row < 0) return;
  for (std::size_t column = 1; column < cells.size(); ++column) {
    set_cell(list, static_cast<int>(row), static_cast<int>(column), cells[column]);
  }
}

int Win32WindowView::row_count(const GbkText& list) {
  HWND handle = handle_of(list);
  return handle == nullptr ? 0 : static_cast<int>(SendMessageA(handle, LVM_GETITEMCOUNT, 0, 0));
}

GbkText Win32WindowView::cell(const GbkText& list, int row, int column) {
  HWND handle = handle_of(list);
  if (handle == nullptr || row < 0 || column < 0) return GbkText();
  // The list says only how much it copied; a buffer it filled to the brim
  // may have cut the text, so it is read again into a larger one.
  for (std::size_t size = 256;; size *= 2) {
    std::string buffer(size, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = &buffer[0];
    item.cchTextMax = static_cast<int>(size);
    const LRESULT got = SendMessageA(handle, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(&item));
    if (got < 0) return GbkText();
    if (static_cast<std::size_t>(got) + 1 < size || size >= (1u << 20)) {
      buffer.resize(static_cast<std::size_t>(got));
      return buffer;
    }
  }
}

void Win32WindowView::set_cell(const GbkText& list, int row, int column, const GbkText& text) {
  HWND handle = handle_of(list);
  if (handle == nullptr || row < 0 || column < 0) return;
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(handle, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
}

std::vector<int> Win32WindowView::selected_rows(const GbkText& list) {
  std::vector<int> rows;
  HWND handle = handle_of(list);
  if (handle == nullptr) return rows;
  int row = -1;
  while ((row = static_cast<int>(SendMessageA(handle, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                              LVNI_SELECTED))) >= 0) {
    rows.push_back(row);
  }
  return rows;
}

void Win32WindowView::show() {
  if (window_ == nullptr) return;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

void Win32WindowView::hide() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

bool Win32WindowView::is_shown() { return window_ != nullptr && IsWindowVisible(window_); }

void Win32WindowView::bring_forward() {
  if (window_ == nullptr) return;
  if (IsIconic(window_)) {
    ShowWindow(window_, SW_RESTORE);
  } else {
    ShowWindow(window_, SW_SHOW);
  }
  SetForegroundWindow(window_);
  BringWindowToTop(window_);
}

void Win32WindowView::open_popup_menu() {
  if (window_ == nullptr || menu_ == nullptr) return;
  POINT at = right_click_at_;
  HWND window = window_;
  HMENU menu = menu_;
  // The menu runs a message loop until the user chooses; it opens once the
  // event is over and the lock is free. The chosen item comes back as a
  // WM_COMMAND message.
  resources_.runner->defer([window, menu, at] {
    if (!IsWindow(window)) return;
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window,
                   nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
  });
}

void Win32WindowView::show_message(const GbkText& text) {
  resources_.runner->defer([text] { show_message_box(text); });
}

void Win32WindowView::start_timer(const GbkText& timer, int period_milliseconds) {
  const Control* control = find(timer);
  if (window_ == nullptr || control == nullptr || period_milliseconds <= 0) return;
  SetTimer(window_, static_cast<UINT_PTR>(control->id), static_cast<UINT>(period_milliseconds),
           nullptr);
}

void Win32WindowView::stop_timer(const GbkText& timer) {
  const Control* control = find(timer);
  if (window_ != nullptr && control != nullptr) {
    KillTimer(window_, static_cast<UINT_PTR>(control->id));
  }
}

int Win32WindowView::register_hotkey(int virtual_key) {
  if (window_ == nullptr) return 0;
  // A library's hotkey identifier must come from the global atom table, so
  // that it cannot clash with the host's own hotkeys.
  const ATOM id = GlobalAddAtomA(kHotkeyAtomName);
  if (id == 0) return 0;
  if (!RegisterHotKey(window_, id, 0, static_cast<UINT>(virtual_key))) {
    GlobalDeleteAtom(id);
    return 0;
  }
  hotkeys_.push_back(id);
  return id;
}

void Win32WindowView::release_hotkey(int hotkey_id) {
  for (auto it = hotkeys_.begin(); it != hotkeys_.end(); ++it) {
    if (*it != hotkey_id) continue;
    if (window_ != nullptr) UnregisterHotKey(window_, hotkey_id);
    GlobalDeleteAtom(static_cast<ATOM>(hotkey_id));
    hotkeys_.erase(it);
    return;
  }
}

std::unique_ptr<WindowView> Win32ViewFactory::create_view(const WindowLayout& layout,
                                                          WindowEvents& events) {
  return std::make_unique<Win32WindowView>(resources_, layout, events);
}

}  // namespace tarvolo
