// Runs the windows' events with the engine lock held, so that an event or a
// timer tick never works on the files at the same time as an entry call
// from another thread. What waits for the user (a message box, a popup
// menu) runs its own message loop until the user is done; it is deferred
// until the event is over and runs without the lock, so that a host thread
// calling an entry meanwhile is not held up by an unanswered box.
#ifndef TARVOLO_UI_WINDOW_EVENT_RUNNER_H_
#define TARVOLO_UI_WINDOW_EVENT_RUNNER_H_

#include <deque>
#include <functional>
#include <mutex>

namespace tarvolo {

// Used on the windows' thread only.
class WindowEventRunner {
 public:
  explicit WindowEventRunner(std::recursive_mutex& lock) : lock_(lock) {}

  // Runs `event` under the lock. When it is the outermost event on the
  // thread, the actions deferred meanwhile then run in order, without the
  // lock. Nothing that an event or an action throws leaves: the window
  // procedure that calls this must not unwind into the system.
  void run(const std::function<void()>& event);

  // Queues an action that waits for the user, to run once the current event
  // is over.
  void defer(std::function<void()> action);

  bool has_deferred() const { return !deferred_.empty(); }

 private:
  void run_deferred();

  std::recursive_mutex& lock_;
  std::deque<std::function<void()>> deferred_;
  int depth_ = 0;
  bool running_deferred_ = false;
};

}  // namespace tarvolo

#endif  // TARVOLO_UI_WINDOW_EVENT_RUNNER_H_
