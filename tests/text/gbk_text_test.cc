#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace tarvolo {
namespace {

// "陈" is 0xB3 0xC2; "\x95\x5C" is a two-byte character whose second byte is
// a backslash; "\xB0\x61" one whose second byte is the letter a.
struct FindCase {
  const char* text;
  const char* needle;
  std::size_t expected;
};

TEST(FindText, MatchesOnlyAtCharacterBoundaries) {
  const FindCase cases[] = {
      {"abc", "b", 1},
      {"abc", "", GbkText::npos},
      {"", "a", GbkText::npos},
      {"\x95\x5Cn", "\\n", GbkText::npos},   // the backslash is a second byte
      {"\x95\x5C\\n", "\\n", 2},
      {"\xB0\x61" "a", "a", 2},              // the first "a" is inside a character
      {"#查询管理员", "管理", 5},
      {"x#添加管理员", "#添加管理员", 1},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(find_text(c.text, c.needle), c.expected) << c.text << " / " << c.needle;
  }
}

struct RemoveCase {
  const char* text;
  const char* needle;
  const char* expected;
};

TEST(RemoveAll, OnePassFromTheLeftWithoutOverlap) {
  const RemoveCase cases[] = {
      {"a+b+c", "+", "abc"},
      {"aaa", "aa", "a"},
      {"\r\r\n\n", "\r\n", "\r\n"},  // a removal that joins a new occurrence keeps it
      {"#添加管理员#添加管理员", "#添加管理员", ""},
      {"\x95\x5Cn", "\\n", "\x95\x5Cn"},
      {"abc", "", "abc"},
      {"", "x", ""},
  };
  for (const RemoveCase& c : cases) {
    EXPECT_EQ(remove_all(c.text, c.needle), c.expected) << c.text << " / " << c.needle;
  }
}

TEST(ReplaceAll, ReplacesEveryOccurrence) {
  EXPECT_EQ(replace_all("#引号abc#引号", "#引号", "\""), "\"abc\"");
}

struct SplitCase {
  const char* text;
  const char* separator;
  std::vector<GbkText> expected;
};

TEST(SplitText, KeepsEmptyPiecesButNotAnEmptyTail) {
  const SplitCase cases[] = {
      {"", ",", {}},
      {",", ",", {""}},
      {"a,b,", ",", {"a", "b"}},
      {"a,b", ",", {"a", "b"}},
      {"a,,b,", ",", {"a", "", "b"}},
      {"a====b====c\r\n", "====", {"a", "b", "c\r\n"}},
      {"l1\r\nl2\r\n", "\r\n", {"l1", "l2"}},
      {"\r\n\r\n", "\r\n", {"", ""}},
      {"abc", "====", {"abc"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(split_text(c.text, c.separator), c.expected) << c.text;
  }
}

struct IntCase {
  const char* text;
  int expected;
};

TEST(TextToInt, ReadsLikeTheStoredNumbersAreMeant) {
  const IntCase cases[] = {
      {"12", 12},
      {"１２", 12},           // full-width digits
      {"12abc", 12},
      {"", 0},
      {"abc", 0},
      {"-3", -3},
      {"－３", -3},           // full-width minus sign
      {"+7", 7},
      {" \t\r\n42", 42},
      {"　5", 5},             // full-width blank
      {"--1", 0},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
  };
  for (const IntCase& c : cases) {
    EXPECT_EQ(text_to_int(c.text), c.expected) << c.text;
  }
}

TEST(QqList, EntriesAreWholePiecesBetweenCommas) {
  EXPECT_TRUE(qq_list_contains("345,", "345"));
  EXPECT_FALSE(qq_list_contains("345,", "34"));
  EXPECT_FALSE(qq_list_contains("10001,10002,", "1000"));
  EXPECT_FALSE(qq_list_contains("a,,b,", ""));
  EXPECT_TRUE(qq_list_contains("34,345,", "34"));
}

TEST(QqList, AppendAddsEntryWithComma) {
  EXPECT_EQ(qq_list_append("", "10001"), "10001,");
  EXPECT_EQ(qq_list_append("10001,", "10002"), "10001,10002,");
  EXPECT_EQ(qq_list_append("10001,", "10001"), "10001,10001,");
  // A hand-edited list without its final comma does not swallow the entry.
  EXPECT_EQ(qq_list_append("10001", "10002"), "10001,10002,");
}

TEST(QqList, RemoveDropsEveryEqualEntry) {
  EXPECT_EQ(qq_list_remove("10001,10002,10001,", "10001"), "10002,");
  EXPECT_EQ(qq_list_remove("10001,10002,", "1"), "10001,10002,");
  EXPECT_EQ(qq_list_remove("10001,", "10001"), "");
  EXPECT_EQ(qq_list_remove("", "10001"), "");
}

TEST(QqList, RoomEndsAtTheReadLimit) {
  const GbkText almost_full(kMaxStoredListBytes - 6, '1');
  EXPECT_TRUE(qq_list_has_room(almost_full + ",", "2345"));    // exactly at the limit
  EXPECT_FALSE(qq_list_has_room(almost_full + ",", "23456"));  // one byte over
}

TEST(HasLineBreak, FindsCrAndLf) {
  EXPECT_TRUE(has_line_break("a\rb"));
  EXPECT_TRUE(has_line_break("a\n"));
  EXPECT_FALSE(has_line_break("a\tb"));
}

}  // namespace
}  // namespace tarvolo
