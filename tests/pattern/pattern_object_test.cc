// The pattern object against the table of Windows results (pattern_cases.h),
// with the cache on and off, plus the object's own contract: defaults,
// independent runs, bounded matching and a cache that keeps options apart.
#include "pattern/pattern_object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "pattern_cases.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tarvolo {
namespace pattern_cases {

// Failure messages show the row instead of its bytes.
void PrintTo(const PatternCase& row, std::ostream* os) {
  *os << "pattern \"" << row.pattern << "\", options \"" << row.options << "\" (" << row.note
      << ")";
}

}  // namespace pattern_cases

namespace {

using pattern_cases::kAsWindows;
using pattern_cases::kPatternCases;
using pattern_cases::kRejected;
using pattern_cases::PatternCase;

bool running_under_wine() {
#ifdef _WIN32
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

// The count this build's engine should give for a row.
int expected_count(const PatternCase& row) {
#ifdef _WIN32
  if (running_under_wine() && row.wine != kAsWindows) return row.wine;
#else
  if (row.pcre2 != kAsWindows) return row.pcre2;
#endif
  return row.count;
}

bool has_option(const PatternCase& row, char letter) {
  return std::strchr(row.options, letter) != nullptr;
}

// Runs one row with global as given and checks the result and the count.
void check_row(const PatternCase& row, bool global, int expected) {
  SCOPED_TRACE(testing::Message() << "note: " << row.note << "; global " << global);
  PatternObjectPtr object = create_pattern_object();
  const bool ran = object->execute_pattern(row.pattern, row.subject, !has_option(row, 'i'),
                                           has_option(row, 'm'), global, has_option(row, 'q'));
  if (expected == kRejected) {
    EXPECT_FALSE(ran);
    EXPECT_EQ(object->match_count(), 0);
  } else {
    EXPECT_TRUE(ran);
    EXPECT_EQ(object->match_count(), expected);
  }
}

// Every row as listed; a global row also with global off, where the count is
// at most one (and which Wine can run even when its global search hangs).
void check_table_row(const PatternCase& row) {
  const int expected = expected_count(row);
  const bool global = has_option(row, 'g');
  if (!(global && row.hangs_wine_global && running_under_wine())) {
    check_row(row, global, expected);
  }
  if (global) check_row(row, false, expected == kRejected ? kRejected : std::min(expected, 1));
}

std::string row_name(const testing::TestParamInfo<PatternCase>& info) {
  return "Row" + std::to_string(info.index);
}

class PatternTableCached : public testing::TestWithParam<PatternCase> {};

TEST_P(PatternTableCached, MatchesWindowsCount) {
  ASSERT_TRUE(pattern_cache_enabled());
  check_table_row(GetParam());
  check_table_row(GetParam());  // the second run compiles nothing
}

INSTANTIATE_TEST_SUITE_P(Table, PatternTableCached, testing::ValuesIn(kPatternCases), row_name);

class PatternTableUncached : public testing::TestWithParam<PatternCase> {
 protected:
  void SetUp() override { set_pattern_cache_enabled(false); }
  void TearDown() override { set_pattern_cache_enabled(true); }
};

TEST_P(PatternTableUncached, MatchesWindowsCount) {
  ASSERT_FALSE(pattern_cache_enabled());
  check_table_row(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Table, PatternTableUncached, testing::ValuesIn(kPatternCases), row_name);

// --- The object's contract ---------------------------------------------------

TEST(PatternObject, DefaultsIgnoreCaseAndCollectEveryMatch) {
  PatternObjectPtr object = create_pattern_object();
  EXPECT_EQ(object->match_count(), 0) << "a new object holds no matches";
  EXPECT_TRUE(object->execute_pattern(".*?abc.*?", "xxABCyy"));
  EXPECT_EQ(object->match_count(), 1);
  EXPECT_TRUE(object->execute_pattern("^b", "a\nb\nb"));
  EXPECT_EQ(object->match_count(), 2) << "multiline and global by default";
  EXPECT_TRUE(object->execute_pattern("#引号", "\""));
  EXPECT_EQ(object->match_count(), 0) << "no quote escapes by default";
}

TEST(PatternObject, EachRunReplacesTheLastOne) {
  PatternObjectPtr object = create_pattern_object();
  EXPECT_TRUE(object->execute_pattern("a", "aaa"));
  EXPECT_EQ(object->match_count(), 3);
  EXPECT_TRUE(object->execute_pattern("b", "aaa"));
  EXPECT_EQ(object->match_count(), 0);
  EXPECT_TRUE(object->execute_pattern("a", "aaa"));
  EXPECT_FALSE(object->execute_pattern("(", "aaa"));
  EXPECT_EQ(object->match_count(), 0) << "a rejected pattern leaves no matches";
  EXPECT_TRUE(object->execute_pattern("a", "ba"));
  EXPECT_EQ(object->match_count(), 1) << "same pattern, new subject";
}

// --- Bounded matching ---------------------------------------------------------
// The PCRE2 binding's own limits: catastrophic patterns end at the match
// limit and count as no match (the Windows engine has no such limit). The
// ctest TIMEOUT of this program catches a search that does not end.
#ifndef _WIN32

TEST(PatternLimits, CatastrophicBacktrackingEndsWithoutAMatch) {
  const std::string run_of_a(5000, 'a');
  const char* const patterns[] = {"(a+)+[^a]", "(a|aa)+b", "(a*)*b", ".*?(a+)+b.*?"};
  for (const char* pattern : patterns) {
    for (const bool global : {false, true}) {
      PatternObjectPtr object = create_pattern_object();
      EXPECT_TRUE(object->execute_pattern(pattern, run_of_a, false, true, global)) << pattern;
      EXPECT_EQ(object->match_count(), 0) << pattern << " global " << global;
    }
  }
}

TEST(PatternLimits, MatchesFoundBeforeALimitAreKept) {
  // Ten quick matches, then a run of a that exhausts the limit.
  const std::string subject = std::string(10, 'b') + std::string(5000, 'a');
  PatternObjectPtr object = create_pattern_object();
  EXPECT_TRUE(object->execute_pattern("b|(a+)+[^a]", subject, false, true, true));
  EXPECT_EQ(object->match_count(), 10);
}

TEST(PatternLimits, DeepNestingIsRejectedNotACrash) {
  const std::string deep = std::string(100000, '(') + "a" + std::string(100000, ')');
  PatternObjectPtr object = create_pattern_object();
  EXPECT_FALSE(object->execute_pattern(deep, "a"));
  EXPECT_EQ(object->match_count(), 0);
  const std::string nested = std::string(50, '(') + "a" + std::string(50, ')');
  EXPECT_TRUE(object->execute_pattern(nested, "a"));
  EXPECT_EQ(object->match_count(), 1);
}

TEST(PatternLimits, LongMessageWithoutTheKeyword) {
  std::string message;
  for (int i = 0; i < 2000; ++i) message += "中文";
  PatternObjectPtr object = create_pattern_object();
  EXPECT_TRUE(object->execute_pattern(".*?[0-9]{3}.*?", message, false, true, false));
  EXPECT_EQ(object->match_count(), 0);
  message += "123";
  EXPECT_TRUE(object->execute_pattern(".*?[0-9]{3}.*?", message, false, true, false));
  EXPECT_EQ(object->match_count(), 1);
}
#endif  // _WIN32

// --- The cache of compiled patterns -------------------------------------------

TEST(PatternCache, OptionsAreNotSharedBetweenEntries) {
  ASSERT_TRUE(pattern_cache_enabled());
  PatternObjectPtr object = create_pattern_object();
  // The same text compiled under each option first, then read back in turn.
  for (int round = 0; round < 2; ++round) {
    EXPECT_TRUE(object->execute_pattern("ABC", "abc", false, true, true));
    EXPECT_EQ(object->match_count(), 1) << "ignore case";
    EXPECT_TRUE(object->execute_pattern("ABC", "abc", true, true, true));
    EXPECT_EQ(object->match_count(), 0) << "case-sensitive";
    EXPECT_TRUE(object->execute_pattern("^b$", "a\nb", false, true, true));
    EXPECT_EQ(object->match_count(), 1) << "multiline";
    EXPECT_TRUE(object->execute_pattern("^b$", "a\nb", false, false, true));
    EXPECT_EQ(object->match_count(), 0) << "not multiline";
    EXPECT_TRUE(object->execute_pattern("#引号", "\"", false, true, true, true));
    EXPECT_EQ(object->match_count(), 1) << "quote escapes";
    EXPECT_TRUE(object->execute_pattern("#引号", "\"", false, true, true, false));
    EXPECT_EQ(object->match_count(), 0) << "no quote escapes";
  }
}

TEST(PatternCache, StaysCorrectPastItsCapacity) {
  PatternObjectPtr object = create_pattern_object();
  for (int i = 0; i < 3000; ++i) {
    const std::string number = std::to_string(i);
    ASSERT_TRUE(object->execute_pattern("^" + number + "$", number, true, false, false));
    ASSERT_EQ(object->match_count(), 1) << number;
  }
  EXPECT_TRUE(object->execute_pattern("^0$", "0", true, false, false));
  EXPECT_EQ(object->match_count(), 1);
  EXPECT_TRUE(object->execute_pattern("^0$", "1", true, false, false));
  EXPECT_EQ(object->match_count(), 0);
}

TEST(PatternCache, SwitchingOffAndOnKeepsResults) {
  PatternObjectPtr object = create_pattern_object();
  EXPECT_TRUE(object->execute_pattern("a.c", "abc"));
  set_pattern_cache_enabled(false);
  EXPECT_FALSE(pattern_cache_enabled());
  EXPECT_TRUE(object->execute_pattern("a.c", "abc"));
  EXPECT_EQ(object->match_count(), 1);
  set_pattern_cache_enabled(true);
  EXPECT_TRUE(pattern_cache_enabled());
  EXPECT_TRUE(object->execute_pattern("a.c", "a\nc"));
  EXPECT_EQ(object->match_count(), 0);
}

// Threads share the cache; each uses its own object, as the host's calls
// would.
TEST(PatternCache, ThreadsShareTheCacheSafely) {
  std::vector<int> failures(4, 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([t, &failures] {
      for (int round = 0; round < 20; ++round) {
        for (const PatternCase& row : kPatternCases) {
          if (expected_count(row) == kRejected) continue;
          PatternObjectPtr object = create_pattern_object();
          object->execute_pattern(row.pattern, row.subject, !std::strchr(row.options, 'i'),
                                  std::strchr(row.options, 'm') != nullptr, false,
                                  std::strchr(row.options, 'q') != nullptr);
          if (object->match_count() != std::min(expected_count(row), 1)) ++failures[t];
        }
        if (t == 0 && round % 5 == 4) {  // one thread also switches the cache
          set_pattern_cache_enabled(false);
          set_pattern_cache_enabled(true);
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < failures.size(); ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
}  // namespace tarvolo
