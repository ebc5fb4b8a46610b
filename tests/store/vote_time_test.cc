#include "store/vote_time.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tarvolo {

std::ostream& operator<<(std::ostream& out, const LocalTime& t) {
  return out << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute
             << ':' << t.second;
}

namespace {

const LocalTime kFarPast{100, 1, 1, 0, 0, 0};

TEST(VoteTimeTest, FormatLeavesOutTrailingZeroPartsAndReadsBack) {
  const struct {
    LocalTime time;
    const char* text;
  } cases[] = {
      {{2013, 11, 3, 12, 5, 6}, "2013年11月3日12时5分6秒"},
      {{2013, 11, 3, 12, 5, 0}, "2013年11月3日12时5分"},
      {{2013, 11, 3, 12, 0, 0}, "2013年11月3日12时"},
      {{2013, 11, 3, 0, 5, 0}, "2013年11月3日0时5分"},
      {{2013, 11, 3, 0, 0, 0}, "2013年11月3日"},
      {{2013, 11, 3, 0, 0, 6}, "2013年11月3日0时0分6秒"},
      {{2024, 2, 29, 23, 59, 59}, "2024年2月29日23时59分59秒"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format_vote_time(c.time), c.text);
    EXPECT_EQ(parse_vote_time(c.text), c.time) << c.text;
  }
}

TEST(VoteTimeTest, ParseAcceptsFullWidthDigitsAndAMissingSecondMark) {
  const struct {
    const char* text;
    LocalTime time;
  } cases[] = {
      {"２０１３年１１月３日１２时５分６秒", {2013, 11, 3, 12, 5, 6}},
      {"2013年11月3日12时5分6", {2013, 11, 3, 12, 5, 6}},
      {"2013年01月03日", {2013, 1, 3, 0, 0, 0}},
      {"100年1月1日", {100, 1, 1, 0, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(parse_vote_time(c.text), c.time) << c.text;
}

TEST(VoteTimeTest, UnreadableTextsAreTheFarPast) {
  for (const char* text : {
           "",                          // a missing key
           "2013年2月30日",             // no such day
           "2013年2月29日",             // not a leap year
           "2100年2月29日",             // nor is 2100
           "2013年13月1日",             // no such month
           "2013年11月0日",             // days count from 1
           "2013年11月3日24时",         // hours run to 23
           "2013年11月3日12时60分",     // minutes run to 59
           "2013年11月3日12时5分60秒",  // seconds run to 59
           "99年11月3日",               // before the earliest year
           "2013年11月",                // no day
           "2013年11月3日12",           // an hour without its mark
           "2013年11月3日5分",          // a minute without an hour
           "2013年11月3日12时5分6秒x",  // something after the time
           "2013-11-03 12:05:06",       // another form
           "12013年11月3日",            // too many digits
           "－2013年11月3日",           // a sign is no digit
       }) {
    EXPECT_EQ(parse_vote_time(text), kFarPast) << text;
  }
  EXPECT_EQ(far_past_vote_time(), kFarPast);
}

}  // namespace
}  // namespace tarvolo
