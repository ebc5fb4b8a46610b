// The POSIX profile-file engine against the results Windows gives on the same
// files. Literals are code page 936 bytes (the build's execution charset), so
// the Chinese names below are the bytes the plug-in stores.
#include "platform/posix/profile_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvolo {
namespace profile_file {
namespace {

using namespace std::string_literals;

// --- Reading one value ------------------------------------------------------

struct GetCase {
  const char* name;
  std::string file;
  std::string section;
  std::string key;
  std::string default_value;
  std::size_t size;
  std::string expected;
};

class GetStringTest : public testing::TestWithParam<GetCase> {};

TEST_P(GetStringTest, GivesWhatWindowsGives) {
  const GetCase& c = GetParam();
  EXPECT_EQ(get_string(c.file, c.section, c.key, c.default_value, c.size), c.expected);
}

const std::string kSample =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n";

const GetCase kGetCases[] = {
    // The sample file of Windows' own conformance tests.
    {"Plain", kSample, "section1", "name1", "def", 100, "val1"},
    {"KeyCaseIgnored", kSample, "section1", "NaMe1", "def", 100, "val1"},
    {"SectionCaseIgnored", kSample, "SECTION1", "name1", "def", 100, "val1"},
    {"QuotedValue", kSample, "section1", "name2", "def", 100, "val2"},
    // A line without '=' is no key (Windows does not list it among the keys).
    {"LineWithoutEquals", kSample, "section1", "name3", "def", 100, "def"},
    {"LastKeyOfSection", kSample, "section1", "name4", "def", 100, "a"},
    {"MissingKey", kSample, "section1", "name5", "def", 100, "def"},
    {"MissingSection", kSample, "section9", "name1", "def", 100, "def"},
    {"KeyOfAnotherSection", kSample, "section2", "name1", "def", 100, "def"},
    {"MissingFile", "", "section1", "name1", "def", 100, "def"},
    {"EmptyKeyArgument", kSample, "section1", "", "def", 100, "def"},
    {"EmptyKeyName", "[S]\r\n =;comment\r\n", "S", "", "def", 100, ";comment"},
    {"ArgumentsLoseSpaces", kSample, "  section1 ", " name1  ", "", 100, "val1"},
    {"ArgumentsKeepTabs", kSample, "\tsection1", "name1", "", 100, ""},
    {"ArgumentKeyKeepsTab", kSample, "section1", "name1\t", "", 100, ""},

    // A buffer of `size` bytes holds size - 1 bytes and the NUL.
    {"ValueCutToBuffer", kSample, "section1", "name1", "", 4, "val"},
    {"ValueFillsBuffer", kSample, "section1", "name1", "", 5, "val1"},
    {"BufferOfOneByte", kSample, "section1", "name1", "", 1, ""},
    {"BufferOfNoBytes", kSample, "section1", "name1", "", 0, ""},
    // The length that must fit is that of the unquoted value.
    {"QuotesGoBeforeCutting", kSample, "section1", "name2", "", 5, "val2"},
    {"DefaultCutToBuffer", kSample, "section1", "name9", "default", 4, "def"},
    {"DefaultLosesTrailingSpaces", kSample, "section1", "name9", "def  ", 100, "def"},
    {"DefaultKeepsLeadingSpaces", kSample, "section1", "name9", "  def", 100, "  def"},
    {"CutInsideTwoByteCharacter", "[S]\r\nk=中文\r\n", "S", "k", "", 4, "中\xCE"},

    // Blanks and quotes around a value.
    {"QuotesInsideBlanks", "[S]\r\nk=  \"   v   \"  ", "S", "k", "", 100, "   v   "},
    {"OnlyOuterQuotesGo", "[S]\r\nk='\"v\"'", "S", "k", "", 100, "\"v\""},
    {"MismatchedQuotesStay", "[S]\r\nk=\"v'", "S", "k", "", 100, "\"v'"},
    {"SingleQuotes", "[S]\r\nk='v'", "S", "k", "", 100, "v"},
    {"EmptyQuotes", "[S]\r\nk=\"\"", "S", "k", "def", 100, ""},
    {"LoneQuote", "[S]\r\nk=\"", "S", "k", "", 100, "\""},
    {"InnerQuotesStay", "[S]\r\nk=a\"b\"", "S", "k", "", 100, "a\"b\""},
    {"QuoteInsideQuotes", "[S]\r\nk=\"a\"b\"", "S", "k", "", 100, "a\"b"},
    {"BlanksAreSpaceTabVt", "[S]\r\n \t k \v=\t\v v w \t\v\r\n", "S", "k", "", 100, "v w"},
    {"EmptyValueIsNotDefault", "[S]\r\nk=\r\n", "S", "k", "def", 100, ""},
    {"OnlyFirstEqualsSplits", "[S]\r\nk==a=b\r\n", "S", "k", "", 100, "=a=b"},

    // Section lines.
    {"SectionNameTrimmed", "[ \tS \v]\r\nk=v\r\n", "S", "k", "", 100, "v"},
    {"BlanksBeforeBracket", "  [S]\r\nk=v\r\n", "S", "k", "", 100, "v"},
    {"TextAfterBracketIgnored", "[S] ; note\r\nk=v\r\n", "S", "k", "", 100, "v"},
    {"SectionWithoutClosingBracket", "[S \r\nk=v\r\n", "S", "k", "", 100, "v"},
    {"SectionEndsAtNextSection", "[S]\r\n[T]\r\nk=v\r\n", "S", "k", "", 100, ""},

    // Duplicates: the first section and within it the first key.
    {"FirstKeyWins", "[S]\r\nk=v1\r\nk=v2", "S", "k", "", 100, "v1"},
    {"KeyOfLaterDuplicateSection", "[S]\r\n[S]\r\nk=v", "S", "k", "", 100, ""},
    {"DuplicateSectionOtherCase", "[S]\r\na=1\r\n[T]\r\n[s]\r\nb=2\r\n", "S", "b", "", 100, ""},

    // Comments, literal characters, unreachable lines.
    {"CommentLineIsNoKey", "[S]\r\n;k=1\r\nk=2\r\n", "S", "k", "", 100, "2"},
    {"IndentedComment", "[S]\r\n \t;k=1\r\n", "S", ";k", "def", 100, "def"},
    {"SemicolonInValueIsLiteral", "[S]\r\nk=a ;b\r\n", "S", "k", "", 100, "a ;b"},
    {"HashIsLiteral", "[S]\r\n#k=v\r\n", "S", "#k", "", 100, "v"},
    {"BeforeFirstSection", "k=v\r\n[S]\r\n", "S", "k", "def", 100, "def"},

    // Line breaks: CR LF, LF, CR, and no break at the end.
    {"LfLines", "[S]\nk=v\n", "S", "k", "", 100, "v"},
    {"CrLines", "[S]\ra=1\rk=v\r", "S", "k", "", 100, "v"},
    {"MixedLines", "[S]\r\n\na=1\rk=v\n\r[T]\r", "S", "k", "", 100, "v"},
    {"LfCrIsTwoBreaks", "[S]\n\rk=v", "S", "k", "", 100, "v"},
    {"NoFinalBreak", "[S]\r\nk=v", "S", "k", "", 100, "v"},

    // Code page 936 names and values. The trail byte of a character may be
    // ']' or a letter: it neither ends a section name nor matches another case.
    {"ChineseNames", "[群设置]\r\n管理员=12345,\r\n", "群设置", "管理员", "", 100, "12345,"},
    {"TrailByteIsBracket", "[\x81]\x82]]\r\nk=v\r\n", "\x81]\x82]", "k", "", 100, "v"},
    {"TrailByteLetterMatchesExactly", "[\x81" "a]\r\nk=v\r\n", "\x81" "a", "k", "", 100, "v"},
    {"TrailByteLetterHasNoCase", "[\x81" "a]\r\nk=v\r\n", "\x81" "A", "k", "def", 100, "def"},
    {"ChineseValueQuoted", "[S]\r\nk=\"中文\"\r\n", "S", "k", "", 100, "中文"},
};

INSTANTIATE_TEST_SUITE_P(Cases, GetStringTest, testing::ValuesIn(kGetCases),
                         [](const testing::TestParamInfo<GetCase>& info) {
                           return std::string(info.param.name);
                         });

// --- Section names ------------------------------------------------------------

struct NamesCase {
  const char* name;
  std::string file;
  std::size_t size;
  std::string expected;
};

class SectionNamesTest : public testing::TestWithParam<NamesCase> {};

TEST_P(SectionNamesTest, GivesWhatWindowsGives) {
  const NamesCase& c = GetParam();
  EXPECT_EQ(section_names(c.file, c.size), c.expected);
}

// Three names of 8 bytes: the list takes 27 bytes, 28 with its final NUL.
const std::string kThree = "[ section1 ]\r\n[section2]\r\n[section3]\r\n";

const NamesCase kNamesCases[] = {
    {"Trimmed", kThree, 100, "section1\0section2\0section3\0"s},
    {"FitsWithAByteToSpare", kThree, 29, "section1\0section2\0section3\0"s},
    // Exactly big enough for list and NUL still counts as too small.
    {"ExactFitIsCut", kThree, 28, "section1\0section2\0section3"s},
    {"CutInsideAName", kThree, 12, "section1\0s"s},
    {"CutAfterAName", kThree, 11, "section1\0"s},
    {"BufferOfTwo", kThree, 2, ""},
    {"BufferOfOne", kThree, 1, ""},
    {"BufferOfNone", kThree, 0, ""},
    {"MissingFile", "", 100, ""},
    {"NoSections", "k=v\r\n;[c]\r\n", 100, ""},
    {"DuplicatesKeptInOrder", "[b]\r\nk=v\r\n[a]\r\n[B]\r\n", 100, "b\0a\0B\0"s},
    {"CommentsAndKeysSkipped", "x=1\r\n[a]\r\n;[c]\r\nk=[v]\r\n  [b] x\r\n", 100, "a\0b\0"s},
    {"EmptyName", "[]\r\n[ ]\r\n", 100, "\0\0"s},
    {"CrOnlyFile", "[a]\rk=v\r[b]", 100, "a\0b\0"s},
    {"LfOnlyFile", "[a]\nk=v\n[b]\n", 100, "a\0b\0"s},
    {"ChineseNames", "[群]\r\n[\x81]\x82]]\r\n", 100, "群\0\x81]\x82]\0"s},
    {"CutInsideTwoByteCharacter", "[中文]\r\n", 5, "中\xCE"},
};

INSTANTIATE_TEST_SUITE_P(Cases, SectionNamesTest, testing::ValuesIn(kNamesCases),
                         [](const testing::TestParamInfo<NamesCase>& info) {
                           return std::string(info.param.name);
                         });

// --- Writing and deleting -----------------------------------------------------

// One WritePrivateProfileStringA call: a value writes, kNoValue deletes the
// key, kNoKey deletes the section.
struct Write {
  enum Kind { kValue, kNoValue, kNoKey };
  Kind kind;
  std::string section;
  std::string key;
  std::string value;
};

Write set(std::string section, std::string key, std::string value) {
  return {Write::kValue, std::move(section), std::move(key), std::move(value)};
}
Write del_key(std::string section, std::string key) {
  return {Write::kNoValue, std::move(section), std::move(key), ""};
}
Write del_section(std::string section) { return {Write::kNoKey, std::move(section), "", ""}; }

struct WriteCase {
  const char* name;
  std::string before;
  std::vector<Write> writes;
  std::string after;
};

std::string apply(std::string file, const Write& w) {
  switch (w.kind) {
    case Write::kValue:
      return write_string(file, w.section, w.key, w.value);
    case Write::kNoValue:
      return delete_key(file, w.section, w.key);
    case Write::kNoKey:
      return delete_section(file, w.section);
  }
  return file;
}

class WriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteTest, LeavesTheFileWindowsLeaves) {
  const WriteCase& c = GetParam();
  std::string file = c.before;
  for (const Write& w : c.writes) file = apply(file, w);
  EXPECT_EQ(file, c.after);
}

const std::string kApps =
    "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n"
    "[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n";

const WriteCase kWriteCases[] = {
    // Building a file from nothing, then deleting from it.
    {"NewFile", "",
     {set("App1", "key1", "string1"), set("App1", "key2", "string2"),
      set("App1", "key3", "string3"), set("App2", "key4", "string4"),
      set("App3", "key5", "string5")},
     kApps},
    {"DeleteKeyLine", kApps, {del_key("App1", "key2")},
     "[App1]\r\nkey1=string1\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"
     "[App3]\r\nkey5=string5\r\n"},
    {"DeleteSectionAndKeys", kApps, {del_section("App2")},
     "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App3]\r\nkey5=string5\r\n"},
    {"EmptyValue", "", {set("App", "key", "")}, "[App]\r\nkey=\r\n"},
    {"ArgumentsLoseSpaces", "", {set(" sec ", "  k ", "v")}, "[sec]\r\nk=v\r\n"},
    {"ValueVerbatim", "", {set("S", "k", "  \"x\" ; y  ")}, "[S]\r\nk=  \"x\" ; y  \r\n"},
    // Line breaks in a value go in raw and start lines of their own.
    {"ValueLineBreaksRaw", "[S]\r\n", {set("S", "k", "a\r\n[T]")}, "[S]\r\nk=a\r\n[T]\r\n"},
    {"ChineseNewFile", "", {set("群设置", "开关", "1")}, "[群设置]\r\n开关=1\r\n"},

    // Replacing a value keeps the file's spelling and rewrites the line.
    {"ReplaceWithoutFinalBreak", "[SectionName]\r\nTestKey=TestValue",
     {set("SECTIONNAME", "TESTKEY", "TestValue2")}, "[SectionName]\r\nTestKey=TestValue2\r\n"},
    {"ReplaceRewritesLine", "[Sec]\r\n  Key \t=  old ; x\r\nz=1\r\n", {set("SEC", "KEY", "new")},
     "[Sec]\r\nKey=new\r\nz=1\r\n"},
    {"ReplaceInLfFile", "[S]\nk=v\nz=1\n", {set("S", "k", "w")}, "[S]\nk=w\r\nz=1\n"},
    {"LineWithoutEqualsIsNoKey", "[S]\r\nflag\r\n;c\r\n", {set("S", "flag", "1")},
     "[S]\r\nflag=1\r\nflag\r\n;c\r\n"},
    {"ReplaceFirstOfDuplicates", "[S]\r\nk=1\r\nk=2\r\n[S]\r\nj=3\r\n",
     {set("S", "k", "9"), set("S", "j", "4")}, "[S]\r\nk=9\r\nk=2\r\nj=4\r\n[S]\r\nj=3\r\n"},

    // A new key follows the last key line of its section.
    {"NewKeysBeforeTrailingComments",
     ";comment0\r\n[S]\r\n;comment1\r\nb=value\r\n;comment2\r\na=value\r\n",
     {set("S", "z", ""), set("S", "y", "")},
     ";comment0\r\n[S]\r\n;comment1\r\nb=value\r\n;comment2\r\na=value\r\nz=\r\ny=\r\n"},
    {"NewKeyBeforeBlankLines", "[A]\r\na=1\r\n\r\n;c\r\n[B]\r\nb=2\r\n", {set("a", "c", "3")},
     "[A]\r\na=1\r\nc=3\r\n\r\n;c\r\n[B]\r\nb=2\r\n"},
    {"NewKeyInEmptySection", "[A]\r\n;c\r\n[B]\r\n", {set("A", "k", "v")},
     "[A]\r\nk=v\r\n;c\r\n[B]\r\n"},
    {"NewKeyAfterHeaderWithoutBreak", "[A]", {set("A", "k", "v")}, "[A]\r\nk=v\r\n"},
    {"NewKeyAfterLastLineWithoutBreak", "[A]\r\na=1", {set("A", "k", "v")},
     "[A]\r\na=1\r\nk=v\r\n"},
    {"NewKeysAndCommentKeys", "",
     {set("S", "z", ""), set("S", ";y", ""), set("S", "a", ""), set("S", ";b", ""),
      set("S", ";c", "")},
     "[S]\r\nz=\r\na=\r\n;c=\r\n;b=\r\n;y=\r\n"},
    {"NewKeyInCrFile", "[A]\ra=1\r[B]\r", {set("A", "b", "2")}, "[A]\ra=1\rb=2\r\n[B]\r"},
    {"UntouchedLinesKept", "; top\r\n[A]\r\n a = 1 \r\n\r\n[B]\r\nb=2", {set("B", "c", "3")},
     "; top\r\n[A]\r\n a = 1 \r\n\r\n[B]\r\nb=2\r\nc=3\r\n"},

    // A new section goes at the end, with no blank line before it.
    {"NewSectionAfterMissingBreak", "[A]\r\na=1", {set("B", "b", "2")},
     "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
    {"NewSectionAfterLf", "[A]\na=1\n", {set("B", "b", "2")}, "[A]\na=1\n[B]\r\nb=2\r\n"},
    {"NewSectionAfterCr", "[A]\ra=1\r", {set("B", "b", "2")}, "[A]\ra=1\r[B]\r\nb=2\r\n"},
    {"NewSectionAfterComment", "[A]\r\na=1\r\n;end", {set("B", "b", "2")},
     "[A]\r\na=1\r\n;end\r\n[B]\r\nb=2\r\n"},
    {"TextBeforeFirstSectionUnreachable", "k=1\r\n", {set("S", "k", "2")},
     "k=1\r\n[S]\r\nk=2\r\n"},
    {"CommentedSectionIsNoSection", ";[S]\r\n", {set("S", "k", "v")}, ";[S]\r\n[S]\r\nk=v\r\n"},

    // Code page 936 names: trail bytes ']' and letters.
    {"ChineseKeyAdded", "[群设置]\r\n管理员=1,\r\n", {set("群设置", "开关", "1")},
     "[群设置]\r\n管理员=1,\r\n开关=1\r\n"},
    {"TrailByteBracketInSection", "[\x81]]\r\nk=1\r\n", {set("\x81]", "k", "2")},
     "[\x81]]\r\nk=2\r\n"},
    {"TrailByteLetterIsNotFolded", "[\x81" "a]\r\n", {set("\x81" "A", "k", "v")},
     "[\x81" "a]\r\n[\x81" "A]\r\nk=v\r\n"},

    // Deleting a key.
    {"DeleteKeyMissingFile", "", {del_key("S", "k")}, ""},
    {"DeleteKeyMissingSection", "[T]\r\nk=1\r\n", {del_key("S", "k")}, "[T]\r\nk=1\r\n"},
    {"DeleteKeyMissingKey", "[S]\r\nj=1\r\n", {del_key("S", "k")}, "[S]\r\nj=1\r\n"},
    {"DeleteLastLineWithoutBreak", "[S]\r\na=1\r\nk=v", {del_key("s", "K")}, "[S]\r\na=1\r\n"},
    {"DeleteFirstOfDuplicates", "[S]\r\nk=1\r\nk=2\r\n", {del_key("S", "k")}, "[S]\r\nk=2\r\n"},
    {"DeleteKeyOnlyInFirstSection", "[S]\r\n[S]\r\nk=1\r\n", {del_key("S", "k")},
     "[S]\r\n[S]\r\nk=1\r\n"},
    {"DeleteKeyLeavesComment", "[S]\r\n;k=1\r\n k = 2 \n", {del_key(" S ", "k")},
     "[S]\r\n;k=1\r\n"},

    // Deleting a section.
    {"DeleteSectionMissing", "[T]\r\nk=1\r\n", {del_section("S")}, "[T]\r\nk=1\r\n"},
    {"DeleteSectionMissingFile", "", {del_section("S")}, ""},
    {"DeleteSectionKeepsCommentsAndBlanks",
     "[A]\r\na=1\r\n;c\r\n\r\nb=2\r\nflag\r\n[B]\r\nx=1\r\n", {del_section("a")},
     ";c\r\n\r\nflag\r\n[B]\r\nx=1\r\n"},
    {"DeleteSectionsKeepsAllComments", ";comment0\r\n[S]\r\n;comment1\r\n[T]\r\n;comment2\r\n",
     {del_section("S"), del_section("T")}, ";comment0\r\n;comment1\r\n;comment2\r\n"},
    {"DeleteFirstOfDuplicateSections", "[S]\r\na=1\r\n[S]\r\nb=2\r\n", {del_section("S")},
     "[S]\r\nb=2\r\n"},
    {"DeleteLastSectionWithoutBreak", "top\r\n[A]\r\na=1\r\n[B]\r\nb=2", {del_section("B")},
     "top\r\n[A]\r\na=1\r\n"},
    {"DeleteChineseSection", "[群一]\r\n开关=1\r\n[群二]\r\n开关=0\r\n", {del_section("群一")},
     "[群二]\r\n开关=0\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, WriteTest, testing::ValuesIn(kWriteCases),
                         [](const testing::TestParamInfo<WriteCase>& info) {
                           return std::string(info.param.name);
                         });

// What is written reads back; a value with blanks or quotes around it reads
// back trimmed and unquoted, as it would on Windows.
TEST(ProfileRoundTrip, WrittenValuesReadBack) {
  std::string file;
  file = write_string(file, "群设置", "管理员", "10001,10002,");
  file = write_string(file, "群设置", "spaced", "  v  ");
  file = write_string(file, "other", "quoted", "'q'");
  EXPECT_EQ(get_string(file, "群设置", "管理员", "", 10240), "10001,10002,");
  EXPECT_EQ(get_string(file, "群设置", "spaced", "", 10240), "v");
  EXPECT_EQ(get_string(file, "OTHER", "QUOTED", "", 10240), "q");
  EXPECT_EQ(section_names(file, 204800), "群设置\0other\0"s);
}

}  // namespace
}  // namespace profile_file
}  // namespace tarvolo
