// Screening and votes as the dispatcher reaches them, on the platform's real
// pattern engine.
#include <gtest/gtest.h>

#include <vector>

#include "moderation/dispatcher.h"
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

using fixtures::keyword_removal_notice;

class ScreeningDispatchTest : public fixtures::ModerationTest {
 protected:
  VoteQueueFile queue{context.config};

  void SetUp() override {
    dir.write("关键词.txt",
              "广告====直接踢出\r\nabc====直接踢出\r\n傻.子====直接踢出\r\nx y====直接踢出\r\n");
  }
};

TEST_F(ScreeningDispatchTest, TheSwitchGuardsScreening) {
  struct Case {
    const char* switch_line;  // the group section's 开关 line, or nothing
    bool screened;
  };
  const Case cases[] = {
      {"开关=1\r\n", true},  {"开关=yes\r\n", true}, {"开关=00\r\n", true},
      {"开关=0\r\n", false}, {"开关=\r\n", false},   {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.switch_line);
    dir.write("Tarvolo.ini", std::string("[100]\r\n") + c.switch_line + "触发次数=5\r\n");
    host.calls.clear();
    EXPECT_EQ(dispatch("买广告", "100", "555"), c.screened ? kNoReply : "");
    const std::vector<HostCall> removed = {post("100", keyword_removal_notice("555")),
                                           kick("100", "555")};
    EXPECT_EQ(host.calls, c.screened ? removed : std::vector<HostCall>{});
  }
}

TEST_F(ScreeningDispatchTest, AdministratorsAreNeverScreened) {
  dir.write("Tarvolo.ini", "[超级管理员]\r\nQQ=1\r\n[100]\r\n开关=1\r\n管理员=2,\r\n");
  for (const char* sender : {"1", "2"}) {
    EXPECT_EQ(dispatch("广告", "100", sender), "") << sender;
  }
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(dispatch("广告", "100", "3"), kNoReply);
}

TEST_F(ScreeningDispatchTest, MatchesOnTheNormalisedMessageWithoutRegardToCase) {
  dir.write("Tarvolo.ini", "[100]\r\n开关=1\r\n触发次数=5\r\n");
  struct Case {
    GbkText message;
    bool removed;
  };
  const Case cases[] = {
      {"xxABCyy", true}, {"广 告", true},  // normalisation removes the blank
      {"傻大子", true},                    // the dot stands for one Chinese character
      {"傻\n子", false},                   // not for a line feed
      {"ab c", true},                      // blanks go before screening
      {"a\nbc", false},  {"你好", false},
      {"x y", false},  // a keyword that needs a blank never matches
      {"xy", false},
  };
  for (const Case& c : cases) {
    host.calls.clear();
    EXPECT_EQ(dispatch(c.message, "100", "555"), c.removed ? kNoReply : "")
        << ::testing::PrintToString(c.message);
  }
}

TEST_F(ScreeningDispatchTest, ScreeningOpensAVoteThatMembersDecide) {
  dir.write("Tarvolo.ini", "[100]\r\n开关=1\r\n触发次数=1\r\n操作方式=1\r\n得票上限=2\r\n");
  dir.write("关键词.txt", "广告====累积关键词\r\n");
  EXPECT_EQ(dispatch("广告", "100", "111"), kNoReply);
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_TRUE(contains_text(host.calls[0].text, "当前票数：0/2")) << host.calls[0].text;
  EXPECT_EQ(queue.list_vote_tasks(), std::vector<GbkText>{"111"});

  // Vote commands from any group, switched on or not, with blanks and CR LF
  // around the number.
  EXPECT_EQ(dispatch("#赞同 111", "900", "7"), "投票成功！\r\n当前QQ：111 的票数为：1/");
  EXPECT_EQ(dispatch("#赞同\n111", "100", "8"), "此人并没有在投票阶段！");
  host.calls.clear();
  EXPECT_EQ(dispatch("#赞同\r\n111", "100", "8"), fixtures::vote_removal_text("111"));
  EXPECT_EQ(host.calls, std::vector<HostCall>{kick("100", "111")});
  EXPECT_TRUE(queue.list_vote_tasks().empty());
}

TEST_F(ScreeningDispatchTest, AVoteOffenderWhoOffendsAgainIsRemoved) {
  dir.write("Tarvolo.ini",
            "[100]\r\n开关=1\r\n触发次数=1\r\n操作方式=1\r\n[200]\r\n开关=1\r\n触发次数="
            "1\r\n操作方式=1\r\n");
  dir.write("关键词.txt", "广告====累积关键词\r\n");
  EXPECT_EQ(dispatch("广告", "100", "111"), kNoReply);
  host.calls.clear();
  EXPECT_EQ(dispatch("广告", "200", "111"), kNoReply);
  EXPECT_EQ(host.calls, (std::vector<HostCall>{post("200", keyword_removal_notice("111")),
                                               kick("200", "111")}));
  EXPECT_TRUE(queue.list_vote_tasks().empty());
}

TEST_F(ScreeningDispatchTest, VoteForIsTestedBeforeVoteAgainst) {
  dir.write("Tarvolo.ini", "[100]\r\n得票上限=3\r\n");
  queue.create_vote_task("111", "100");
  // The argument of "#赞同" is everything else: "111#反对222".
  EXPECT_EQ(dispatch("#赞同 111 #反对 222", "100", "5"), "此人并没有在投票阶段！");
  queue.create_vote_task("111#反对222", "100");
  EXPECT_EQ(dispatch("#反对 222 #赞同 111", "100", "5"), "此人并没有在投票阶段！");
  EXPECT_EQ(dispatch("#赞同 111 #反对 222", "100", "5"),
            "投票成功！\r\n当前QQ：111#反对222 的票数为：1/3");
  EXPECT_EQ(queue.read_vote_field("111", kVoteTallyKey), "0");
}

}  // namespace
}  // namespace tarvolo
