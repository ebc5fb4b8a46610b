#include "store/vote_queue_file.h"

#include <gtest/gtest.h>

#include "support/full_qq_list.h"
#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

using fixtures::FakeClockEnv;
using fixtures::TempRunDir;

const char kQueue[] = "任务队列.ini";

class VoteQueueFileTest : public ::testing::Test {
 protected:
  TempRunDir dir;
  FakeClockEnv clock;
  VoteQueueFile queue{dir.config(clock)};

  void store(const std::string& contents) { dir.write(kQueue, contents); }
  std::string stored() const { return dir.read(kQueue); }
};

TEST_F(VoteQueueFileTest, ANewTaskHoldsItsFourKeysInOrder) {
  clock.now = {2013, 11, 3, 12, 5, 6};
  queue.create_vote_task("111", "222");
  EXPECT_EQ(stored(),
            "[111]\r\n群号=222\r\n类型=投票移除\r\n时间=2013年11月3日12时5分6秒\r\n"
            "获得票数=0\r\n");
  EXPECT_EQ(queue.list_vote_tasks(), (std::vector<GbkText>{"111"}));
  EXPECT_EQ(queue.read_vote_field("111", kVoteGroupKey), "222");
  EXPECT_EQ(queue.read_vote_field("111", kVotersKey), "");
}

TEST_F(VoteQueueFileTest, VotesChangeTheTallyAndListTheVoters) {
  const struct {
    const char* tally_before;  // nullptr: no tally key
    int delta;
    const char* tally_after;
  } cases[] = {
      {"0", +1, "1"},  {"0", -1, "-1"},       {nullptr, +1, "1"},
      {"abc", +1, "1"}, {"-1", +1, "0"},       {"２", -1, "1"},
      {"2147483647", +1, "2147483648"},
  };
  for (const auto& c : cases) {
    store(c.tally_before == nullptr ? "[111]\r\n群号=222\r\n"
                                    : "[111]\r\n获得票数=" + std::string(c.tally_before) + "\r\n");
    EXPECT_TRUE(queue.record_vote("111", "333", c.delta));
    EXPECT_EQ(queue.read_vote_field("111", kVoteTallyKey), c.tally_after)
        << (c.tally_before ? c.tally_before : "<none>") << " " << c.delta;
    EXPECT_EQ(queue.read_vote_field("111", kVotersKey), "333,");
  }
}

TEST_F(VoteQueueFileTest, VotersAreWholeEntriesInVotingOrder) {
  queue.create_vote_task("111", "222");
  EXPECT_TRUE(queue.record_vote("111", "333", +1));
  EXPECT_TRUE(queue.record_vote("111", "444", -1));
  EXPECT_EQ(queue.read_vote_field("111", kVotersKey), "333,444,");
  EXPECT_EQ(queue.read_vote_field("111", kVoteTallyKey), "0");

  store("[1]\r\n投票人=345,\r\n[2]\r\n投票人=34,345,\r\n");
  EXPECT_TRUE(queue.has_voted("1", "345"));
  EXPECT_FALSE(queue.has_voted("1", "34"));
  EXPECT_TRUE(queue.has_voted("2", "34"));
  EXPECT_TRUE(queue.has_voted("2", "345"));
  EXPECT_FALSE(queue.has_voted("3", "345"));
}

TEST_F(VoteQueueFileTest, AVoteThatCannotBeStoredChangesNothing) {
  const std::string queue_text = "[111]\r\n获得票数=3\r\n投票人=" + fixtures::full_qq_list() +
                                 "\r\n[555]\r\n获得票数=0\r\n";
  store(queue_text);
  EXPECT_FALSE(queue.record_vote("111", "1", +1));
  EXPECT_FALSE(queue.record_vote("555", "1\r\n[999]", +1));
  EXPECT_FALSE(queue.record_vote("555", "1\n", -1));
  EXPECT_FALSE(queue.record_vote("555\r\n[x]", "1", +1));
  EXPECT_EQ(stored(), queue_text);
  EXPECT_TRUE(queue.has_voted("111", "1234567890"));
}

TEST_F(VoteQueueFileTest, ATaskWithALineBreakIsNotCreated) {
  queue.create_vote_task("111\r\n[x]", "222");
  queue.create_vote_task("111", "222\n获得票数=9");
  EXPECT_EQ(stored(), "<missing>");
}

TEST_F(VoteQueueFileTest, DeletingOneTaskLeavesTheOthers) {
  EXPECT_TRUE(queue.list_vote_tasks().empty());
  const std::string two = "[111]\r\n群号=1\r\n[222]\r\n群号=2\r\n";
  store(two);
  queue.delete_vote_task("333");
  EXPECT_EQ(stored(), two);
  queue.delete_vote_task("111");
  EXPECT_EQ(stored(), "[222]\r\n群号=2\r\n");
  EXPECT_EQ(queue.list_vote_tasks(), (std::vector<GbkText>{"222"}));
}

}  // namespace
}  // namespace tarvolo
