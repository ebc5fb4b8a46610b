// Window events run under the engine lock; what waits for the user runs
// after the event, without it.
#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "ui/window_event_runner.h"

namespace tarvolo {
namespace {

// Whether another thread could take the lock right now.
bool free_for_another_thread(std::recursive_mutex& lock) {
  return std::async(std::launch::async, [&lock] {
           if (!lock.try_lock()) return false;
           lock.unlock();
           return true;
         }).get();
}

class WindowEventRunnerTest : public ::testing::Test {
 protected:
  std::recursive_mutex lock;
  WindowEventRunner runner{lock};
  std::string log;
};

TEST_F(WindowEventRunnerTest, TheEventRunsUnderTheLockAndTheBoxAfterIt) {
  bool locked_during_event = false;
  bool free_during_box = false;
  runner.run([&] {
    locked_during_event = !free_for_another_thread(lock);
    runner.defer([&] {
      free_during_box = free_for_another_thread(lock);
      log += "box;";
    });
    log += "event;";
  });
  EXPECT_TRUE(locked_during_event);
  EXPECT_TRUE(free_during_box);
  EXPECT_EQ(log, "event;box;");
  EXPECT_FALSE(runner.has_deferred());
}

TEST_F(WindowEventRunnerTest, DeferredActionsRunInOrderAfterTheOutermostEvent) {
  runner.run([&] {
    runner.defer([&] { log += "first;"; });
    // An event sent to a window while this one runs.
    runner.run([&] {
      runner.defer([&] { log += "second;"; });
      log += "inner;";
    });
    log += "outer;";
  });
  EXPECT_EQ(log, "inner;outer;first;second;");
}

TEST_F(WindowEventRunnerTest, AnEventDuringABoxQueuesBehindIt) {
  runner.run([&] {
    runner.defer([&] {
      // A timer tick while the first box waits for the user.
      runner.run([&] {
        runner.defer([&] { log += "second box;"; });
        log += "tick;";
      });
      log += "first box;";
    });
  });
  EXPECT_EQ(log, "tick;first box;second box;");
}

TEST_F(WindowEventRunnerTest, NothingThrownLeavesAndTheLockIsReleased) {
  EXPECT_NO_THROW(runner.run([&] {
    runner.defer([&] { throw std::runtime_error("box"); });
    runner.defer([&] { log += "after;"; });
    throw std::runtime_error("event");
  }));
  EXPECT_EQ(log, "after;");
  EXPECT_TRUE(free_for_another_thread(lock));
}

TEST_F(WindowEventRunnerTest, AnEntryHoldingTheLockHoldsUpTheEvent) {
  std::promise<void> entry_started;
  std::promise<void> finish_entry;
  std::thread entry([&] {
    std::lock_guard<std::recursive_mutex> held(lock);
    entry_started.set_value();
    finish_entry.get_future().wait();
    log += "entry;";
  });
  entry_started.get_future().wait();
  std::thread release([&] { finish_entry.set_value(); });
  runner.run([&] { log += "event;"; });
  release.join();
  entry.join();
  EXPECT_EQ(log, "entry;event;");
}

}  // namespace
}  // namespace tarvolo
