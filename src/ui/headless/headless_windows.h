// The windows off Windows: the same presenters over in-memory views. They
// exist from start-up on; as no message loop delivers the main window's
// timer, the host's pump calls run its ticks when they are due.
#ifndef TARVOLO_UI_HEADLESS_HEADLESS_WINDOWS_H_
#define TARVOLO_UI_HEADLESS_HEADLESS_WINDOWS_H_

#include <cstdint>

#include "moderation/context.h"
#include "platform/env.h"
#include "ui/memory_window_view.h"
#include "ui/window_set.h"

namespace tarvolo {

class HeadlessWindows {
 public:
  // The timer is paced by the monotonic clock of the context's Env.
  explicit HeadlessWindows(const ModerationContext& context);

  // Creates and shows the main window; its timer counts from now.
  void start();
  // Releases the hotkey and the timer and destroys the windows.
  void stop();

  WindowSet& windows() { return windows_; }
  MemoryViewFactory& views() { return views_; }

  // Runs the main window's timer tick when a period has passed since the
  // last one (or since start-up): never more than one per call, and a long
  // pause does not bring a burst of ticks afterwards. Returns the ticks run.
  int pump_due_timer_ticks();

 private:
  Env& clock_;
  MemoryViewFactory views_;
  WindowSet windows_;
  std::int64_t last_tick_ = 0;
};

}  // namespace tarvolo

#endif  // TARVOLO_UI_HEADLESS_HEADLESS_WINDOWS_H_
