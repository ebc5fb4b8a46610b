#include "pattern/subject_index.h"

#include <algorithm>
#include <iterator>


namespace tarvolo {
namespace {

// Whether `word` stands at `pos` of `text` (which has room for it), `first`
// units of it already being known to agree.
bool word_at(const char16_t* text, std::size_t pos, const std::u16string& word,
             std::size_t first) {
  // Keywords are a few characters long: a plain loop beats a call to memcmp.
  for (std::size_t k = first; k < word.size(); ++k) {
    if (text[pos + k] != word[k]) return false;
  }
  return true;
}

}  // namespace

std::u16string fold_ascii_case(const std::u16string& text) {
  std::u16string folded(text);
  for (char16_t& c : folded) c = fold_ascii_case(c);
  return folded;
}

bool contains_word(const std::u16string& text, const std::u16string& word,
                   const std::u16string& folded_word, bool ignore_case) {
  if (word.empty()) return true;
  if (word.size() > text.size()) return false;
  const std::size_t last_start = text.size() - word.size();
  if (!ignore_case) return text.find(word) != std::u16string::npos;
  const char16_t first = folded_word[0];
  for (std::size_t pos = 0; pos <= last_start; ++pos) {
    if (fold_ascii_case(text[pos]) != first) continue;
    std::size_t k = 1;
    while (k < word.size() && fold_ascii_case(text[pos + k]) == folded_word[k]) ++k;
    if (k == word.size()) return true;
  }
  return false;
}

void SubjectIndex::assign(std::u16string text) {
  text_ = std::move(text);
  built_ = false;
}

void SubjectIndex::build() const {
  const std::size_t n = text_.size();
  folded_ = fold_ascii_case(text_);
  // At least two buckets per unit, so that chains stay short.
  std::size_t buckets = 16;
  int shift = 28;
  while (buckets < 2 * n && shift > 8) {
    buckets *= 2;
    --shift;
  }
  bucket_shift_ = shift;
  bucket_heads_.assign(buckets, -1);
  next_position_.resize(n);
  std::fill(std::begin(pairs_), std::end(pairs_), 0);
  for (std::size_t pos = 0; pos + 1 < n; ++pos) {
    const std::size_t bit = pair_bit(folded_[pos], folded_[pos + 1]);
    pairs_[bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
  // Backwards, so that every chain runs from left to right.
  for (std::size_t pos = n; pos-- > 0;) {
    std::int32_t& head = bucket_heads_[bucket_of(folded_[pos])];
    next_position_[pos] = head;
    head = static_cast<std::int32_t>(pos);
  }
  built_ = true;
}

bool SubjectIndex::contains(const std::u16string& word, const std::u16string& folded_word,
                            bool ignore_case) const {
  if (word.empty()) return true;
  if (word.size() > text_.size()) return false;
  if (!indexable()) return contains_word(text_, word, folded_word, ignore_case);
  if (!built_) build();
  if (word.size() >= 2 && !may_hold_pair(folded_word[0], folded_word[1])) return false;
  const std::size_t last_start = text_.size() - word.size();
  const char16_t first = folded_word[0];
  // Every position whose folded unit is the word's folded first unit; an
  // exact match needs that too.
  const char16_t* compared = ignore_case ? folded_.data() : text_.data();
  const std::u16string& wanted = ignore_case ? folded_word : word;
  for (std::int32_t pos = bucket_heads_[bucket_of(first)]; pos >= 0;
       pos = next_position_[static_cast<std::size_t>(pos)]) {
    const std::size_t at = static_cast<std::size_t>(pos);
    if (at > last_start) break;  // the chain runs left to right
    if (folded_[at] != first) continue;
    if (word_at(compared, at, wanted, 0)) return true;
  }
  return false;
}

}  // namespace tarvolo
