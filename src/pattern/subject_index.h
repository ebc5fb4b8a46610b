// Search for plain text in the UTF-16 subject of a pattern run.
//
// Keyword screening runs every keyword of the list over the same message, and
// most keywords are plain words. SubjectIndex keeps the message together with
// the positions of each of its characters, so that the question "does this
// word occur?" only looks at the places where the word's first character
// stands instead of scanning the whole message again for every keyword.
//
// Ignoring case folds the ASCII letters only, as the Windows engine and the
// PCRE2 binding (no UCP, no UTF) do: "a" finds "A", "я" does not find "Я".
#ifndef TARVOLO_PATTERN_SUBJECT_INDEX_H_
#define TARVOLO_PATTERN_SUBJECT_INDEX_H_

#include <cstdint>
#include <string>
#include <vector>

namespace tarvolo {

// `c` with A-Z lowered; every other unit as it is.
inline char16_t fold_ascii_case(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// `text` with A-Z lowered.
std::u16string fold_ascii_case(const std::u16string& text);

// Whether `word` occurs in `text`; with ignore_case, ASCII letters compare
// without regard to case. `folded_word` is fold_ascii_case(word). The empty
// word occurs in every text, the empty one included.
bool contains_word(const std::u16string& text, const std::u16string& word,
                   const std::u16string& folded_word, bool ignore_case);

class SubjectIndex {
 public:
  // Replaces the subject; the index is built again at its first use.
  void assign(std::u16string text);
  const std::u16string& text() const { return text_; }

  // contains_word over the subject, through the index.
  bool contains(const std::u16string& word, const std::u16string& folded_word,
                bool ignore_case) const;

  // Calls `visit` with each position, left to right, whose unit with A-Z
  // lowered is `folded`, until it returns true; true when one did.
  template <typename Visit>
  bool any_position_of(char16_t folded, Visit visit) const {
    if (!indexable()) {
      for (std::size_t at = 0; at < text_.size(); ++at) {
        if (fold_ascii_case(text_[at]) == folded && visit(at)) return true;
      }
      return false;
    }
    if (!built_) build();
    for (std::int32_t pos = bucket_heads_[bucket_of(folded)]; pos >= 0;
         pos = next_position_[static_cast<std::size_t>(pos)]) {
      const std::size_t at = static_cast<std::size_t>(pos);
      if (folded_[at] == folded && visit(at)) return true;
    }
    return false;
  }

 private:
  // Positions are kept as 32-bit numbers; a longer text is scanned instead.
  bool indexable() const { return text_.size() <= 0x7FFFFFFF; }
  void build() const;
  std::size_t bucket_of(char16_t folded) const {
    return static_cast<std::uint32_t>(folded * 0x9E3779B1u) >> bucket_shift_;
  }
  static std::size_t pair_bit(char16_t first, char16_t second) {
    return ((static_cast<std::uint32_t>(first) << 16 | second) * 0x9E3779B1u) >> (32 - kPairBitsLog2);
  }
  bool may_hold_pair(char16_t first, char16_t second) const {
    const std::size_t bit = pair_bit(first, second);
    return (pairs_[bit / 64] >> (bit % 64)) & 1;
  }

  // A filter of the pairs of neighbouring folded units: most words are
  // absent, and most absent words start with a pair that the subject lacks.
  static constexpr int kPairBitsLog2 = 13;

  std::u16string text_;
  // Built on demand: the subject with A-Z lowered, and per bucket of folded
  // units a chain of the positions where such a unit stands (-1 ends it).
  mutable bool built_ = false;
  mutable std::u16string folded_;
  mutable std::vector<std::int32_t> bucket_heads_;
  mutable std::vector<std::int32_t> next_position_;
  mutable int bucket_shift_ = 32;
  mutable std::uint64_t pairs_[(1u << kPairBitsLog2) / 64] = {};
};

}  // namespace tarvolo

#endif  // TARVOLO_PATTERN_SUBJECT_INDEX_H_
