// config/关键词.txt: the keyword list all groups share, one entry a line:
// pattern + "====" + type + CR LF, in code page 936. The file is always read
// and written whole.
#ifndef TARVOLO_STORE_KEYWORD_LIST_FILE_H_
#define TARVOLO_STORE_KEYWORD_LIST_FILE_H_

#include <string_view>
#include <utility>
#include <vector>

#include "store/config_dir.h"
#include "text/gbk_text.h"

namespace tarvolo {

extern const char kAccumulatingKeywordType[];  // "累积关键词"
extern const char kDirectRemovalKeywordType[]; // "直接踢出"

// One line of the list: its pieces cut at "====". The pattern is the first
// piece, the type the second; a line with fewer than two pieces is
// incomplete (never written by the plug-in, possible in a hand-edited file).
struct KeywordEntry {
  std::vector<GbkText> pieces;

  bool complete() const { return pieces.size() >= 2; }
  GbkText pattern() const { return pieces.empty() ? GbkText() : pieces[0]; }
  GbkText type() const { return pieces.size() < 2 ? GbkText() : pieces[1]; }
};

// The lines of a list text, cut at CR LF by the splitting rule.
std::vector<GbkText> keyword_lines(const GbkText& list);
KeywordEntry parse_keyword_entry(const GbkText& line);

// One line of a list as screening needs it: its first two pieces, seen in
// place in the list text (valid while that text lives and is unchanged).
struct KeywordEntryView {
  std::string_view pattern;
  std::string_view type;
  bool complete = false;  // two pieces or more
};

// Walks the lines of a list text with the same lines and pieces as
// keyword_lines and parse_keyword_entry, without copying them: screening
// reads the whole list for every message.
class KeywordEntryReader {
 public:
  explicit KeywordEntryReader(std::string_view list) : list_(list) {}
  // The next line; false after the last one.
  bool next(KeywordEntryView* entry);

 private:
  std::string_view list_;
  std::size_t position_ = 0;
};
// True for the empty text and for exactly "\r\n".
bool keyword_list_is_empty(const GbkText& list);

class KeywordListFile {
 public:
  explicit KeywordListFile(const ConfigDir& config);

  // The file's text up to its first NUL; the empty text when it is missing.
  GbkText read_keyword_list() const;
  void append_keyword_entry(const GbkText& pattern, const GbkText& type) const;
  // Removes every line equal to each (pattern, type) pair and writes the
  // file once.
  void remove_keyword_entries(const std::vector<std::pair<GbkText, GbkText>>& pairs) const;

 private:
  Env& env_;
  GbkText path_;
};

}  // namespace tarvolo

#endif  // TARVOLO_STORE_KEYWORD_LIST_FILE_H_
