// The plug-in's three windows as the rest of the module sees them: brought
// up at start-up, released at unload, and reached by the two window entries.
// On Windows these are real top-level windows served by the host's message
// loop; off Windows the same presenters run over an in-memory view and the
// host drives the main window's timer through pump_events.
#ifndef TARVOLO_UI_WINDOW_SYSTEM_H_
#define TARVOLO_UI_WINDOW_SYSTEM_H_

#include "moderation/context.h"
#include "text/gbk_text.h"

namespace tarvolo {

// Creates and shows the main window (its group list, the F7 hotkey, the
// super administrator box and its 2000 ms timer).
void start_windows(const ModerationContext& context);

// Releases the hotkey and the timer and destroys the windows.
void stop_windows();

// Rebuilds the main window's group list; nothing when it does not exist.
void refresh_main_window_group_list();

// Fills the open group settings window for `group` in `mode` ("1" new
// group, "2" existing group); nothing when it is not open.
void fill_open_group_settings_window(const GbkText& group, const GbkText& mode);

// Runs the main window's timer ticks that are due (at most one per call);
// returns how many ran. Only off Windows, where no message loop delivers
// them.
int pump_window_events();

}  // namespace tarvolo

#endif  // TARVOLO_UI_WINDOW_SYSTEM_H_
