// Keyword screening's decisions, on a stand-in engine that finds a keyword
// as a plain substring, so that every case shows screening's logic and none
// depends on regular-expression syntax (the real engines have their own
// tests, and the dispatcher cases run through the real one).
#include "moderation/screening.h"

#include <gtest/gtest.h>

#include <cctype>
#include <stdexcept>
#include <vector>

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

// Finds the keyword inside ".*?" + keyword + ".*?" as a substring of the
// subject (ASCII letters without regard to case unless asked). A keyword
// that begins with "(" is rejected like an invalid pattern; the keyword
// "!throw" makes the engine throw.
class SubstringPatternObject : public PatternObject {
 public:
  struct Run {
    GbkText pattern;
    GbkText subject;
    bool case_sensitive, multiline, global, quote_escapes;
  };

  bool execute_pattern(const GbkText& pattern, const GbkText& subject, bool case_sensitive,
                       bool multiline, bool global, bool quote_escapes) override {
    runs.push_back(Run{pattern, subject, case_sensitive, multiline, global, quote_escapes});
    count_ = 0;
    const GbkText wrap = ".*?";
    if (pattern.size() < 2 * wrap.size() || pattern.compare(0, 3, wrap) != 0 ||
        pattern.compare(pattern.size() - 3, 3, wrap) != 0) {
      ADD_FAILURE() << "keyword not wrapped: " << pattern;
      return false;
    }
    const GbkText keyword = pattern.substr(3, pattern.size() - 6);
    if (keyword == "!throw") throw std::runtime_error("engine failure");
    if (!keyword.empty() && keyword[0] == '(') return false;
    const GbkText haystack = case_sensitive ? subject : lower(subject);
    const GbkText needle = case_sensitive ? keyword : lower(keyword);
    if (needle.empty()) {
      count_ = 1;
    } else {
      for (std::size_t pos = haystack.find(needle); pos != GbkText::npos;
           pos = haystack.find(needle, pos + needle.size())) {
        ++count_;
        if (!global) break;
      }
    }
    return true;
  }
  int match_count() const override { return count_; }

  std::vector<GbkText> keywords_run() const {
    std::vector<GbkText> keywords;
    for (const Run& run : runs) keywords.push_back(run.pattern.substr(3, run.pattern.size() - 6));
    return keywords;
  }

  std::vector<Run> runs;

 private:
  static GbkText lower(GbkText text) {
    for (char& c : text) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
  }
  int count_ = 0;
};

const char kGroup[] = "100";
const char kSender[] = "555";

using fixtures::keyword_removal_notice;

class ScreeningTest : public fixtures::ModerationTest {
 protected:
  SubstringPatternObject engine;

  // Settings of group 100; a null value leaves the key out.
  void set_group(const char* trigger_count, const char* action_mode) {
    std::string ini = "[100]\r\n开关=1\r\n";
    if (trigger_count != nullptr) ini += std::string("触发次数=") + trigger_count + "\r\n";
    if (action_mode != nullptr) ini += std::string("操作方式=") + action_mode + "\r\n";
    ini += "得票上限=3\r\n";
    dir.write("Tarvolo.ini", ini);
  }
  GbkText screen(const GbkText& message) {
    return screen_message(context, message, kGroup, kSender, engine);
  }
  std::vector<GbkText> open_votes() { return VoteQueueFile(context.config).list_vote_tasks(); }
};

const std::vector<HostCall> kRemoved = {post(kGroup, keyword_removal_notice(kSender)),
                                        kick(kGroup, kSender)};
const std::vector<HostCall> kNothing = {};

TEST_F(ScreeningTest, SanctionsByThresholdTypeAndActionMode) {
  const std::string two_accumulating = "广告====累积关键词\r\n加群====累积关键词\r\n";
  struct Case {
    const char* name;
    std::string keywords;  // "<missing>": no file
    const char* trigger_count;
    const char* action_mode;
    GbkText message;
    GbkText reply;
    std::vector<HostCall> calls;
  };
  const Case cases[] = {
      {"both accumulating words reach 2", two_accumulating, "2", "0", "广告加群", kNoReply,
       kRemoved},
      {"one word several times counts once", two_accumulating, "2", "0", "广告广告广告", "",
       kNothing},
      {"no word", two_accumulating, "2", "0", "你好", "", kNothing},
      {"direct removal below the threshold and in mode 2",
       "广告====累积关键词\r\n辱骂====直接踢出\r\n", "5", "2", "辱骂", kNoReply, kRemoved},
      {"letter case is ignored", "abc====直接踢出\r\n", "9", "2", "xxABCyy", kNoReply, kRemoved},
      {"empty pattern matches every message", "====累积关键词\r\n", "1", "0", "", kNoReply,
       kRemoved},
      {"type with a trailing blank has no effect", "广告====直接踢出 \r\n", "1", "0", "广告", "",
       kNothing},
      {"unknown type has no effect", "广告====警告\r\n", "1", "0", "广告", "", kNothing},
      {"three pieces act by the second", "广告====直接踢出====累积关键词\r\n", "9", "2", "广告",
       kNoReply, kRemoved},
      {"last line without CR LF", "a====累积关键词\r\n广告====直接踢出", "9", "2", "广告", kNoReply,
       kRemoved},
      {"threshold 0 with an empty list", "", "0", "0", "你好", kNoReply, kRemoved},
      {"threshold 0 with no list file", "<missing>", "0", "0", "你好", kNoReply, kRemoved},
      {"missing threshold counts as 0", two_accumulating, nullptr, "0", "你好", kNoReply, kRemoved},
      {"non-numeric threshold counts as 0", two_accumulating, "abc", "0", "你好", kNoReply,
       kRemoved},
      {"full-width threshold digits", two_accumulating, "２", "0", "广告", "", kNothing},
      {"missing action mode means removal", two_accumulating, "1", nullptr, "广告", kNoReply,
       kRemoved},
      {"non-numeric action mode means removal", two_accumulating, "1", "x", "广告", kNoReply,
       kRemoved},
      {"action mode 2 does nothing", two_accumulating, "1", "2", "广告", "", kNothing},
      {"action mode 7 does nothing", two_accumulating, "1", "7", "广告", "", kNothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    set_group(c.trigger_count, c.action_mode);
    if (c.keywords == "<missing>") {
      Env::Default().delete_file(dir.config_file("关键词.txt"));
    } else {
      dir.write("关键词.txt", c.keywords);
    }
    host.calls.clear();
    EXPECT_EQ(screen(c.message), c.reply);
    EXPECT_EQ(host.calls, c.calls);
  }
}

TEST_F(ScreeningTest, AsksTheEngineForTheFirstMatchOfTheWrappedKeyword) {
  set_group("1", "2");
  dir.write("关键词.txt", "广告====累积关键词\r\n");
  screen("买广告");
  ASSERT_EQ(engine.runs.size(), 1u);
  const SubstringPatternObject::Run& run = engine.runs[0];
  EXPECT_EQ(run.pattern, ".*?广告.*?");
  EXPECT_EQ(run.subject, "买广告");
  EXPECT_FALSE(run.case_sensitive);
  EXPECT_TRUE(run.multiline);
  EXPECT_FALSE(run.global);
  EXPECT_FALSE(run.quote_escapes);
}

TEST_F(ScreeningTest, DirectRemovalEndsTheScreening) {
  set_group("1", "1");
  dir.write("关键词.txt",
            "a====累积关键词\r\nb====直接踢出\r\nc====直接踢出\r\nd====累积关键词\r\n");
  EXPECT_EQ(screen("abcd"), kNoReply);
  EXPECT_EQ(engine.keywords_run(), (std::vector<GbkText>{"a", "b"}));
  EXPECT_EQ(host.calls, kRemoved);  // removed at once, no vote despite mode 1
  EXPECT_TRUE(open_votes().empty());
}

TEST_F(ScreeningTest, LinesThatCannotActAreSkippedAndNeverStopTheRest) {
  set_group("2", "0");
  // An empty line, a line without "====", a pattern the engine rejects, an
  // engine that throws, a line without a type: none stops the two hits.
  dir.write("关键词.txt",
            "\r\n广告\r\n(广告====直接踢出\r\n!throw====直接踢出\r\n广告====\r\n"
            "广告====累积关键词\r\n\r\n\r\n加群====累积关键词\r\n");
  EXPECT_EQ(screen("广告加群"), kNoReply);
  EXPECT_EQ(host.calls, kRemoved);
  EXPECT_EQ(engine.keywords_run(), (std::vector<GbkText>{"(广告", "!throw", "广告", "加群"}));
}

TEST_F(ScreeningTest, ActionModeOneOpensAVote) {
  set_group("1", "1");
  dir.write("关键词.txt", "广告====累积关键词\r\n");
  EXPECT_EQ(screen("广告"), kNoReply);
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].kind, HostCall::kPost);
  EXPECT_EQ(host.calls[0].group, kGroup);
  EXPECT_TRUE(contains_text(host.calls[0].text, "特此进行投票移除")) << host.calls[0].text;
  EXPECT_EQ(open_votes(), std::vector<GbkText>{kSender});
  EXPECT_EQ(VoteQueueFile(context.config).read_vote_field(kSender, kVoteGroupKey), kGroup);
}

TEST_F(ScreeningTest, AnOpenVoteInAnyGroupMeansRemovalInEveryMode) {
  dir.write("关键词.txt", "广告====累积关键词\r\n");
  for (const char* mode : {"0", "1", "2"}) {
    SCOPED_TRACE(mode);
    set_group("1", mode);
    VoteQueueFile queue(context.config);
    queue.create_vote_task("777", "300");
    queue.create_vote_task(kSender, "200");  // opened in another group
    host.calls.clear();
    EXPECT_EQ(screen("广告"), kNoReply);
    EXPECT_EQ(host.calls, kRemoved);
    EXPECT_EQ(open_votes(), std::vector<GbkText>{"777"});  // the sender's vote has ended
  }
}

TEST_F(ScreeningTest, AnOpenVoteCountsOnlyOnceTheThresholdIsReached) {
  set_group("2", "2");
  dir.write("关键词.txt", "广告====累积关键词\r\n");
  VoteQueueFile(context.config).create_vote_task(kSender, kGroup);
  EXPECT_EQ(screen("广告"), "");
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(open_votes(), std::vector<GbkText>{kSender});
}

TEST_F(ScreeningTest, AVoteThatCannotBeStoredIsNotAnnounced) {
  set_group("0", "1");
  dir.write("关键词.txt", "");
  // A sender text with a line break cannot name a stored task.
  EXPECT_EQ(screen_message(context, "x", kGroup, "5\r\n55", engine), "");
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(open_votes().empty());
}

}  // namespace
}  // namespace tarvolo
