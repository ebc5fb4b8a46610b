#include "moderation/votes.h"

#include <gtest/gtest.h>

#include <vector>

#include "store/profile_access.h"
#include "store/vote_queue_file.h"
#include "support/chat_texts.h"
#include "support/moderation_test.h"

namespace tarvolo {
namespace {

using fixtures::HostCall;
using fixtures::kick;
using fixtures::post;
using fixtures::RecordingHostApi;
using fixtures::TempRunDir;
using fixtures::vote_removal_text;

const char kFor[] = "#赞同";
const char kAgainst[] = "#反对";

GbkText counted(const GbkText& member, const GbkText& tally_and_limit) {
  return "投票成功！\r\n当前QQ：" + member + " 的票数为：" + tally_and_limit;
}

class VotesTest : public fixtures::ModerationTest {
 protected:
  VoteQueueFile queue{context.config};

  void SetUp() override {
    dir.write("Tarvolo.ini", "[100]\r\n得票上限=3\r\n[200]\r\n得票上限=5\r\n[300]\r\n开关=1\r\n");
  }
  GbkText vote(const char* command, const GbkText& member, const GbkText& voter,
               const GbkText& group = "100") {
    return handle_vote_command(context, command, member, voter, group);
  }
  GbkText tally() const { return queue.read_vote_field("111", kVoteTallyKey); }
};

TEST_F(VotesTest, SequencesOfVotes) {
  struct Step {
    const char* command;
    GbkText voter;
    GbkText group;
    GbkText reply;
  };
  struct Case {
    const char* name;
    GbkText task_group;
    std::vector<Step> steps;
    bool still_open;
  };
  const Case cases[] = {
      {"the third vote in favour reaches 3 and removes",
       "100",
       {{kFor, "1", "100", counted("111", "1/3")},
        {kFor, "2", "100", counted("111", "2/3")},
        {kFor, "3", "100", vote_removal_text("111")}},
       false},
      {"for, against, for, for stays below 3",
       "100",
       {{kFor, "1", "100", counted("111", "1/3")},
        {kAgainst, "2", "100", counted("111", "0/3")},
        {kFor, "3", "100", counted("111", "1/3")},
        {kFor, "4", "100", counted("111", "2/3")}},
       true},
      {"a voter counts once, for or against",
       "100",
       {{kFor, "1", "100", counted("111", "1/3")},
        {kFor, "1", "100", "你已经投过票了！"},
        {kAgainst, "1", "100", "你已经投过票了！"},
        {kAgainst, "2", "100", counted("111", "0/3")},
        {kFor, "2", "100", "你已经投过票了！"}},
       true},
      {"a voter whose number begins an earlier voter's is new",
       "100",
       {{kFor, "345", "100", counted("111", "1/3")}, {kFor, "34", "100", counted("111", "2/3")}},
       true},
      {"votes against never remove, the tally goes negative",
       "300",  // no limit set: the first vote in favour would remove
       {{kAgainst, "1", "300", counted("111", "-1/")},
        {kAgainst, "2", "300", counted("111", "-2/")}},
       true},
      {"no limit set: the first vote in favour removes",
       "300",
       {{kFor, "1", "300", vote_removal_text("111")}},
       false},
      {"another group's vote counts; the task group decides, the reply shows the voter's group",
       "100",
       {{kFor, "1", "200", counted("111", "1/5")},
        {kFor, "2", "400", counted("111", "2/")},
        {kFor, "3", "200", vote_removal_text("111")}},
       false},
      {"the member cannot vote on their own task",
       "100",
       {{kFor, "111", "100", "无法给自己投票！"}, {kAgainst, "111", "100", "无法给自己投票！"}},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    queue.delete_vote_task("111");
    queue.create_vote_task("111", c.task_group);
    host.calls.clear();
    for (const Step& step : c.steps) {
      EXPECT_EQ(vote(step.command, "111", step.voter, step.group), step.reply) << step.voter;
    }
    const std::vector<GbkText> open = queue.list_vote_tasks();
    EXPECT_EQ(!open.empty(), c.still_open);
    // Removal acts on the task's group, whichever group voted.
    const std::vector<HostCall> calls =
        c.still_open ? std::vector<HostCall>{} : std::vector<HostCall>{kick(c.task_group, "111")};
    EXPECT_EQ(host.calls, calls);
  }
}

TEST_F(VotesTest, NoOpenVote) {
  queue.create_vote_task("111", "100");
  for (const GbkText& member : {GbkText("222"), GbkText(""), GbkText("11"), GbkText("1111")}) {
    EXPECT_EQ(vote(kFor, member, "5"), "此人并没有在投票阶段！") << member;
    EXPECT_EQ(vote(kAgainst, member, "5"), "此人并没有在投票阶段！") << member;
  }
  EXPECT_EQ(vote(kFor, "5", "5"), "无法给自己投票！");  // tested before the queue is read
  EXPECT_EQ(tally(), "0");
}

TEST_F(VotesTest, AgainstFromTwoShowsOneOverTheLimit) {
  queue.create_vote_task("111", "100");
  write_profile_value(Env::Default(), dir.config_file("任务队列.ini"), "111", kVoteTallyKey, "2");
  EXPECT_EQ(vote(kAgainst, "111", "9"), "投票成功！\r\n当前QQ：111 的票数为：1/3");
}

TEST_F(VotesTest, AVoteThatCannotBeStoredIsNotCounted) {
  queue.create_vote_task("111", "100");
  // 10,235 bytes of voters: one more entry of five digits would pass what a
  // read returns whole.
  GbkText voters;
  while (voters.size() + 11 <= 10230) voters += "1234567890,";
  voters += "1234,";
  ASSERT_EQ(voters.size(), 10235u);
  write_profile_value(Env::Default(), dir.config_file("任务队列.ini"), "111", kVotersKey, voters);

  EXPECT_EQ(vote(kFor, "111", "88888"), "投票人数已满，无法投票！");
  EXPECT_EQ(vote(kAgainst, "111", "88888"), "投票人数已满，无法投票！");
  EXPECT_EQ(tally(), "0");
  EXPECT_EQ(queue.read_vote_field("111", kVotersKey), voters);
  EXPECT_EQ(vote(kFor, "111", "1234"), "你已经投过票了！");
  EXPECT_EQ(vote(kFor, "111", "9"), counted("111", "1/3"));  // a shorter number still fits
}

TEST_F(VotesTest, StartVoteOpensTheTaskAndPostsTheAnnouncement) {
  EXPECT_TRUE(start_vote(context, "111", "100"));
  EXPECT_EQ(queue.list_vote_tasks(), std::vector<GbkText>{"111"});
  EXPECT_EQ(queue.read_vote_field("111", kVoteGroupKey), "100");
  EXPECT_EQ(tally(), "0");
  const GbkText announcement =
      "【Tarvolo】：\r\nQQ：111 因检测到您发送了非法关键词，特此进行投票移除！\r\n"
      "当前票数：0/3\r\n"
      "发送\"#赞同 111\"赞同T出此人\r\n"
      "发送\"#反对 111\"反对T出此人\r\n"
      "PS.身处裁决阶段，再次发送非法关键词将被直接移除！";
  EXPECT_EQ(host.calls, std::vector<HostCall>{post("100", announcement)});

  host.calls.clear();
  EXPECT_TRUE(start_vote(context, "222", "300"));  // no limit: nothing after the slash
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_TRUE(contains_text(host.calls[0].text, "当前票数：0/\r\n发送")) << host.calls[0].text;
}

TEST_F(VotesTest, StartVoteThatCannotStoreTheTaskPostsNothing) {
  EXPECT_FALSE(start_vote(context, "1\r\n11", "100"));
  EXPECT_FALSE(start_vote(context, "111", "1\n00"));
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(queue.list_vote_tasks().empty());
}

}  // namespace
}  // namespace tarvolo
