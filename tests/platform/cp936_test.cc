// Code page 936 <-> UTF-16 off Windows: the results of MultiByteToWideChar and
// WideCharToMultiByte on code page 936, including the bytes glibc's iconv
// rejects. String literals are compiled to code page 936 bytes.
#include "platform/posix/cp936.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvolo {
namespace {

struct ToUtf16Case {
  std::string bytes;
  std::u16string expected;
  const char* note;
};

class Cp936ToUtf16 : public testing::TestWithParam<ToUtf16Case> {};

TEST_P(Cp936ToUtf16, MatchesWindows) {
  const ToUtf16Case& c = GetParam();
  EXPECT_EQ(cp936_to_utf16(c.bytes), c.expected) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, Cp936ToUtf16,
    testing::Values(
        ToUtf16Case{"", u"", "empty"},
        ToUtf16Case{"abc 123\r\n", u"abc 123\r\n", "ASCII"},
        ToUtf16Case{"警告次数", u"警告次数", "common Chinese text"},
        ToUtf16Case{"黑名单", u"黑名单", "common Chinese text"},
        ToUtf16Case{"\xA1\xA1\xA3\xC1", u"\u3000\uFF21", "ideographic space, full-width A"},
        ToUtf16Case{"\x80", u"\u20AC", "0x80 is the euro sign"},
        ToUtf16Case{"\xFF", u"\uF8F5", "0xFF maps into the Private Use Area"},
        ToUtf16Case{"a\xFF" "b", u"a\uF8F5b", "0xFF between letters"},
        ToUtf16Case{"\xAA\xA1\xAF\xFE", u"\uE000\uE233", "user-defined area AAA1-AFFE"},
        ToUtf16Case{"\xF8\xA1\xFE\xFE", u"\uE234\uE4C5", "user-defined area F8A1-FEFE"},
        ToUtf16Case{"\xA1\x40\xA1\x7E\xA1\x80\xA7\xA0", u"\uE4C6\uE504\uE505\uE765",
                    "user-defined area A140-A7A0 skips trail 0x7F"},
        ToUtf16Case{"\xA2\xAB\xA6\xD9\xA9\x89\xD7\xFE\xFE\x50\xFE\xA0",
                    u"\uE766\uE78D\uE7E7\uE814\uE815\uE864", "other unassigned cells"},
        ToUtf16Case{"ab\x81", u"ab?", "a lead byte at the end"},
        ToUtf16Case{"\xD6", u"?", "a lone lead byte"},
        ToUtf16Case{"\x81\x30z", u"?z", "a bad trail: the pair is consumed"},
        ToUtf16Case{"\x81\x7F\xB0\xFF\xB0\xA1", u"??\u554A", "trails 0x7F and 0xFF are bad"},
        ToUtf16Case{std::string("ab\0cd", 5), u"ab", "cut at the first NUL"},
        ToUtf16Case{std::string("\x81\0x", 3), u"?", "a lead byte before the NUL is at the end"}));

struct FromUtf16Case {
  std::u16string text;
  std::string expected;
  const char* note;
};

class Cp936FromUtf16 : public testing::TestWithParam<FromUtf16Case> {};

TEST_P(Cp936FromUtf16, MatchesWindows) {
  const FromUtf16Case& c = GetParam();
  EXPECT_EQ(utf16_to_cp936(c.text), c.expected) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, Cp936FromUtf16,
    testing::Values(
        FromUtf16Case{u"", "", "empty"},
        FromUtf16Case{u"abc\r\n", "abc\r\n", "ASCII"},
        FromUtf16Case{u"警告次数黑名单", "警告次数黑名单", "common Chinese text"},
        FromUtf16Case{u"\u20AC\uF8F5", "\x80\xFF", "the single bytes 0x80 and 0xFF"},
        FromUtf16Case{u"\uE000\uE4C6\uE504\uE505\uE766\uE864",
                      "\xAA\xA1\xA1\x40\xA1\x7E\xA1\x80\xA2\xAB\xFE\xA0",
                      "Private Use Area back to its cells"},
        FromUtf16Case{u"\uAC00\u00A0\uE865", "???", "Hangul, no-break space, PUA past the cells"},
        FromUtf16Case{u"a\U0001F600b", "a??b", "one '?' per unit of a surrogate pair"},
        FromUtf16Case{u"\xD800x\xDC00", "?x?", "unpaired surrogates"},
        FromUtf16Case{u"x\xD800", "x?", "a high surrogate at the end"},
        FromUtf16Case{u"\u00B2\u00A5\uF900", "2\xA3\xA4\xD8\x4D", "best-fit characters"},
        FromUtf16Case{std::u16string(u"ab\0cd", 5), "ab", "cut at the first NUL"}));

// Every two-byte string starting with a lead byte reads as one character;
// with a valid trail it is a cell that writes back to the same two bytes.
TEST(Cp936, EveryPairReadsAsOneCharacterAndCellsRoundTrip) {
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x01; trail <= 0xFF; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string read = cp936_to_utf16(pair);
      ASSERT_EQ(read.size(), 1u) << std::hex << lead << " " << trail;
      const bool valid_trail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFE);
      if (valid_trail) {
        ASSERT_NE(read[0], u'?') << std::hex << lead << " " << trail;
        ASSERT_EQ(utf16_to_cp936(read), pair) << std::hex << lead << " " << trail;
      } else {
        ASSERT_EQ(read[0], u'?') << std::hex << lead << " " << trail;
      }
    }
  }
}

TEST(Cp936, EverySingleByteRoundTrips) {
  for (int byte = 0x01; byte <= 0xFF; ++byte) {
    if (byte >= 0x81 && byte <= 0xFE) continue;  // lead bytes
    const std::string single(1, static_cast<char>(byte));
    const std::u16string read = cp936_to_utf16(single);
    ASSERT_EQ(read.size(), 1u) << std::hex << byte;
    EXPECT_EQ(utf16_to_cp936(read), single) << std::hex << byte;
  }
}

}  // namespace
}  // namespace tarvolo
