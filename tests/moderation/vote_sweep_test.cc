#include "moderation/vote_sweep.h"

#include <gtest/gtest.h>

#include <vector>

#include "moderation/member_removal.h"
#include "store/profile_access.h"
#include "store/vote_queue_file.h"
#include "support/chat_texts.h"
#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

using fixtures::end_of_vote_notice;
using fixtures::FakeClockEnv;
using fixtures::HostCall;
using fixtures::post;
using fixtures::RecordingHostApi;
using fixtures::TempRunDir;

class VoteSweepTest : public ::testing::Test {
 protected:
  TempRunDir dir;
  RecordingHostApi host;
  FakeClockEnv clock;
  ModerationContext context = fixtures::make_context(dir, host, clock);
  VoteQueueFile queue{context.config};

  void set_field(const GbkText& member, const GbkText& key, const GbkText& value) {
    write_profile_value(clock, dir.config_file("任务队列.ini"), member, key, value);
  }
};

TEST_F(VoteSweepTest, AVoteEndsAtTheFirstTickFiveMinutesAfterItsStart) {
  struct Case {
    const char* name;
    GbkText start;  // the stored 时间
    LocalTime now;
    bool ended;
  };
  const Case cases[] = {
      {"4:59 after", "2013年11月3日12时", {2013, 11, 3, 12, 4, 59}, false},
      {"5:00 after", "2013年11月3日12时", {2013, 11, 3, 12, 5, 0}, true},
      {"5:01 after", "2013年11月3日12时", {2013, 11, 3, 12, 5, 1}, true},
      {"seconds in the start", "2013年11月3日12时5分6秒", {2013, 11, 3, 12, 10, 5}, false},
      {"seconds in the start, 300 s", "2013年11月3日12时5分6秒", {2013, 11, 3, 12, 10, 6}, true},
      {"over midnight and a new year, 4:59",
       "2013年12月31日23时58分",
       {2014, 1, 1, 0, 2, 59},
       false},
      {"over midnight and a new year, 5:00", "2013年12月31日23时58分", {2014, 1, 1, 0, 3, 0}, true},
      {"over 29 February", "2012年2月29日23时59分", {2012, 3, 1, 0, 4, 0}, true},
      {"days later", "2013年11月1日", {2013, 11, 3, 12, 0, 0}, true},
      {"start in the future", "2013年11月3日12时10分", {2013, 11, 3, 12, 0, 0}, false},
      {"start in the future, 4:59 past it",
       "2013年11月3日12时10分",
       {2013, 11, 3, 12, 14, 59},
       false},
      {"start in the future, 5:00 past it",
       "2013年11月3日12时10分",
       {2013, 11, 3, 12, 15, 0},
       true},
      {"empty time", "", {2013, 11, 3, 12, 0, 0}, true},
      {"unreadable time", "昨天", {2013, 11, 3, 12, 0, 0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    queue.create_vote_task("111", "100");
    set_field("111", kVoteTimeKey, c.start);
    clock.now = c.now;
    host.calls.clear();
    sweep_expired_votes(context);
    EXPECT_EQ(queue.list_vote_tasks().empty(), c.ended);
    EXPECT_EQ(host.calls, c.ended ? std::vector<HostCall>{post("100", end_of_vote_notice("111"))}
                                  : std::vector<HostCall>{});
    queue.delete_vote_task("111");
  }
}

TEST_F(VoteSweepTest, EveryOldTaskEndsInOneSweepInFileOrder) {
  clock.now = {2013, 11, 3, 12, 0, 0};
  queue.create_vote_task("111", "100");
  queue.create_vote_task("222", "200");
  clock.now = {2013, 11, 3, 12, 3, 0};
  queue.create_vote_task("333", "300");  // younger
  queue.create_vote_task("444", "400");
  set_field("444", kVoteTypeKey, "投票");  // another type never expires
  queue.record_vote("111", "9", +1);
  queue.record_vote("111", "8", +1);  // a tally of 2 ends like any other

  clock.now = {2013, 11, 3, 12, 5, 0};
  sweep_expired_votes(context);
  EXPECT_EQ(host.calls, (std::vector<HostCall>{post("100", end_of_vote_notice("111")),
                                               post("200", end_of_vote_notice("222"))}));
  EXPECT_EQ(queue.list_vote_tasks(), (std::vector<GbkText>{"333", "444"}));

  host.calls.clear();
  clock.now = {2014, 1, 1, 0, 0, 0};
  sweep_expired_votes(context);
  EXPECT_EQ(host.calls, std::vector<HostCall>{post("300", end_of_vote_notice("333"))});
  EXPECT_EQ(queue.list_vote_tasks(), std::vector<GbkText>{"444"});
}

TEST_F(VoteSweepTest, TheNoticeGoesToTheTasksGroupEvenWhenItIsMissing) {
  clock.now = {2013, 11, 3, 12, 0, 0};
  queue.create_vote_task("111", "100");
  queue.create_vote_task("222", "200");
  write_profile_value(clock, dir.config_file("任务队列.ini"), "222", kVoteGroupKey, "");
  clock.now = {2013, 11, 3, 13, 0, 0};
  sweep_expired_votes(context);
  EXPECT_EQ(host.calls, (std::vector<HostCall>{post("100", end_of_vote_notice("111")),
                                               post("", end_of_vote_notice("222"))}));
  EXPECT_TRUE(queue.list_vote_tasks().empty());
}

TEST_F(VoteSweepTest, ARemovedMemberGetsNoNotice) {
  clock.now = {2013, 11, 3, 12, 0, 0};
  queue.create_vote_task("111", "100");
  remove_member(context, "100", "111");
  host.calls.clear();
  clock.now = {2013, 11, 3, 13, 0, 0};
  sweep_expired_votes(context);
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(VoteSweepTest, NoTasksNoCalls) {
  sweep_expired_votes(context);
  dir.write("任务队列.ini", "");
  sweep_expired_votes(context);
  EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace tarvolo
