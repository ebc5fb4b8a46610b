#include "text/gbk_text.h"

#include <climits>

namespace tarvolo {

std::size_t char_length_at(const GbkText& text, std::size_t pos) {
  const unsigned char byte = static_cast<unsigned char>(text[pos]);
  return (byte >= 0x80 && pos + 1 < text.size()) ? 2 : 1;
}

std::size_t find_text(const GbkText& text, const GbkText& needle, std::size_t from) {
  if (needle.empty()) return GbkText::npos;
  for (std::size_t pos = from; pos < text.size(); pos += char_length_at(text, pos)) {
    // The first byte decides most positions without a call to compare.
    if (text[pos] == needle[0] && text.compare(pos, needle.size(), needle) == 0) return pos;
  }
  return GbkText::npos;
}

bool contains_text(const GbkText& text, const GbkText& needle) {
  return find_text(text, needle) != GbkText::npos;
}

GbkText replace_all(const GbkText& text, const GbkText& needle, const GbkText& replacement) {
  if (needle.empty()) return text;
  GbkText result;
  result.reserve(text.size());
  std::size_t copied = 0;
  for (std::size_t pos = find_text(text, needle); pos != GbkText::npos;
       pos = find_text(text, needle, pos + needle.size())) {
    result.append(text, copied, pos - copied);
    result += replacement;
    copied = pos + needle.size();
  }
  result.append(text, copied, GbkText::npos);
  return result;
}

GbkText remove_all(const GbkText& text, const GbkText& needle) {
  return replace_all(text, needle, GbkText());
}

std::vector<GbkText> split_text(const GbkText& text, const GbkText& separator) {
  std::vector<GbkText> pieces;
  if (separator.empty()) {
    if (!text.empty()) pieces.push_back(text);
    return pieces;
  }
  std::size_t start = 0;
  for (std::size_t pos = find_text(text, separator); pos != GbkText::npos;
       pos = find_text(text, separator, start)) {
    pieces.push_back(text.substr(start, pos - start));
    start = pos + separator.size();
  }
  if (start < text.size()) pieces.push_back(text.substr(start));
  return pieces;
}

GbkText fold_full_width(const GbkText& text) {
  GbkText folded;
  folded.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = char_length_at(text, pos);
    if (length == 2) {
      const unsigned char lead = static_cast<unsigned char>(text[pos]);
      const unsigned char trail = static_cast<unsigned char>(text[pos + 1]);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        folded += static_cast<char>(trail - 0x80);
      } else if (lead == 0xA1 && trail == 0xA1) {
        folded += ' ';
      } else {
        folded.append(text, pos, 2);
      }
    } else {
      folded += text[pos];
    }
    pos += length;
  }
  return folded;
}

namespace {

bool is_white_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

int text_to_int(const GbkText& text) {
  const GbkText folded = fold_full_width(text);
  std::size_t pos = 0;
  while (pos < folded.size() && is_white_space(folded[pos])) ++pos;
  bool negative = false;
  if (pos < folded.size() && (folded[pos] == '+' || folded[pos] == '-')) {
    negative = folded[pos] == '-';
    ++pos;
  }
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; pos < folded.size() && folded[pos] >= '0' && folded[pos] <= '9'; ++pos) {
    magnitude = magnitude * 10 + (folded[pos] - '0');
    if (magnitude > limit) magnitude = limit;  // clamp, and keep reading digits
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

GbkText int_to_text(long long value) { return std::to_string(value); }

bool has_line_break(const GbkText& text) {
  return text.find_first_of("\r\n") != GbkText::npos;
}

namespace {
const GbkText kListSeparator = ",";
}

bool qq_list_contains(const GbkText& list, const GbkText& qq) {
  if (qq.empty()) return false;
  for (const GbkText& entry : split_text(list, kListSeparator)) {
    if (entry == qq) return true;
  }
  return false;
}

GbkText qq_list_append(const GbkText& list, const GbkText& qq) {
  GbkText result = list;
  if (!result.empty() && result.back() != ',') result += ',';
  return result + qq + ",";
}

GbkText qq_list_remove(const GbkText& list, const GbkText& qq) {
  GbkText result;
  for (const GbkText& entry : split_text(list, kListSeparator)) {
    if (entry == qq) continue;
    result += entry;
    result += ',';
  }
  return result;
}

bool qq_list_has_room(const GbkText& list, const GbkText& qq) {
  return qq_list_append(list, qq).size() <= kMaxStoredListBytes;
}

}  // namespace tarvolo
