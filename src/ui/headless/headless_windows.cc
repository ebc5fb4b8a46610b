#include "ui/headless/headless_windows.h"

#include "ui/window_layout.h"

namespace tarvolo {

HeadlessWindows::HeadlessWindows(const ModerationContext& context)
    : clock_(*context.config.env), windows_(context, views_) {}

void HeadlessWindows::start() {
  windows_.start();
  last_tick_ = clock_.monotonic_milliseconds();
}

void HeadlessWindows::stop() { windows_.stop(); }

int HeadlessWindows::pump_due_timer_ticks() {
  MemoryWindowView* view = views_.find(main_window::layout().title);
  if (view == nullptr) return 0;
  const int period = view->timer_period(main_window::kSweepTimer);
  if (period <= 0) return 0;
  const std::int64_t now = clock_.monotonic_milliseconds();
  const std::int64_t elapsed = now - last_tick_;
  if (elapsed < period) return 0;
  // Keep the ticks on the period's beat, dropping the ones a pause missed.
  last_tick_ += elapsed / period * period;
  view->events().on_timer(main_window::kSweepTimer);
  return 1;
}

}  // namespace tarvolo
