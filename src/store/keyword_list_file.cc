#include "store/keyword_list_file.h"

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

}  // namespace

// One pass over the line, character by character as find_text steps
// (a byte >= 0x80 starts a two-byte character, so a second byte that looks
// like '=' or CR belongs to its character): it stops at the first CR LF on a
// character boundary and notes the first two "====" on the way, the second
// looked for after the first one ends. Screening runs it over the whole
// list for every message, so it looks at each byte once.
bool KeywordEntryReader::next(KeywordEntryView* entry) {
  const std::string_view separator = kPieceSeparator;
  static_assert(sizeof kPieceSeparator - 1 == 4, "the scan below checks for four '='");
  const std::size_t size = list_.size();
  // The text after the last CR LF is a line only when it is not empty.
  if (position_ >= size) return false;
  const std::size_t start = position_;
  std::size_t end = size;
  std::size_t first_separator = std::string_view::npos;
  std::size_t second_separator = std::string_view::npos;
  for (std::size_t pos = start; pos < size;) {
    const char byte = list_[pos];
    if (static_cast<unsigned char>(byte) >= 0x80) {
      pos += pos + 1 < size ? 2 : 1;
    } else if (byte == '\r' && pos + 1 < size && list_[pos + 1] == '\n') {
      end = pos;
      break;
    } else if (byte == '=' && second_separator == std::string_view::npos &&
               pos + separator.size() <= size && list_[pos + 1] == '=' &&
               list_[pos + 2] == '=' && list_[pos + 3] == '=') {
      // Four '=' never hold a CR, so the separator lies inside the line.
      (first_separator == std::string_view::npos ? first_separator : second_separator) = pos;
      pos += separator.size();
    } else {
      ++pos;
    }
  }
  position_ = end == size ? end : end + 2;

  // Pieces of [start, end): the first ends at the first "====" (or the line
  // end); the second exists when a second "====" ends it or when text
  // follows the first one.
  const std::size_t first_end = first_separator == std::string_view::npos ? end : first_separator;
  entry->pattern = list_.substr(start, first_end - start);
  entry->type = std::string_view();
  entry->complete = false;
  if (first_end < end) {
    const std::size_t type_start = first_end + separator.size();
    const std::size_t type_end =
        second_separator == std::string_view::npos ? end : second_separator;
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
