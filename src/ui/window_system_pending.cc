// Placeholder until the windows are built: no window exists, so every call
// does nothing.
#include "ui/window_system.h"

namespace tarvolo {

void start_windows(const ModerationContext&) {}
void stop_windows() {}
void refresh_main_window_group_list() {}
void fill_open_group_settings_window(const GbkText&, const GbkText&) {}
int pump_window_events() { return 0; }

}  // namespace tarvolo
