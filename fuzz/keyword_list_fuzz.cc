// Arbitrary keyword-list text: cutting it into lines and pieces never fails,
// and the lines come back in order, each one a piece of the text.
#include <cstdint>
#include <cstdlib>

#include "store/keyword_list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarvolo::GbkText list(reinterpret_cast<const char*>(data), size);
  tarvolo::keyword_list_is_empty(list);
  std::size_t searched_from = 0;
  for (const tarvolo::GbkText& line : tarvolo::keyword_lines(list)) {
    const std::size_t at = list.find(line, searched_from);
    if (at == tarvolo::GbkText::npos) std::abort();
    searched_from = at + line.size();
    const tarvolo::KeywordEntry entry = tarvolo::parse_keyword_entry(line);
    entry.pattern();
    entry.type();
  }
  return 0;
}
