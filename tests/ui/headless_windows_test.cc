// The windows off Windows: the main window from start-up on, and its timer
// driven by the host's pump calls.
#include <gtest/gtest.h>

#include <vector>

#include "ui/headless/headless_windows.h"
#include "ui/window_layout.h"
#include "window_test_fixture.h"

namespace tarvolo {
namespace testing_ui {
namespace {

const char kExpiredVote[] =
    "[111]\r\n群号=222\r\n类型=投票移除\r\n时间=2013年11月3日11时50分0秒\r\n获得票数=1\r\n";
const char kEndOfVoteNotice[] = "【Tarvolo】\r\nQQ：111 针对您的投票已结束，可以正常发言！";

class HeadlessWindowsTest : public WindowTest {
 protected:
  HeadlessWindows headless{context};
  MemoryWindowView* main() { return headless.views().find(main_window::layout().title); }
};

TEST_F(HeadlessWindowsTest, StartShowsTheMainWindow) {
  write_settings("[1111]\r\n开关=1\r\n");
  headless.start();
  ASSERT_NE(main(), nullptr);
  EXPECT_TRUE(main()->is_shown());
  EXPECT_EQ(main()->rows(main_window::kGroupList), (Rows{{"1111", "开"}}));
}

TEST_F(HeadlessWindowsTest, OneTickPerPeriodAndNeverABurst) {
  headless.start();
  const std::int64_t start = env.monotonic;
  const struct {
    std::int64_t at;  // milliseconds after start
    int ticks;
  } pumps[] = {
      {0, 0},     {1999, 0},  {2000, 1},  {2000, 0},  {3999, 0},
      {4100, 1},  {5999, 0},  {6000, 1},  // on the beat of the start
      {30500, 1}, {30600, 0}, {31999, 0}, {32000, 1},  // a long pause: one tick
  };
  for (const auto& pump : pumps) {
    SCOPED_TRACE(pump.at);
    env.monotonic = start + pump.at;
    EXPECT_EQ(headless.pump_due_timer_ticks(), pump.ticks);
  }
}

TEST_F(HeadlessWindowsTest, ATickSweepsExpiredVotes) {
  dir.write("任务队列.ini", kExpiredVote);
  headless.start();
  EXPECT_EQ(headless.pump_due_timer_ticks(), 0);
  EXPECT_TRUE(host.calls.empty());
  env.monotonic += 2000;
  EXPECT_EQ(headless.pump_due_timer_ticks(), 1);
  EXPECT_EQ(host.calls, std::vector<fixtures::HostCall>{fixtures::post("222", kEndOfVoteNotice)});
  EXPECT_EQ(dir.read("任务队列.ini").find("[111]"), std::string::npos);
}

TEST_F(HeadlessWindowsTest, NoTicksBeforeStartOrAfterStop) {
  dir.write("任务队列.ini", kExpiredVote);
  env.monotonic += 10000;
  EXPECT_EQ(headless.pump_due_timer_ticks(), 0);
  headless.start();
  headless.stop();
  env.monotonic += 10000;
  EXPECT_EQ(headless.pump_due_timer_ticks(), 0);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(headless.views().registered_hotkey_count(), 0u);
  EXPECT_EQ(headless.views().running_timer_count(), 0);
}

TEST_F(HeadlessWindowsTest, TheTimerRunsWhileTheWindowIsHidden) {
  headless.start();
  main()->events().on_close_requested();
  ASSERT_FALSE(main()->is_shown());
  env.monotonic += 2000;
  EXPECT_EQ(headless.pump_due_timer_ticks(), 1);
}

}  // namespace
}  // namespace testing_ui
}  // namespace tarvolo
