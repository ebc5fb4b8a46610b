// The window system off Windows: one set of in-memory windows from start-up
// to unload. Every call comes in under the engine lock (start-up, unload,
// the entries and pump_events), so nothing here locks again.
#include "ui/headless/headless_windows.h"
#include "ui/window_system.h"

namespace tarvolo {
namespace {

// A plain pointer, not a static object: the unload hook may run after the
// library's static objects are gone.
HeadlessWindows* running_windows = nullptr;

}  // namespace

void start_windows(const ModerationContext& context) {
  stop_windows();
  running_windows = new HeadlessWindows(context);
  running_windows->start();
}

void stop_windows() {
  if (running_windows == nullptr) return;
  running_windows->stop();
  delete running_windows;
  running_windows = nullptr;
}

void refresh_main_window_group_list() {
  if (running_windows != nullptr) running_windows->windows().main_window().refresh_group_list();
}

void fill_open_group_settings_window(const GbkText& group, const GbkText& mode) {
  if (running_windows == nullptr) return;
  running_windows->windows().group_settings_window().fill_group_settings_window(group, mode);
}

int pump_window_events() {
  return running_windows != nullptr ? running_windows->pump_due_timer_ticks() : 0;
}

}  // namespace tarvolo
