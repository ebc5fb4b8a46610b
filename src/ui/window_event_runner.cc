#include "ui/window_event_runner.h"

#include <utility>

namespace tarvolo {

void WindowEventRunner::run(const std::function<void()>& event) {
  {
    std::lock_guard<std::recursive_mutex> lock(lock_);
    ++depth_;
    try {
      event();
    } catch (...) {
      // An event that fails leaves the files as far as it got; the window
      // stays usable.
    }
    --depth_;
  }
  if (depth_ == 0) run_deferred();
}

void WindowEventRunner::defer(std::function<void()> action) {
  deferred_.push_back(std::move(action));
}

void WindowEventRunner::run_deferred() {
  // An event that arrives while a box is up (a timer tick) runs inside the
  // box's message loop; what it defers joins this queue instead of opening
  // a second loop of its own.
  if (running_deferred_) return;
  running_deferred_ = true;
  while (!deferred_.empty()) {
    std::function<void()> action = std::move(deferred_.front());
    deferred_.pop_front();
    try {
      action();
    } catch (...) {
    }
  }
  running_deferred_ = false;
}

}  // namespace tarvolo
