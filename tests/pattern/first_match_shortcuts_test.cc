// The PCRE2 binding answers "is there a match?" (global off) by shortcuts:
// runs of dots taken off the ends of the top-level alternatives, plain text
// searched in an index of the subject, anchored searches at the positions of
// a pattern's possible first characters. Every shortcut must give exactly
// what the whole translated pattern gives; these tests run the same pattern,
// subject and options both ways and compare, on a table of the cases that
// stress the shortcuts and on many generated patterns.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "pattern/pattern_object.h"
#include "pattern/pcre2_program.h"
#include "pattern/subject_index.h"
#include "platform/env.h"
#include "support/fixed_sequence.h"

namespace tarvolo {
namespace {

std::string printable(const std::u16string& text) {
  std::string out;
  for (const char16_t c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out;
}

// Compares every way of asking one program with the whole pattern's answer,
// with and without the JIT.
void expect_shortcuts_agree(const std::u16string& pattern, const std::u16string& subject,
                            bool ignore_case, bool multiline) {
  SCOPED_TRACE(testing::Message() << "pattern \"" << printable(pattern) << "\", subject \""
                                  << printable(subject) << "\", ignore case " << ignore_case
                                  << ", multiline " << multiline);
  SubjectIndex index;
  index.assign(subject);
  for (const bool jit : {true, false}) {
    const Pcre2Program program(pattern, ignore_case, multiline, jit);
    const int whole_first = program.count_matches_of_whole_pattern(subject, false);
    const int whole_all = program.count_matches_of_whole_pattern(subject, true);
    ASSERT_EQ(program.count_matches(subject, false), whole_first) << "jit " << jit;
    ASSERT_EQ(program.count_matches(index, false), whole_first) << "jit " << jit << ", indexed";
    ASSERT_EQ(program.count_matches(subject, true), whole_all) << "jit " << jit;
    ASSERT_EQ(program.count_matches(index, true), whole_all) << "jit " << jit << ", indexed";
    ASSERT_EQ(whole_first, whole_all > 0 ? 1 : 0) << "jit " << jit;
  }
}

const char16_t* const kTablePatterns[] = {
    // Plain words in the screening form, and what looks like one but is not.
    u".*?abc.*?", u".*?ABC.*?", u".*?\u5E7F\u544A.*?", u".*?a\u4E2Db.*?", u".*?.*?", u".*?",
    u"", u"abc", u".*?a\\.c.*?", u".*?a.c.*?", u".*?abc\\.*?", u".*?\\x41\\u0042.*?",
    u".*?\\n.*?", u".*?a\\r\\nb.*?", u".*?\u00E9.*?", u".*?\u044F.*?", u".*?\\\\.*?",
    u".*?a{.*?", u".*?\\c.*?",
    // Runs of dots inside groups and alternatives, greedy or lazy, and
    // repeats that are not runs of dots.
    u".*?(.*?)abc.*?", u"(.*?abc)", u".*?a|b.*?", u".*?a|.*?", u"a|.*?", u".*?|b",
    u".*abc.*", u".*?.*?abc.*?.*?", u".+?abc.*?", u".?abc.*?", u".{0,}abc.*?",
    u".*?a.*?b.*?", u".*?(a|b)c.*?", u".*?(?:ab)+.*?", u"(?:.*?)abc",
    // A quantifier or a class right after the leading run of dots; syntax
    // errors of every kind.
    u".*?*abc.*?", u".*?{2}abc.*?", u".*?+abc.*?", u".*??abc.*?", u".*?[.*?]abc.*?",
    u"[.*?]abc", u".*?abc\\", u".*?(abc.*?", u".*?abc).*?", u".*?[abc.*?", u".*?a{2,1}.*?",
    u".*?(?<=a)b.*?",
    // Anchors, word boundaries, lookahead and backreferences next to the
    // runs of dots.
    u".*?^abc.*?", u".*?abc$.*?", u".*?^$.*?", u".*?\\babc\\b.*?", u".*?\\Babc.*?",
    u".*?(?=abc).*?", u".*?(?!abc)a.*?", u".*?(?=a)+b.*?", u".*?(a).*?\\1.*?", u".*?\\1(a).*?",
    u".*?(a)|\\1b.*?", u".*?(?=)a.*?", u".*?(?!).*?",
    // First characters: literals, classes, repeats with and without a
    // minimum, letters in both cases, Chinese characters.
    u".*?[abc]{2}d.*?", u".*?[\u4E2D\u6587\u5B57]{2}\u5B57.*?", u".*?[A-C]x.*?",
    u".*?[Z-a]x.*?", u".*?[^a]b.*?", u".*?[]a.*?", u".*?[^]a.*?", u".*?[\\d]a.*?",
    u".*?\\d{2}.*?", u".*?a{0}b.*?", u".*?a?b.*?", u".*?a*b.*?", u".*?a+b.*?",
    u".*?a{2}b.*?", u".*?a{1,}?b.*?", u".*?(?=a)ab.*?", u".*?(?!a)b.*?", u".*?\\bab.*?",
    u".*?\u4E2D.{0,3}\u6587.*?", u".*?\u4E2D\\s*\u6587$.*?", u".*?^\u4E2D\u6587.*?",
    u".*?a+b[a-z]{3}\\d.*?", u".*?[a-z]b.*?", u".*?[\\u00E0-\\u00E9]x.*?",
    u".*?(\u4E2D|\u6587)\u5B57.*?",
    // Classes first (PCRE2 then knows no first character, and the matches
    // are tried at the class's characters), with what may stand second.
    u".*?[ab]c.*?", u".*?[ab]+c.*?", u".*?[ab]{2}c.*?", u".*?[ab]{1,2}c.*?", u".*?[ab]?c.*?",
    u".*?[ab]\\bc.*?", u".*?[ab](?=c)c.*?", u".*?[ab]c*d.*?", u".*?[ab][cd]{2}.*?",
    u".*?[ab]|[cd]e.*?", u".*?[aB]x|[cd].*?", u".*?^[ab]c.*?", u".*?[\u4E2D\u6587]\u5B57.*?",
    u".*?[\u4E2D\u6587]{2}.*?",
};

const char16_t* const kTableSubjects[] = {
    u"", u"abc", u"xxABCyy", u"a.c", u"aXc", u"a\nbc", u"a\r\nb", u"abc\\", u"abc.",
    u"\u4E2D\u6587abc", u"\u5E7F\u544A", u"\u52A0\n\u7FA4\u5E7F\u544A", u"AB", u"aab",
    u"b", u"ab ab", u"\u00E9", u"\u00C9", u"\u042F", u"\u044F", u"a{", u"\\c", u"12a",
    u"\u4E2D\u6587\u5B57\u5B57", u"\u4E2D\u4E00\u4E8C\u6587", u"\u4E2D \u6587",
    u"\u4E2D\u6587\n\u4E2D", u"x\n\u4E2D\u6587", u"aaaab", u"zx", u"Zx", u"[x", u"\u00E7x",
    u"abcdefg1", u"ABCDEFG1", u"\u6587\u5B57", u"a\x01b", u"ac", u"AC", u"bbc", u"aac",
    u"acd", u"bcdd", u"a c", u"bx", u"Bx", u"\u6587\u4E2D",
};

TEST(FirstMatchShortcuts, AgreeWithTheWholePatternOnTheTable) {
  for (const char16_t* pattern : kTablePatterns) {
    for (const char16_t* subject : kTableSubjects) {
      for (const bool ignore_case : {true, false}) {
        for (const bool multiline : {true, false}) {
          expect_shortcuts_agree(pattern, subject, ignore_case, multiline);
        }
      }
    }
  }
}

using Sequence = tarvolo::fixtures::FixedSequence;

// Patterns made of the dialect's pieces, subjects of the characters that
// they name. Subjects stay short so that no search comes near the match
// limit, where the whole pattern and a shortcut could stop at different
// points.
TEST(FirstMatchShortcuts, AgreeWithTheWholePatternOnGeneratedPatterns) {
  const char16_t* const tokens[] = {
      u"a", u"A", u"b", u"\u4E2D", u"\u6587", u".", u".*?", u".*", u"\\.", u"*", u"*?",
      u"+", u"?", u"{2}", u"{0,2}", u"(", u")", u"(?:", u"(?=", u"(?!", u"|", u"[ab]",
      u"[^a]", u"[\u4E2D\u6587]", u"[A-c]", u"[", u"]", u"\\", u"^", u"$", u"\\b", u"\\d",
      u"\\1", u"\\n", u"\\r", u"\u00E9", u"\u00C9", u"{",
  };
  const char16_t units[] = {u'a', u'A', u'b', u'B', u'\u4E2D', u'\u6587', u'\n',
                            u'\r', u'.', u'1', u'\u00E9', u'\u00C9', u' ', u'['};
  Sequence random(20240611);
  for (int round = 0; round < 30000; ++round) {
    std::u16string keyword;
    const std::size_t length = random.next(6);
    for (std::size_t i = 0; i < length; ++i) {
      keyword += tokens[random.next(sizeof tokens / sizeof tokens[0])];
    }
    // Mostly the screening form, sometimes the keyword alone.
    const std::u16string pattern = random.next(4) == 0 ? keyword : u".*?" + keyword + u".*?";
    std::u16string subject;
    const std::size_t subject_length = random.next(12);
    for (std::size_t i = 0; i < subject_length; ++i) {
      subject.push_back(units[random.next(sizeof units / sizeof units[0])]);
    }
    expect_shortcuts_agree(pattern, subject, random.next(2) == 0, random.next(2) == 0);
    if (testing::Test::HasFatalFailure()) return;
  }
}

// Anchored attempts at the positions of a pattern's first characters stop
// after a few positions, or at their share of the match limit, and the
// unanchored search decides: a match after many such positions is still
// found, and a catastrophic pattern ends within the bounds of one search
// (this program's ctest TIMEOUT catches one that does not end).
TEST(FirstMatchShortcuts, ManyFirstCharacterPositionsAndCatastrophicAttempts) {
  struct Case {
    std::u16string pattern;
    std::u16string subject;
    int expected;
  };
  // Classes and alternatives as first items leave PCRE2 without a first
  // character of its own, which is when the anchored attempts are used.
  const std::u16string run_of_a(5000, u'a');
  const Case cases[] = {
      {u".*?[ab]x.*?", std::u16string(40, u'a') + std::u16string(40, u'b') + u"bx", 1},
      {u".*?[ab]x.*?", std::u16string(900, u'a') + u"ax", 1},
      {u".*?[ab]x.*?", std::u16string(3000, u'a') + u"ax", 1},
      {u".*?[ab]x.*?", std::u16string(3000, u'a') + u"ay", 0},
      {u".*?[ab](a+)+[^a].*?", run_of_a, 0},
      {u".*?[ab](a+)+[^a].*?", std::u16string(900, u'a'), 0},
      {u".*?[ab](a+)+[^a].*?", u"aaab", 1},
      {u".*?[xz](a+)+[^a]|y.*?", u"xaaaaaaaaaaaaaaaaaaaaaaaaaaaay", 1},
      {u".*?[xz](a+)+[^a]|y.*?", u"x" + std::u16string(900, u'a') + u"y", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pattern " << printable(c.pattern));
    const Pcre2Program program(c.pattern, true, true);
    SubjectIndex index;
    index.assign(c.subject);
    EXPECT_EQ(program.count_matches(index, false), c.expected);
    EXPECT_EQ(program.count_matches(c.subject, false), c.expected);
  }
}

// The pattern object, with the cache on and off, gives the whole pattern's
// answer for code page 936 patterns and subjects too (the subject index is
// built once per subject and reused from keyword to keyword).
TEST(FirstMatchShortcuts, PatternObjectAgreesWithTheWholePattern) {
  const char* const keywords[] = {"广告", "ABC", "abc", "加.群", "[广告]{2}", "a\\.b", "^加群",
                                  "群$", "(广告|加群)", "", "广告\\", "(", "\\d{3}", "x*?"};
  const char* const messages[] = {"", "看广告", "加\n群", "xxabcyy", "a.b", "a.B", "加群",
                                  "群\r\n广告广告", "123", "ABC"};
  PatternObjectPtr object = create_pattern_object();
  for (const bool cached : {true, false}) {
    set_pattern_cache_enabled(cached);
    for (const char* keyword : keywords) {
      const GbkText pattern = std::string(".*?") + keyword + ".*?";
      for (const char* message : messages) {
        for (const bool case_sensitive : {false, true}) {
          SCOPED_TRACE(testing::Message() << "keyword " << keyword << ", message " << message
                                          << ", cached " << cached << ", case-sensitive "
                                          << case_sensitive);
          const Pcre2Program whole(Env::Default().gbk_to_utf16(pattern), !case_sensitive,
                                   /*multiline=*/true);
          const bool valid = whole.status() == Pcre2Program::Status::kCompiled;
          EXPECT_EQ(object->execute_pattern(pattern, message, case_sensitive, true, false), valid);
          EXPECT_EQ(object->match_count(), whole.count_matches_of_whole_pattern(
                                               Env::Default().gbk_to_utf16(message), false));
        }
      }
    }
  }
  set_pattern_cache_enabled(true);
}

}  // namespace
}  // namespace tarvolo
