// The translation reads the pattern the way VBScript.RegExp's parser does
// (its leniencies included: a '{' that does not start a quantifier is a
// literal, an unknown escape is the escaped character, \N beyond the number
// of groups is octal, a class escape before '-' does not start a range) and
// writes PCRE2 syntax that leaves PCRE2 nothing to interpret differently.
//
// Where Windows' documented behaviour and Wine's implementation differ, the
// translation follows Windows: \x and \u with too few hex digits are the
// letter itself, also when the pattern ends inside the escape (Wine then
// takes the digits read). Inside a class, where only Wine's behaviour is
// known, it follows Wine: too few hex digits before the ']' give the value of
// the digits read, and a non-hex character after \x or \u turns the escape
// into a backslash.
#include "pattern/ecmascript_to_pcre2.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarvolo {
namespace {

constexpr long kMaxRepeat = 65535;  // the largest count in {n,m}

// ECMAScript's line terminators: \n, \r, U+2028, U+2029.
constexpr char16_t kDot[] = u"[^\\x{a}\\x{d}\\x{2028}\\x{2029}]";
constexpr char16_t kLineStart[] = u"(?<![^\\x{a}\\x{d}\\x{2028}\\x{2029}])";
constexpr char16_t kLineEnd[] = u"(?![^\\x{a}\\x{d}\\x{2028}\\x{2029}])";
constexpr char16_t kTextStart[] = u"\\A";
constexpr char16_t kTextEnd[] = u"\\z";
constexpr char16_t kNothing[] = u"[^\\x{0}-\\x{ffff}]";
constexpr char16_t kAnything[] = u"[\\x{0}-\\x{ffff}]";

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool is_octal_digit(char16_t c) { return c >= u'0' && c <= u'7'; }
bool is_ascii_letter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

int hex_digit_value(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

void append_hex_char(char16_t c, std::u16string* out) {
  static constexpr char16_t kHex[] = u"0123456789abcdef";
  out->append(u"\\x{");
  bool started = false;
  for (int shift = 12; shift >= 0; shift -= 4) {
    const int digit = (c >> shift) & 0xF;
    if (digit != 0 || started || shift == 0) {
      out->push_back(kHex[digit]);
      started = true;
    }
  }
  out->push_back(u'}');
}

// A literal character: letters and digits as they are (ignore case applies
// to them), everything else as \x{...} so that no character can take on a
// PCRE2 meaning.
void append_literal(char16_t c, std::u16string* out) {
  if (is_ascii_letter(c) || is_digit(c)) {
    out->push_back(c);
  } else {
    append_hex_char(c, out);
  }
}

void append_number(long value, std::u16string* out) {
  for (const char digit : std::to_string(value)) out->push_back(static_cast<char16_t>(digit));
}

class Translator {
 public:
  Translator(const std::u16string& pattern, bool multiline)
      : s_(pattern), n_(pattern.size()), multiline_(multiline) {}

  bool run(std::u16string* out, FirstMatchForm* first_match) {
    group_count_ = count_capturing_groups();
    alternatives_.assign(1, {});
    if (!disjunction(0)) return false;
    if (first_match != nullptr) make_first_match_form(first_match);
    *out = std::move(out_);
    return true;
  }

 private:
  enum class Repeat { kNone, kValid, kInvalid };

  // What the last term was made of, for the first-match form.
  enum class Atom { kOther, kDot, kLiteral, kClass, kAssertion };
  enum class Quantifier { kNone, kStar, kOther };  // kStar: '*' or '*?'

  // A term of a top-level alternative and the span of its translation.
  struct TopLevelTerm {
    std::size_t begin = 0;
    std::size_t end = 0;
    Atom atom = Atom::kOther;
    Quantifier quantifier = Quantifier::kNone;
    long min_repeat = 1;  // the quantifier's minimum (1 without one)
    char16_t literal = 0;
    std::u16string class_members;  // kClass: every character the class matches

    bool is_run_of_dots() const { return atom == Atom::kDot && quantifier == Quantifier::kStar; }
    bool is_plain_character() const {
      return atom == Atom::kLiteral && quantifier == Quantifier::kNone;
    }
  };

  // The pattern without the runs of dots at either end of each top-level
  // alternative, joined by '|' again.
  void make_first_match_form(FirstMatchForm* form) const {
    form->pattern.clear();
    form->literal.clear();
    form->is_literal = alternatives_.size() == 1;
    for (std::size_t a = 0; a < alternatives_.size(); ++a) {
      const std::vector<TopLevelTerm>& terms = alternatives_[a];
      std::size_t first = 0;
      std::size_t last = terms.size();
      while (first < last && terms[first].is_run_of_dots()) ++first;
      while (last > first && terms[last - 1].is_run_of_dots()) --last;
      if (a > 0) form->pattern.push_back(u'|');
      for (std::size_t t = first; t < last; ++t) {
        form->pattern.append(out_, terms[t].begin, terms[t].end - terms[t].begin);
        if (!terms[t].is_plain_character()) form->is_literal = false;
        if (form->is_literal) form->literal.push_back(terms[t].literal);
      }
    }
    if (!form->is_literal) form->literal.clear();
    if (!form->is_literal) {
      form->first_characters_known = true;
      form->second_characters_known = true;
      form->first_characters.clear();
      form->second_characters.clear();
      for (const std::vector<TopLevelTerm>& terms : alternatives_) {
        if (!add_first_characters(terms, &form->first_characters, &form->second_characters,
                                  &form->second_characters_known) ||
            form->first_characters.size() > kMaxFirstCharacters) {
          form->first_characters_known = false;
          form->first_characters.clear();
          break;
        }
        if (form->second_characters.size() > kMaxFirstCharacters) {
          form->second_characters_known = false;
        }
      }
      if (!form->first_characters_known) form->second_characters_known = false;
      if (!form->second_characters_known) form->second_characters.clear();
    }
  }

  // The characters a literal or class term matches.
  static const std::u16string& members_of(const TopLevelTerm& term, std::u16string* single) {
    if (term.atom == Atom::kClass) return term.class_members;
    single->assign(1, term.literal);
    return *single;
  }

  // Adds the characters that can start a match of one alternative (runs of
  // dots at its ends taken off), skipping the assertions before its first
  // character; false when that is not known, or when the alternative may
  // match the empty text. While *second_known, also adds the characters
  // that can stand second in such a match, or clears *second_known when that
  // is not known: the same class or character again when the first term
  // needs at least two of them, else, for a first term without a quantifier,
  // what the next term (assertions skipped) starts with when it needs at
  // least one.
  static bool add_first_characters(const std::vector<TopLevelTerm>& terms, std::u16string* out,
                                   std::u16string* second, bool* second_known) {
    auto is_character_term = [](const TopLevelTerm& term) {
      return term.min_repeat >= 1 && (term.atom == Atom::kLiteral || term.atom == Atom::kClass);
    };
    auto next_non_assertion = [&terms](std::size_t t) {
      while (t < terms.size() && terms[t].atom == Atom::kAssertion) ++t;
      return t;
    };
    std::size_t first = 0;
    while (first < terms.size() && terms[first].is_run_of_dots()) ++first;
    const std::size_t t = next_non_assertion(first);
    if (t == terms.size() || !is_character_term(terms[t])) return false;
    std::u16string single;
    out->append(members_of(terms[t], &single));
    if (!*second_known) return true;
    if (terms[t].min_repeat >= 2) {
      second->append(members_of(terms[t], &single));
      return true;
    }
    const std::size_t u = next_non_assertion(t + 1);
    if (terms[t].quantifier == Quantifier::kNone && u < terms.size() &&
        is_character_term(terms[u])) {
      second->append(members_of(terms[u], &single));
      return true;
    }
    *second_known = false;
    return true;
  }

  // A literal character as the atom of the current term.
  void literal_atom(char16_t c) {
    last_atom_ = Atom::kLiteral;
    last_literal_ = c;
    append_literal(c, &out_);
  }

  // A quantifier {min}, {min,} or {min,max} that starts at a '{'.
  struct Braces {
    Repeat kind = Repeat::kNone;
    long min = 0;
    long max = 0;
    bool unbounded = false;
    std::size_t end = 0;  // just after the '}'
  };

  // One member of a class: a character or a class escape (\d, \W, ...).
  struct ClassAtom {
    char16_t value = 0;
    char16_t escape = 0;
  };

  // Position of the ']' that closes a class whose body starts at `i`, or npos.
  std::size_t class_end(std::size_t i) const {
    while (i < n_) {
      if (s_[i] == u'\\') {
        i += 2;
        continue;
      }
      if (s_[i] == u']') return i;
      ++i;
    }
    return std::u16string::npos;
  }

  bool starts_special_group(std::size_t i) const {
    return i + 1 < n_ && s_[i] == u'?' && (s_[i + 1] == u':' || s_[i + 1] == u'=' || s_[i + 1] == u'!');
  }

  // Backreference numbers are judged against the groups of the whole pattern.
  int count_capturing_groups() const {
    int count = 0;
    for (std::size_t i = 0; i < n_; ++i) {
      if (s_[i] == u'\\') {
        ++i;
      } else if (s_[i] == u'[') {
        const std::size_t close = class_end(i + 1);
        if (close == std::u16string::npos) break;
        i = close;
      } else if (s_[i] == u'(' && !starts_special_group(i + 1)) {
        ++count;
      }
    }
    return count;
  }

  // Alternatives up to the end of the pattern (depth 0) or up to the ')'
  // of the enclosing group, which is left for the caller.
  bool disjunction(int depth) {
    if (depth > kMaxGroupNesting) return false;
    for (;;) {
      while (i_ < n_ && s_[i_] != u'|' && s_[i_] != u')') {
        TopLevelTerm recorded;
        recorded.begin = out_.size();
        if (!term(depth)) return false;
        if (depth == 0) {
          recorded.end = out_.size();
          recorded.atom = last_atom_;
          recorded.quantifier = last_quantifier_;
          recorded.min_repeat = last_min_repeat_;
          recorded.literal = last_literal_;
          if (last_atom_ == Atom::kClass) recorded.class_members = std::move(last_class_members_);
          alternatives_.back().push_back(std::move(recorded));
        }
      }
      if (i_ == n_) return depth == 0;  // else a '(' is never closed
      if (s_[i_] == u')') return depth > 0;  // else an unmatched ')'
      out_.push_back(u'|');
      ++i_;
      if (depth == 0) alternatives_.emplace_back();
    }
  }

  bool term(int depth) {
    last_atom_ = Atom::kOther;
    last_quantifier_ = Quantifier::kNone;
    last_min_repeat_ = 1;
    const char16_t c = s_[i_++];
    switch (c) {
      // Assertions take no quantifier: one that follows starts the next term
      // and is rejected there.
      case u'^':
        out_.append(multiline_ ? kLineStart : kTextStart);
        last_atom_ = Atom::kAssertion;
        return true;
      case u'$':
        out_.append(multiline_ ? kLineEnd : kTextEnd);
        last_atom_ = Atom::kAssertion;
        return true;
      case u'\\': {
        if (i_ == n_) return false;  // a trailing backslash
        const char16_t e = s_[i_++];
        if (e == u'b' || e == u'B') {
          out_.push_back(u'\\');
          out_.push_back(e);
          last_atom_ = Atom::kAssertion;
          return true;
        }
        atom_escape(e);
        break;
      }
      case u'(': {
        const bool lookahead = starts_special_group(i_) && s_[i_ + 1] != u':';
        if (starts_special_group(i_)) {
          out_.append(u"(?");
          out_.push_back(s_[i_ + 1]);
          i_ += 2;
        } else {
          // Also "(?" followed by anything else: the '?' then has nothing to
          // repeat, which rejects (?<=, (?<name>, (?i), (?#, (?>, ...
          out_.push_back(u'(');
        }
        if (!disjunction(depth + 1)) return false;
        out_.push_back(u')');
        ++i_;
        // A group, whatever its last inner term was; a lookahead matches
        // no character, with or without a quantifier.
        last_atom_ = lookahead ? Atom::kAssertion : Atom::kOther;
        last_quantifier_ = Quantifier::kNone;
        last_min_repeat_ = 1;
        break;
      }
      case u'[':
        if (!character_class()) return false;
        break;  // character_class() marks the term kClass when it lists its members
      case u'.':
        out_.append(kDot);
        last_atom_ = Atom::kDot;
        break;
      case u'*':
      case u'+':
      case u'?':
        return false;  // nothing to repeat (also a**, a*+, a???)
      case u'{':
        if (read_braces(i_ - 1, /*check_values=*/false).kind != Repeat::kNone) return false;
        literal_atom(c);
        break;
      default:
        literal_atom(c);
        break;
    }
    return quantifier();
  }

  // An optional quantifier after an atom, with its optional lazy '?'.
  bool quantifier() {
    if (i_ == n_) return true;
    const char16_t c = s_[i_];
    if (c == u'*' || c == u'+' || c == u'?') {
      out_.push_back(c);
      ++i_;
      last_quantifier_ = c == u'*' ? Quantifier::kStar : Quantifier::kOther;
      last_min_repeat_ = c == u'+' ? 1 : 0;
    } else if (c == u'{') {
      const Braces braces = read_braces(i_, /*check_values=*/true);
      if (braces.kind == Repeat::kInvalid) return false;
      if (braces.kind == Repeat::kNone) return true;  // the '{' is a literal
      out_.push_back(u'{');
      append_number(braces.min, &out_);
      if (braces.unbounded || braces.max != braces.min) {
        out_.push_back(u',');
        if (!braces.unbounded) append_number(braces.max, &out_);
      }
      out_.push_back(u'}');
      i_ = braces.end;
      last_quantifier_ = Quantifier::kOther;
      last_min_repeat_ = braces.min;
    } else {
      return true;
    }
    if (i_ < n_ && s_[i_] == u'?') {
      out_.push_back(u'?');
      ++i_;
    }
    return true;
  }

  // Decimal digits from `*i` on; saturates above kMaxRepeat.
  long read_count(std::size_t* i) const {
    long value = 0;
    while (*i < n_ && is_digit(s_[*i])) {
      if (value <= kMaxRepeat) value = value * 10 + (s_[*i] - u'0');
      ++*i;
    }
    return value;
  }

  // Reads {min}, {min,} or {min,max} at the '{' at `at`. A count above 65535
  // or min > max is an error as soon as it is read (before the '}'), when
  // `check_values` is set.
  Braces read_braces(std::size_t at, bool check_values) const {
    Braces braces;
    std::size_t i = at + 1;
    if (i >= n_ || !is_digit(s_[i])) return braces;
    braces.min = read_count(&i);
    if (check_values && braces.min > kMaxRepeat) {
      braces.kind = Repeat::kInvalid;
      return braces;
    }
    braces.max = braces.min;
    if (i < n_ && s_[i] == u',') {
      ++i;
      if (i < n_ && is_digit(s_[i])) {
        braces.max = read_count(&i);
        if (check_values && (braces.max > kMaxRepeat || braces.min > braces.max)) {
          braces.kind = Repeat::kInvalid;
          return braces;
        }
      } else {
        braces.unbounded = true;
      }
    }
    if (i >= n_ || s_[i] != u'}') return braces;
    braces.kind = Repeat::kValid;
    braces.end = i + 1;
    return braces;
  }

  // Octal digits from i_ on, added to `value` while it stays within 0377.
  char16_t octal_escape(int value) {
    while (i_ < n_ && is_octal_digit(s_[i_])) {
      const int next = value * 8 + (s_[i_] - u'0');
      if (next > 0377) break;
      value = next;
      ++i_;
    }
    return static_cast<char16_t>(value);
  }

  // An escape outside a class; `e` is the character after the backslash.
  void atom_escape(char16_t e) {
    switch (e) {
      case u'd': case u'D': case u's': case u'S': case u'w': case u'W':
        out_.push_back(u'\\');
        out_.push_back(e);
        return;
      case u'f': literal_atom(u'\f'); return;
      case u'n': literal_atom(u'\n'); return;
      case u'r': literal_atom(u'\r'); return;
      case u't': literal_atom(u'\t'); return;
      case u'v': literal_atom(u'\v'); return;
      case u'c':
        if (i_ < n_ && is_ascii_letter(s_[i_])) {
          literal_atom(static_cast<char16_t>(s_[i_++] & 0x1F));
        } else {
          --i_;  // "\c" before a non-letter: a backslash, then 'c' as it is
          literal_atom(u'\\');
        }
        return;
      case u'x':
      case u'u': {
        const std::size_t digits = e == u'x' ? 2 : 4;
        int value = 0;
        std::size_t k = 0;
        for (; k < digits && i_ + k < n_; ++k) {
          const int digit = hex_digit_value(s_[i_ + k]);
          if (digit < 0) break;
          value = value * 16 + digit;
        }
        if (k == digits) {
          literal_atom(static_cast<char16_t>(value));
          i_ += digits;
        } else {
          literal_atom(e);  // too few hex digits: the letter itself
        }
        return;
      }
      case u'0':
        literal_atom(octal_escape(0));
        return;
      case u'1': case u'2': case u'3': case u'4': case u'5':
      case u'6': case u'7': case u'8': case u'9': {
        const std::size_t first = i_ - 1;
        std::size_t end = first;
        long number = 0;
        while (end < n_ && is_digit(s_[end])) {
          if (number <= group_count_) number = number * 10 + (s_[end] - u'0');
          ++end;
        }
        if (number <= group_count_) {
          i_ = end;
          out_.append(u"\\g{");
          append_number(number, &out_);
          out_.push_back(u'}');
        } else if (e >= u'8') {
          i_ = first;  // \8, \9 beyond the groups: a backslash, then the digits
          literal_atom(u'\\');
        } else {
          i_ = first;  // beyond the groups: octal
          literal_atom(octal_escape(0));
        }
        return;
      }
      default:
        literal_atom(e);  // \y is y, \/ is /, ...
        return;
    }
  }

  // The member of a class at i_, which ends before `close`.
  ClassAtom class_atom(std::size_t close) {
    ClassAtom atom;
    const char16_t c = s_[i_++];
    if (c != u'\\') {
      atom.value = c;
      return atom;
    }
    const char16_t e = s_[i_++];  // a class never ends inside an escape
    switch (e) {
      case u'b': atom.value = u'\b'; break;
      case u'f': atom.value = u'\f'; break;
      case u'n': atom.value = u'\n'; break;
      case u'r': atom.value = u'\r'; break;
      case u't': atom.value = u'\t'; break;
      case u'v': atom.value = u'\v'; break;
      case u'd': case u'D': case u's': case u'S': case u'w': case u'W':
        atom.escape = e;
        break;
      case u'c':
        if (i_ < close && (is_ascii_letter(s_[i_]) || is_digit(s_[i_]) || s_[i_] == u'_')) {
          atom.value = static_cast<char16_t>(s_[i_++] & 0x1F);
        } else {
          --i_;  // a backslash, then 'c' as it is
          atom.value = u'\\';
        }
        break;
      case u'x':
      case u'u': {
        const std::size_t digits = e == u'x' ? 2 : 4;
        int value = 0;
        std::size_t k = 0;
        for (; k < digits && i_ + k < close; ++k) {
          const int digit = hex_digit_value(s_[i_ + k]);
          if (digit < 0) break;
          value = value * 16 + digit;
        }
        if (k < digits && i_ + k < close) {
          atom.value = u'\\';  // a non-hex character: a backslash, then what follows the letter
        } else {
          atom.value = static_cast<char16_t>(value);  // cut short by the ']': the digits read
          i_ += k;
        }
        break;
      }
      case u'0': case u'1': case u'2': case u'3':
      case u'4': case u'5': case u'6': case u'7': {
        int value = e - u'0';  // at most three octal digits, up to 0377
        if (i_ < close && is_octal_digit(s_[i_])) {
          value = value * 8 + (s_[i_++] - u'0');
          if (i_ < close && is_octal_digit(s_[i_])) {
            const int next = value * 8 + (s_[i_] - u'0');
            if (next <= 0377) {
              value = next;
              ++i_;
            }
          }
        }
        atom.value = static_cast<char16_t>(value);
        break;
      }
      default:
        atom.value = e;  // \8, \B, \-, \], ... stand for themselves
        break;
    }
    return atom;
  }

  // A class from just after its '['.
  bool character_class() {
    const std::size_t close = class_end(i_);
    if (close == std::u16string::npos) return false;
    bool negated = false;
    if (i_ < close && s_[i_] == u'^') {
      negated = true;
      ++i_;
    }
    std::u16string members;
    bool in_range = false;
    char16_t range_start = 0;
    // Every character the class matches, while they are few and known.
    bool listed = !negated;
    last_class_members_.clear();
    auto list = [&](char16_t from, char16_t to) {
      if (!listed || static_cast<std::size_t>(to - from) >= kMaxFirstCharacters) {
        listed = false;
        return;
      }
      for (char16_t c = from;; ++c) {
        last_class_members_.push_back(c);
        if (c == to) break;
      }
    };
    while (i_ < close) {
      const ClassAtom atom = class_atom(close);
      if (atom.escape != 0) {
        if (in_range) return false;  // [a-\d]
        members.push_back(u'\\');
        members.push_back(atom.escape);
        listed = false;
        continue;  // a '-' after a class escape is a literal: [\d-z]
      }
      if (in_range) {
        if (range_start > atom.value) return false;
        append_hex_char(range_start, &members);
        members.push_back(u'-');
        append_hex_char(atom.value, &members);
        list(range_start, atom.value);
        in_range = false;
        continue;
      }
      if (i_ + 1 < close && s_[i_] == u'-') {
        ++i_;
        in_range = true;
        range_start = atom.value;
        continue;
      }
      append_hex_char(atom.value, &members);
      list(atom.value, atom.value);
    }
    i_ = close + 1;
    if (listed && last_class_members_.size() <= kMaxFirstCharacters) {
      last_atom_ = Atom::kClass;  // [] lists nothing: no match can start with it
    }
    if (members.empty()) {
      out_.append(negated ? kAnything : kNothing);  // [^] and []
    } else {
      out_.push_back(u'[');
      if (negated) out_.push_back(u'^');
      out_.append(members);
      out_.push_back(u']');
    }
    return true;
  }

  const std::u16string& s_;
  const std::size_t n_;
  const bool multiline_;
  std::size_t i_ = 0;
  int group_count_ = 0;
  std::u16string out_;
  Atom last_atom_ = Atom::kOther;
  Quantifier last_quantifier_ = Quantifier::kNone;
  long last_min_repeat_ = 1;
  char16_t last_literal_ = 0;
  std::u16string last_class_members_;
  std::vector<std::vector<TopLevelTerm>> alternatives_;  // top-level terms by alternative
};

}  // namespace

bool translate_ecmascript_to_pcre2(const std::u16string& pattern, bool multiline,
                                   std::u16string* out, FirstMatchForm* first_match) {
  return Translator(pattern, multiline).run(out, first_match);
}

}  // namespace tarvolo
