#include "store/keyword_list_file.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

using namespace std::string_literals;
using fixtures::TempRunDir;
using Pairs = std::vector<std::pair<GbkText, GbkText>>;

const char kFile[] = "关键词.txt";

TEST(KeywordLinesTest, CutsAtCrLfWithTheSplittingRule) {
  struct Case {
    GbkText list;
    std::vector<GbkText> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"\r\n", {""}},
      {"a====直接踢出\r\nb====累积关键词\r\n", {"a====直接踢出", "b====累积关键词"}},
      {"a====直接踢出\r\nb====累积关键词", {"a====直接踢出", "b====累积关键词"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a\nb\r\n", {"a\nb"}},
      // 0xB0 0x0D is one character: its second byte does not start a CR LF.
      {"\xB0\r\nx", {"\xB0\r\nx"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keyword_lines(c.list), c.lines) << ::testing::PrintToString(c.list);
  }
}

TEST(KeywordEntryTest, PiecesPatternAndType) {
  struct Case {
    GbkText line;
    std::vector<GbkText> pieces;
    bool complete;
    GbkText pattern;
    GbkText type;
  };
  const Case cases[] = {
      {"广告====累积关键词", {"广告", "累积关键词"}, true, "广告", "累积关键词"},
      {"====累积关键词", {"", "累积关键词"}, true, "", "累积关键词"},
      {"a====b====累积关键词", {"a", "b", "累积关键词"}, true, "a", "b"},
      {" a b ====直接踢出 ", {" a b ", "直接踢出 "}, true, " a b ", "直接踢出 "},
      {"abc", {"abc"}, false, "abc", ""},
      {"abc====", {"abc"}, false, "abc", ""},
      {"", {}, false, "", ""},
  };
  for (const Case& c : cases) {
    const KeywordEntry entry = parse_keyword_entry(c.line);
    EXPECT_EQ(entry.pieces, c.pieces) << c.line;
    EXPECT_EQ(entry.complete(), c.complete) << c.line;
    EXPECT_EQ(entry.pattern(), c.pattern) << c.line;
    EXPECT_EQ(entry.type(), c.type) << c.line;
  }
}

// Screening's in-place walk must see exactly the lines and pieces that the
// copying functions give.
void expect_reader_agrees_with_copying_functions(const GbkText& list) {
  SCOPED_TRACE(::testing::PrintToString(list));
  KeywordEntryReader reader(list);
  for (const GbkText& line : keyword_lines(list)) {
    const KeywordEntry expected = parse_keyword_entry(line);
    KeywordEntryView entry;
    ASSERT_TRUE(reader.next(&entry)) << line;
    EXPECT_EQ(entry.pattern, expected.pattern()) << line;
    EXPECT_EQ(entry.type, expected.type()) << line;
    EXPECT_EQ(entry.complete, expected.complete()) << line;
  }
  KeywordEntryView entry;
  EXPECT_FALSE(reader.next(&entry));
}

TEST(KeywordEntryReaderTest, AgreesWithTheCopyingFunctions) {
  const GbkText lists[] = {
      "",
      "\r\n",
      "\r\n\r\n",
      "a====直接踢出\r\nb====累积关键词\r\n",
      "a====直接踢出\r\nb====累积关键词",
      "abc\r\nabc====\r\nabc========\r\n====\r\n========x\r\n",
      "a====b====累积关键词\r\n====累积关键词\r\n",
      "a===\r\n=\r\n==\r\n===\r\n=====\r\n",
      "\r\r\n\n\r\n\r",
      // Second bytes that look like '=', CR or LF belong to their character.
      "\xB0=\x81===x====y\r\n\xB0\r\nz\r\n",
      "ab\xB0\r\n\xB0",
      "x====\xB0",
      "x====y\xB0====z\xB0",
  };
  for (const GbkText& list : lists) {
    expect_reader_agrees_with_copying_functions(list);
  }
}

// The same over many lists made of the bytes that matter to the walk: the
// separators' bytes, bytes >= 0x80 that start two-byte characters, and
// characters whose second byte is '=' or a letter.
TEST(KeywordEntryReaderTest, AgreesWithTheCopyingFunctionsOnMixedBytes) {
  const char* const pieces[] = {"=", "==", "====", "\r", "\n", "\r\n", "a", "\xB0",
                                "\x81=", "中", "\x81", "\xFE\r"};
  std::uint32_t state = 12345;
  auto next = [&state](std::uint32_t bound) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) % bound;
  };
  for (int round = 0; round < 20000; ++round) {
    GbkText list;
    const std::uint32_t length = next(24);
    for (std::uint32_t i = 0; i < length; ++i) {
      list += pieces[next(sizeof pieces / sizeof pieces[0])];
    }
    expect_reader_agrees_with_copying_functions(list);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(KeywordListIsEmptyTest, OnlyNothingOrOneLineEnd) {
  EXPECT_TRUE(keyword_list_is_empty(""));
  EXPECT_TRUE(keyword_list_is_empty("\r\n"));
  EXPECT_FALSE(keyword_list_is_empty("\r\n\r\n"));
  EXPECT_FALSE(keyword_list_is_empty("\n"));
  EXPECT_FALSE(keyword_list_is_empty("a====直接踢出\r\n"));
}

class KeywordListFileTest : public ::testing::Test {
 protected:
  TempRunDir dir;
  KeywordListFile file{dir.config()};
};

TEST_F(KeywordListFileTest, ReadsUpToTheFirstNul) {
  EXPECT_EQ(file.read_keyword_list(), "");
  dir.write(kFile, "");
  EXPECT_EQ(file.read_keyword_list(), "");
  dir.write(kFile, "a====直接踢出\r\n\0b====累积关键词\r\n"s);
  EXPECT_EQ(file.read_keyword_list(), "a====直接踢出\r\n");
}

TEST_F(KeywordListFileTest, AppendWritesTheWholeFile) {
  struct Case {
    const char* name;
    std::string before;  // "<missing>": no file
    std::string after;
  };
  const Case cases[] = {
      {"missing file", "<missing>", "广告====累积关键词\r\n"},
      {"empty file", "", "广告====累积关键词\r\n"},
      {"two lines", "a====直接踢出\r\nb====累积关键词\r\n",
       "a====直接踢出\r\nb====累积关键词\r\n广告====累积关键词\r\n"},
      {"last line without CR LF", "a====直接踢出",
       "a====直接踢出\r\n广告====累积关键词\r\n"},
      {"bytes after a NUL are kept behind the list", "a====直接踢出\r\n\0x\0y"s,
       "a====直接踢出\r\n广告====累积关键词\r\n\0x\0y"s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.before == "<missing>") {
      ASSERT_FALSE(dir.exists(kFile));
    } else {
      dir.write(kFile, c.before);
    }
    file.append_keyword_entry("广告", kAccumulatingKeywordType);
    EXPECT_EQ(dir.read(kFile), c.after);
  }
}

TEST_F(KeywordListFileTest, AppendStoresThePatternAsTyped) {
  file.append_keyword_entry(" a====b ", kAccumulatingKeywordType);
  EXPECT_EQ(dir.read(kFile), " a====b ====累积关键词\r\n");
  const KeywordEntry entry = parse_keyword_entry(keyword_lines(file.read_keyword_list())[0]);
  EXPECT_EQ(entry.pattern(), " a");
  EXPECT_EQ(entry.type(), "b ");
}

TEST_F(KeywordListFileTest, RemoveTakesWholeEqualLinesOnly) {
  const std::string two_lines = "a====直接踢出\r\nb====累积关键词\r\n";
  struct Case {
    const char* name;
    std::string before;
    Pairs pairs;
    std::string after;
  };
  const Case cases[] = {
      {"first of two lines", two_lines, {{"a", "直接踢出"}}, "b====累积关键词\r\n"},
      {"duplicates go together", "abc====直接踢出\r\nx====累积关键词\r\nabc====直接踢出\r\n",
       {{"abc", "直接踢出"}}, "x====累积关键词\r\n"},
      {"letter case matters", "abc====直接踢出\r\n", {{"ABC", "直接踢出"}},
       "abc====直接踢出\r\n"},
      {"absent pair rewrites the file unchanged", two_lines, {{"c", "直接踢出"}}, two_lines},
      {"a longer line ending in the same entry stays whole",
       "xab====直接踢出\r\nab====直接踢出\r\n", {{"ab", "直接踢出"}}, "xab====直接踢出\r\n"},
      {"an entry is not removed from inside a line", "zz====累积关键词\r\n",
       {{"z", "累积关键词"}}, "zz====累积关键词\r\n"},
      {"a pattern holding ==== is not found through its displayed pair",
       "a====b====累积关键词\r\n", {{"a", "b"}}, "a====b====累积关键词\r\n"},
      {"several pairs, empty lines kept", "a====直接踢出\r\n\r\nb====累积关键词\r\nc====直接踢出\r\n",
       {{"c", "直接踢出"}, {"a", "直接踢出"}}, "\r\nb====累积关键词\r\n"},
      {"last line without CR LF", "b====累积关键词\r\na====直接踢出", {{"a", "直接踢出"}},
       "b====累积关键词\r\n"},
      {"every line removed leaves an empty file", two_lines,
       {{"a", "直接踢出"}, {"b", "累积关键词"}}, ""},
      {"Chinese second bytes do not end a line", "\xB0\r\nx====直接踢出\r\n",
       {{"x", "直接踢出"}}, "\xB0\r\nx====直接踢出\r\n"},
      {"bytes after a NUL are kept", "a====直接踢出\r\nb\0a====直接踢出\r\n"s,
       {{"a", "直接踢出"}}, "b\0a====直接踢出\r\n"s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dir.write(kFile, c.before);
    file.remove_keyword_entries(c.pairs);
    EXPECT_EQ(dir.read(kFile), c.after);
  }
}

TEST_F(KeywordListFileTest, RemoveOnAMissingFileCreatesAnEmptyOne) {
  file.remove_keyword_entries({{"a", "直接踢出"}});
  EXPECT_EQ(dir.read(kFile), "");
}

}  // namespace
}  // namespace tarvolo
