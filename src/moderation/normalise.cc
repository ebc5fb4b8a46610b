#include "moderation/normalise.h"

namespace tarvolo {
namespace {

// What the QQ mobile clients append to a message sent from a phone.
const char kMobileSignature[] = "(来自手机QQ:  http://mobile.qq.com/v/ )";
const char kAndroidSignature[] = "(来自手机QQ2012 [Android]: http://mobile.qq.com/v/ )";

// Drops the half-width blank, the full-width blank (0xA1 0xA1) and a lead
// byte that stands last without its second byte.
GbkText remove_blanks(const GbkText& text) {
  GbkText result;
  result.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const unsigned char byte = static_cast<unsigned char>(text[pos]);
    if (byte >= 0x80) {
      if (pos + 1 >= text.size()) break;
      if (!(byte == 0xA1 && static_cast<unsigned char>(text[pos + 1]) == 0xA1)) {
        result.append(text, pos, 2);
      }
      pos += 2;
    } else {
      if (byte != ' ') result += text[pos];
      ++pos;
    }
  }
  return result;
}

}  // namespace

GbkText normalise_message(const GbkText& message) {
  GbkText text = remove_all(message, kMobileSignature);
  text = remove_all(text, kAndroidSignature);
  text = remove_blanks(text);
  for (const char* removed : {"\r\n", "+", "\\n", "\\r", "/n", "/r", "\""}) {
    text = remove_all(text, removed);
  }
  return text;
}

}  // namespace tarvolo
