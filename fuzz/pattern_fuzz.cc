// libFuzzer target for the pattern translator and PCRE2 program: any pattern
// and subject (UTF-16, little-endian byte pairs) with any options must give
// an answer without crashing, within the match bounds, and
//   - a pattern the translator accepts compiles in PCRE2 unless it runs
//     into PCRE2's own size or nesting limits;
//   - the count with global off is the first match of the global count;
//   - the first-match shortcuts (with and without the subject index) answer
//     0 or 1. They are compared with the whole pattern by
//     tests/pattern/first_match_shortcuts_test.cc on subjects too short to
//     reach a match bound; here a bound may end the whole pattern's search
//     early where an anchored shortcut search goes on, so only their range
//     is checked.
//
// Input: one options byte (bit 0 ignore case, bit 1 multiline), then the
// pattern, a separator unit 0xFFFF, and the subject.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include "pattern/pcre2_program.h"
#include "pattern/subject_index.h"

namespace {

std::u16string units(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  }
  return text;
}

bool is_pcre2_resource_limit(int error) {
  return error == PCRE2_ERROR_PARENTHESES_NEST_TOO_DEEP || error == PCRE2_ERROR_PATTERN_TOO_LARGE ||
         error == PCRE2_ERROR_PATTERN_TOO_COMPLICATED || error == PCRE2_ERROR_TOO_MANY_CAPTURES ||
         error == PCRE2_ERROR_HEAP_FAILED;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool ignore_case = data[0] & 1;
  const bool multiline = data[0] & 2;
  const std::u16string input = units(data + 1, size - 1);
  const std::size_t separator = input.find(u'\xFFFF');
  const std::u16string pattern = input.substr(0, separator);
  const std::u16string subject =
      separator == std::u16string::npos ? std::u16string() : input.substr(separator + 1);

  const tarvolo::Pcre2Program program(pattern, ignore_case, multiline);
  if (program.status() == tarvolo::Pcre2Program::Status::kPcre2Refused &&
      !is_pcre2_resource_limit(program.pcre2_error())) {
    std::abort();  // the translation produced syntax PCRE2 does not accept
  }
  const int first = program.count_matches_of_whole_pattern(subject, false);
  const int all = program.count_matches_of_whole_pattern(subject, true);
  if (first != (all > 0 ? 1 : 0)) std::abort();
  if (static_cast<std::size_t>(all) > subject.size() + 1) std::abort();
  tarvolo::SubjectIndex index;
  index.assign(subject);
  const int shortcut = program.count_matches(subject, false);
  const int indexed = program.count_matches(index, false);
  if (shortcut < 0 || shortcut > 1 || indexed != shortcut) std::abort();
  return 0;
}
