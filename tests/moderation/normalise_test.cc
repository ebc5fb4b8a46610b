#include "moderation/normalise.h"

#include <gtest/gtest.h>

namespace tarvolo {
namespace {

const char kSignatureA[] = "(来自手机QQ:  http://mobile.qq.com/v/ )";
const char kSignatureB[] = "(来自手机QQ2012 [Android]: http://mobile.qq.com/v/ )";

struct NormaliseCase {
  GbkText message;
  GbkText expected;
};

TEST(NormaliseMessage, RemovesWhatCommandsAndScreeningMustNotSee) {
  const NormaliseCase cases[] = {
      {"", ""},
      {"#添加管理员 10001", "#添加管理员10001"},
      {"1+1", "11"},
      {GbkText("hello") + kSignatureA, "hello"},
      {GbkText("hi") + kSignatureB, "hi"},
      // Typed without its blanks the signature is no signature: only the
      // blank removal touches it.
      {"(来自手机QQ:http://mobile.qq.com/v/)", "(来自手机QQ:http://mobile.qq.com/v/)"},
      {"a\nb\tc", "a\nb\tc"},          // a lone line feed and a tab stay
      {"a\r\nb", "ab"},
      {"a\rb", "a\rb"},
      {"a\\nb\\rc", "abc"},            // typed backslash-n and backslash-r
      {"a/nb/rc", "abc"},
      {"a/Nb", "a/Nb"},                // compared byte for byte
      {"\"quoted\"", "quoted"},
      {"广告　加群", "广告加群"},       // full-width blank
      {"\x95\x5Cn", "\x95\x5Cn"},       // 0x5C as a second byte is no backslash
      {"  \r\n \r\n　", ""},
      {"ab\xB0", "ab"},                 // a lead byte without its second byte
      {"\\\\nn", "\\n"},                // one pass: the joined "\n" stays...
      {"/\\nn", ""},                    // ...but a later step still removes "/n"
  };
  for (const NormaliseCase& c : cases) {
    EXPECT_EQ(normalise_message(c.message), c.expected) << ::testing::PrintToString(c.message);
  }
}

}  // namespace
}  // namespace tarvolo
