#include "platform/posix/profile_file.h"

#include <vector>

namespace tarvolo {
namespace profile_file {
namespace {

// One line of a profile file. [begin, end) is its text, [end, next) its line
// break (CR, LF or CR LF; empty on a last line without one).
struct Line {
  // kOther: a comment (first non-blank ';') or a line without '=' and not a
  // section. Neither can be read, listed or replaced, and both survive the
  // deletion of their section.
  enum Kind { kBlank, kOther, kSection, kKey };

  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t next = 0;
  Kind kind = kBlank;
  // Section or key name, trimmed.
  std::string name;
  // Key lines: where the raw text after the '=' begins.
  std::size_t value_begin = 0;
};

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

bool is_line_break(char c) { return c == '\r' || c == '\n'; }

// A two-byte character of code page 936: lead byte 0x81-0xFE, trail byte
// 0x40-0xFE but not 0x7F. A trail byte may be '[', ']' or an ASCII letter, so
// every scan that looks for those steps over whole characters.
bool is_double_byte_at(const std::string& text, std::size_t pos, std::size_t end) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x81 || lead == 0xFF || pos + 1 >= end) return false;
  const unsigned char trail = static_cast<unsigned char>(text[pos + 1]);
  return trail >= 0x40 && trail != 0x7F && trail != 0xFF;
}

// [begin, end) without the space, TAB and VT around it.
std::string trimmed(const std::string& text, std::size_t begin, std::size_t end) {
  while (begin < end && is_blank(text[begin])) ++begin;
  while (end > begin && is_blank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// A name passed by a caller loses leading and trailing 0x20 only.
std::string argument_name(const std::string& name) {
  std::size_t begin = 0;
  std::size_t end = name.size();
  while (begin < end && name[begin] == ' ') ++begin;
  while (end > begin && name[end - 1] == ' ') --end;
  return name.substr(begin, end - begin);
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal without regard to ASCII letter case; the bytes of a two-byte
// character are compared exactly.
bool same_name(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  std::size_t pos = 0;
  while (pos < a.size()) {
    if (is_double_byte_at(a, pos, a.size())) {
      if (a[pos] != b[pos] || a[pos + 1] != b[pos + 1]) return false;
      pos += 2;
    } else {
      if (ascii_lower(a[pos]) != ascii_lower(b[pos])) return false;
      ++pos;
    }
  }
  return true;
}

Line parse_line(const std::string& file, std::size_t begin, std::size_t end, std::size_t next) {
  Line line;
  line.begin = begin;
  line.end = end;
  line.next = next;
  std::size_t first = begin;
  while (first < end && is_blank(file[first])) ++first;
  if (first == end) {
    line.kind = Line::kBlank;
  } else if (file[first] == ';') {
    line.kind = Line::kOther;
  } else if (file[first] == '[') {
    line.kind = Line::kSection;
    std::size_t close = first + 1;
    while (close < end && file[close] != ']') {
      close += is_double_byte_at(file, close, end) ? 2 : 1;
    }
    line.name = trimmed(file, first + 1, close < end ? close : end);
  } else {
    std::size_t equals = first;
    while (equals < end && file[equals] != '=') ++equals;
    if (equals == end) {
      line.kind = Line::kOther;
    } else {
      line.kind = Line::kKey;
      line.name = trimmed(file, first, equals);
      line.value_begin = equals + 1;
    }
  }
  return line;
}

std::vector<Line> parse(const std::string& file) {
  std::vector<Line> lines;
  std::size_t begin = 0;
  while (begin < file.size()) {
    std::size_t end = begin;
    while (end < file.size() && !is_line_break(file[end])) ++end;
    std::size_t next = end;
    if (next < file.size() && file[next] == '\r') ++next;
    if (next < file.size() && file[next] == '\n') ++next;
    lines.push_back(parse_line(file, begin, end, next));
    begin = next;
  }
  return lines;
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Index of the first section line named `section`, or kNone. Only this one
// counts: a later section of the same name is never read or written.
std::size_t find_section(const std::vector<Line>& lines, const std::string& section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == Line::kSection && same_name(lines[i].name, section)) return i;
  }
  return kNone;
}

// Index one past the last line of the section whose header is lines[header].
std::size_t section_end(const std::vector<Line>& lines, std::size_t header) {
  std::size_t i = header + 1;
  while (i < lines.size() && lines[i].kind != Line::kSection) ++i;
  return i;
}

// Index of the first line of the section whose key is `key`, or kNone.
std::size_t find_key(const std::vector<Line>& lines, std::size_t header, const std::string& key) {
  const std::size_t end = section_end(lines, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind == Line::kKey && same_name(lines[i].name, key)) return i;
  }
  return kNone;
}

// The value as read: trimmed, then one pair of equal surrounding quotes off.
std::string read_value(const std::string& file, const Line& line) {
  std::string value = trimmed(file, line.value_begin, line.end);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// What a buffer of `size` bytes receives: the text when it fits with its NUL,
// else its first size - 1 bytes.
std::string fit_buffer(const std::string& text, std::size_t size) {
  if (size == 0) return std::string();
  return text.size() < size ? text : text.substr(0, size - 1);
}

std::string key_line(const std::string& key, const std::string& value) {
  return key + "=" + value + "\r\n";
}

}  // namespace

GbkText get_string(const std::string& file, const GbkText& section, const GbkText& key,
                   const GbkText& default_value, std::size_t buffer_size) {
  // The default loses its trailing blanks, as Windows does.
  std::string fallback = default_value;
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();

  const std::vector<Line> lines = parse(file);
  const std::size_t header = find_section(lines, argument_name(section));
  if (header == kNone) return fit_buffer(fallback, buffer_size);
  const std::size_t found = find_key(lines, header, argument_name(key));
  if (found == kNone) return fit_buffer(fallback, buffer_size);
  return fit_buffer(read_value(file, lines[found]), buffer_size);
}

std::string section_names(const std::string& file, std::size_t buffer_size) {
  std::string names;
  for (const Line& line : parse(file)) {
    if (line.kind == Line::kSection) {
      names += line.name;
      names += '\0';
    }
  }
  // The list and its final NUL fit only when a byte is left over; otherwise
  // the buffer keeps size - 2 bytes of the list and ends with two NULs.
  if (names.size() + 1 < buffer_size) return names;
  if (buffer_size < 2) return std::string();
  return names.substr(0, buffer_size - 2);
}

std::string write_string(const std::string& file, const GbkText& section, const GbkText& key,
                         const GbkText& value) {
  const std::string section_name = argument_name(section);
  const std::string key_name = argument_name(key);
  const std::vector<Line> lines = parse(file);
  const std::size_t header = find_section(lines, section_name);
  if (header == kNone) {
    std::string result = file;
    if (!result.empty() && !is_line_break(result.back())) result += "\r\n";
    result += "[" + section_name + "]\r\n";
    result += key_line(key_name, value);
    return result;
  }

  const std::size_t found = find_key(lines, header, key_name);
  if (found != kNone) {
    // The file's own spelling of the key stays; the rest of the line is new.
    const Line& line = lines[found];
    return file.substr(0, line.begin) + key_line(line.name, value) + file.substr(line.next);
  }

  // A new key follows the last key line of the section (or its header), so
  // comments, other lines and blank lines that end the section stay after it.
  std::size_t after = header;
  const std::size_t end = section_end(lines, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind == Line::kKey) after = i;
  }
  const Line& line = lines[after];
  std::string result = file.substr(0, line.next);
  if (line.next == line.end) result += "\r\n";  // the last line had no line break
  result += key_line(key_name, value);
  result += file.substr(line.next);
  return result;
}

std::string delete_key(const std::string& file, const GbkText& section, const GbkText& key) {
  const std::vector<Line> lines = parse(file);
  const std::size_t header = find_section(lines, argument_name(section));
  if (header == kNone) return file;
  const std::size_t found = find_key(lines, header, argument_name(key));
  if (found == kNone) return file;
  return file.substr(0, lines[found].begin) + file.substr(lines[found].next);
}

std::string delete_section(const std::string& file, const GbkText& section) {
  const std::vector<Line> lines = parse(file);
  const std::size_t header = find_section(lines, argument_name(section));
  if (header == kNone) return file;
  const std::size_t end = section_end(lines, header);
  // The header and the key lines go; comments, other lines and blank lines
  // stay.
  std::string result = file.substr(0, lines[header].begin);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind != Line::kKey) {
      result.append(file, lines[i].begin, lines[i].next - lines[i].begin);
    }
  }
  if (end < lines.size()) result.append(file, lines[end].begin, std::string::npos);
  return result;
}

}  // namespace profile_file
}  // namespace tarvolo
