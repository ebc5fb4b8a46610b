// Byte strings in code page 936 (GBK) and the few operations the plug-in
// performs on them.
//
// A byte of 0x80 or above starts a two-byte character, so every search steps
// through the text one character at a time: the second byte of a Chinese
// character (which may be 0x5C, a letter or a digit) never starts a match.
#ifndef TARVOLO_TEXT_GBK_TEXT_H_
#define TARVOLO_TEXT_GBK_TEXT_H_

#include <cstddef>
#include <string>
#include <vector>

namespace tarvolo {

// Text in code page 936 without NUL bytes.
using GbkText = std::string;

// Length in bytes of the character that starts at `text[pos]` (1 or 2; 1 for
// a lead byte that stands last).
std::size_t char_length_at(const GbkText& text, std::size_t pos);

// Position of the first occurrence of `needle` in `text` that starts on a
// character boundary at or after `from` (which must itself be a boundary),
// or GbkText::npos. An empty needle is never found.
std::size_t find_text(const GbkText& text, const GbkText& needle, std::size_t from = 0);

bool contains_text(const GbkText& text, const GbkText& needle);

// Removes every occurrence of `needle`, scanning once from the left, so that
// occurrences do not overlap and one that a removal joins together stays.
GbkText remove_all(const GbkText& text, const GbkText& needle);

// Replaces every occurrence of `needle` by `replacement`, with the same scan.
GbkText replace_all(const GbkText& text, const GbkText& needle, const GbkText& replacement);

// Cuts `text` at every occurrence of `separator`. Empty pieces are kept; the
// text after the last separator is a piece only when it is not empty; the
// empty text gives no pieces.
std::vector<GbkText> split_text(const GbkText& text, const GbkText& separator);

// Full-width ASCII forms (0xA3 0xA1..0xFE) as their ASCII characters and the
// full-width blank (0xA1 0xA1) as a blank; every other character as it is.
GbkText fold_full_width(const GbkText& text);

// Full-width ASCII forms (lead byte 0xA3) read as their ASCII characters and
// the full-width blank as a blank; then leading blanks, tabs and line breaks
// are skipped, one sign is taken and decimal digits are read up to the first
// other character. No digits gives 0; values beyond 32 bits are clamped.
int text_to_int(const GbkText& text);

// Decimal text of a signed number ("-3", "0", "12").
GbkText int_to_text(long long value);

// True when the text holds a carriage return or a line feed.
bool has_line_break(const GbkText& text);

// --- QQ-number lists -------------------------------------------------------
// One stored value holding entries in the order added, each followed by ",".
// The entries are the non-empty pieces between the commas.

// Largest value a list may reach and still be read back whole: the profile
// buffer holds 10,240 bytes including the terminating NUL.
constexpr std::size_t kMaxStoredListBytes = 10239;

bool qq_list_contains(const GbkText& list, const GbkText& qq);

// The list with `qq` + "," appended. A hand-edited list that does not end
// with "," gets one first so that the new entry does not run into the last.
GbkText qq_list_append(const GbkText& list, const GbkText& qq);

// The list without every entry equal to `qq`; the other pieces keep their
// order, each followed by ",".
GbkText qq_list_remove(const GbkText& list, const GbkText& qq);

// True when `qq_list_append(list, qq)` still fits the read limit.
bool qq_list_has_room(const GbkText& list, const GbkText& qq);

}  // namespace tarvolo

#endif  // TARVOLO_TEXT_GBK_TEXT_H_
