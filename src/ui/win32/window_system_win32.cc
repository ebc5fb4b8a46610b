// The window system on Windows: real windows on the thread that loaded the
// library (the host's), served by that thread's message loop.
//
// start_windows runs inside the library's process-attach notification, under
// the loader lock: it registers the window classes with the library's own
// instance and creates the main window on the spot, and never waits for
// another thread.
//
// The two window entries may be called on another host thread. A window
// belongs to its thread, and working it from elsewhere means waiting for
// that thread, which may itself be waiting for the engine lock held by the
// caller; such calls are therefore posted to the windows' thread and run
// there, as a window event, under the lock.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "plugin/engine_lock.h"
#include "ui/win32/win32_window_view.h"
#include "ui/window_event_runner.h"
#include "ui/window_set.h"
#include "ui/window_system.h"

namespace tarvolo {
namespace {

// A call posted to the windows' thread: lparam owns a std::function<void()>.
constexpr UINT kRunOnWindowThread = WM_APP + 1;

class Win32Windows {
 public:
  explicit Win32Windows(const ModerationContext& context);
  ~Win32Windows();

  WindowSet& windows() { return *windows_; }
  // Runs `call` now when this is the windows' thread, else posts it there.
  void on_window_thread(std::function<void()> call);

 private:
  static LRESULT CALLBACK messenger_procedure(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam);

  HINSTANCE instance_ = nullptr;
  DWORD thread_ = 0;
  // Unique per load: a class left behind by an unload from another thread
  // must not be taken for this load's.
  std::string window_class_;
  std::string messenger_class_;
  bool window_class_registered_ = false;
  bool messenger_class_registered_ = false;
  HFONT font_ = nullptr;
  HWND messenger_ = nullptr;
  WindowEventRunner runner_{engine_mutex()};
  std::unique_ptr<Win32ViewFactory> factory_;
  std::unique_ptr<WindowSet> windows_;
};

// A plain pointer, not a static object: the unload notification may come
// after the library's static objects are gone.
Win32Windows* running_windows = nullptr;

HINSTANCE this_library() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&this_library), &module);
  return module;
}

Win32Windows::Win32Windows(const ModerationContext& context)
    : instance_(this_library()), thread_(GetCurrentThreadId()) {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const std::string suffix = std::to_string(GetTickCount64()) + "." +
                             std::to_string(reinterpret_cast<UINT_PTR>(this));
  window_class_ = "Tarvolo.cqp window " + suffix;
  messenger_class_ = "Tarvolo.cqp messenger " + suffix;

  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &Win32WindowView::window_procedure;
  window_class.hInstance = instance_;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = window_class_.c_str();
  window_class_registered_ = RegisterClassExA(&window_class) != 0;

  WNDCLASSEXA messenger_class{};
  messenger_class.cbSize = sizeof messenger_class;
  messenger_class.lpfnWndProc = &Win32Windows::messenger_procedure;
  messenger_class.hInstance = instance_;
  messenger_class.lpszClassName = messenger_class_.c_str();
  messenger_class_registered_ = RegisterClassExA(&messenger_class) != 0;
  if (messenger_class_registered_) {
    messenger_ = CreateWindowExA(0, messenger_class_.c_str(), "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, instance_, nullptr);
  }

  // The texts are Chinese: the usual 9-point Song face of a Chinese Windows.
  font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, "宋体");

  Win32WindowResources resources;
  resources.instance = instance_;
  resources.window_class = window_class_.c_str();
  resources.font = font_;
  resources.runner = &runner_;
  factory_ = std::make_unique<Win32ViewFactory>(resources);
  windows_ = std::make_unique<WindowSet>(context, *factory_);
}

Win32Windows::~Win32Windows() {
  // The presenters release the hotkey and the timer and destroy their
  // windows, or cut them loose when this is not their thread.
  windows_->stop();
  windows_.reset();
  const bool own_thread = GetCurrentThreadId() == thread_;
  if (messenger_ != nullptr) {
    SetWindowLongPtrA(messenger_, GWLP_USERDATA, 0);
    if (own_thread) {
      MSG message;
      while (PeekMessageA(&message, messenger_, kRunOnWindowThread, kRunOnWindowThread,
                          PM_REMOVE)) {
        delete reinterpret_cast<std::function<void()>*>(message.lParam);
      }
      DestroyWindow(messenger_);
    } else {
      SetWindowLongPtrA(messenger_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
      PostMessageA(messenger_, WM_CLOSE, 0, 0);
    }
  }
  if (own_thread) {
    if (window_class_registered_) UnregisterClassA(window_class_.c_str(), instance_);
    if (messenger_class_registered_) UnregisterClassA(messenger_class_.c_str(), instance_);
  }
  if (font_ != nullptr) DeleteObject(font_);
}

void Win32Windows::on_window_thread(std::function<void()> call) {
  if (GetCurrentThreadId() == thread_) {
    call();
    return;
  }
  if (messenger_ == nullptr) return;
  auto* posted = new std::function<void()>(std::move(call));
  if (!PostMessageA(messenger_, kRunOnWindowThread, 0, reinterpret_cast<LPARAM>(posted))) {
    delete posted;
  }
}

LRESULT CALLBACK Win32Windows::messenger_procedure(HWND window, UINT message, WPARAM wparam,
                                                   LPARAM lparam) {
  if (message != kRunOnWindowThread) return DefWindowProcA(window, message, wparam, lparam);
  std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lparam));
  if (call && running_windows != nullptr) running_windows->runner_.run(*call);
  return 0;
}

}  // namespace

void start_windows(const ModerationContext& context) {
  stop_windows();
  running_windows = new Win32Windows(context);
  running_windows->windows().start();
}

void stop_windows() {
  Win32Windows* windows = running_windows;
  running_windows = nullptr;
  delete windows;
}

void refresh_main_window_group_list() {
  if (running_windows == nullptr) return;
  running_windows->on_window_thread([] {
    if (running_windows != nullptr) running_windows->windows().main_window().refresh_group_list();
  });
}

void fill_open_group_settings_window(const GbkText& group, const GbkText& mode) {
  if (running_windows == nullptr) return;
  running_windows->on_window_thread([group, mode] {
    if (running_windows == nullptr) return;
    running_windows->windows().group_settings_window().fill_group_settings_window(group, mode);
  });
}

// The message loop of the host delivers the timer on Windows.
int pump_window_events() { return 0; }

}  // namespace tarvolo
