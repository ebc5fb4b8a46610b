#include "store/keyword_list_file.h"

#include <cstring>
#include <string>

namespace tarvolo {

const char kAccumulatingKeywordType[] = "累积关键词";
const char kDirectRemovalKeywordType[] = "直接踢出";

namespace {

const char kFileName[] = "关键词.txt";
const char kLineEnd[] = "\r\n";
const char kPieceSeparator[] = "====";

// The file's bytes cut in two at the first NUL: the list the plug-in reads,
// and whatever follows (a NUL and the rest, for instance a file saved by hand
// in a 16-bit encoding). The writers keep the second part as it is after the
// list they rewrite, so that an edit never destroys bytes the plug-in cannot
// read.
struct StoredList {
  GbkText list;
  std::string beyond_nul;
};

StoredList read_stored_list(Env& env, const GbkText& path) {
  std::string bytes;
  if (!env.read_file(path, &bytes)) return StoredList{};
  const std::size_t nul = bytes.find('\0');
  if (nul == std::string::npos) return StoredList{bytes, std::string()};
  return StoredList{bytes.substr(0, nul), bytes.substr(nul)};
}

bool ends_with_line_end(const GbkText& list) {
  return list.size() >= 2 && list.compare(list.size() - 2, 2, kLineEnd) == 0;
}

// Position of the first `needle` in text[from, end) that starts on a
// character boundary (from must be one), or end. The same boundaries as
// find_text's stepping, found faster because screening runs it over the
// whole list for every message: memchr finds each candidate first byte, and
// the candidate starts a character unless an odd number of bytes >= 0x80
// stand right before it (a character always starts after a byte below 0x80,
// whether that byte was a character or the second byte of one, and from
// there the bytes >= 0x80 pair up into characters). The needles here start
// with an ASCII byte, so the bytes looked at behind one candidate stop at
// the candidate before it, and the search stays linear.
std::size_t find_in(std::string_view text, std::size_t from, std::size_t end,
                    std::string_view needle) {
  const char first = needle[0];
  std::size_t pos = from;
  while (pos < end) {
    const void* hit = std::memchr(text.data() + pos, first, end - pos);
    if (hit == nullptr) return end;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    std::size_t high_bytes_before = 0;
    while (at - high_bytes_before > from &&
           static_cast<unsigned char>(text[at - high_bytes_before - 1]) >= 0x80) {
      ++high_bytes_before;
    }
    if (high_bytes_before % 2 == 0 && end - at >= needle.size() &&
        text.compare(at, needle.size(), needle) == 0) {
      return at;
    }
    pos = at + 1;
  }
  return end;
}

}  // namespace

bool KeywordEntryReader::next(KeywordEntryView* entry) {
  const std::string_view line_end = kLineEnd;
  const std::string_view separator = kPieceSeparator;
  // The text after the last CR LF is a line only when it is not empty.
  if (position_ >= list_.size()) return false;
  const std::size_t start = position_;
  const std::size_t end = find_in(list_, start, list_.size(), line_end);
  position_ = end == list_.size() ? end : end + line_end.size();

  // Pieces of [start, end): the first ends at the first "====" (or the line
  // end); the second exists when a second "====" ends it or when text
  // follows the first one.
  const std::size_t first_end = find_in(list_, start, end, separator);
  entry->pattern = list_.substr(start, first_end - start);
  entry->type = std::string_view();
  entry->complete = false;
  if (first_end < end) {
    const std::size_t type_start = first_end + separator.size();
    const std::size_t type_end = find_in(list_, type_start, end, separator);
    entry->type = list_.substr(type_start, type_end - type_start);
    entry->complete = type_end < end || type_start < end;
  }
  return true;
}

std::vector<GbkText> keyword_lines(const GbkText& list) { return split_text(list, kLineEnd); }

KeywordEntry parse_keyword_entry(const GbkText& line) {
  return KeywordEntry{split_text(line, kPieceSeparator)};
}

bool keyword_list_is_empty(const GbkText& list) { return list.empty() || list == kLineEnd; }

KeywordListFile::KeywordListFile(const ConfigDir& config)
    : env_(*config.env), path_(config.file(kFileName)) {}

GbkText KeywordListFile::read_keyword_list() const { return read_stored_list(env_, path_).list; }

void KeywordListFile::append_keyword_entry(const GbkText& pattern, const GbkText& type) const {
  StoredList stored = read_stored_list(env_, path_);
  // A list edited by hand may lack the CR LF after its last line; the new
  // entry gets a line of its own instead of running into that one.
  if (!stored.list.empty() && !ends_with_line_end(stored.list)) stored.list += kLineEnd;
  stored.list += pattern + kPieceSeparator + type + kLineEnd;
  env_.write_file(path_, stored.list + stored.beyond_nul);
}

void KeywordListFile::remove_keyword_entries(
    const std::vector<std::pair<GbkText, GbkText>>& pairs) const {
  const StoredList stored = read_stored_list(env_, path_);

  std::vector<GbkText> removed_lines;
  removed_lines.reserve(pairs.size());
  for (const auto& pair : pairs) removed_lines.push_back(pair.first + kPieceSeparator + pair.second);

  // Whole lines only: an entry's text is compared with each line from its
  // start, so removing ab====直接踢出 leaves the line xab====直接踢出 whole.
  // The last line is removed too when it lacks its CR LF, since it reads as
  // the same entry.
  GbkText kept;
  kept.reserve(stored.list.size());
  std::size_t start = 0;
  while (start < stored.list.size()) {
    const std::size_t line_end = find_text(stored.list, kLineEnd, start);
    const std::size_t content_end = line_end == GbkText::npos ? stored.list.size() : line_end;
    const std::size_t next = line_end == GbkText::npos ? stored.list.size() : line_end + 2;
    const GbkText line = stored.list.substr(start, content_end - start);
    bool remove = false;
    for (const GbkText& removed : removed_lines) {
      if (line == removed) {
        remove = true;
        break;
      }
    }
    if (!remove) kept.append(stored.list, start, next - start);
    start = next;
  }
  // Written once, whether or not anything went.
  env_.write_file(path_, kept + stored.beyond_nul);
}

}  // namespace tarvolo
