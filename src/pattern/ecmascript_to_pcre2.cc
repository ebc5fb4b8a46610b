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

  bool run(std::u16string* out) {
    group_count_ = count_capturing_groups();
    if (!disjunction(0)) return false;
    *out = std::move(out_);
    return true;
  }

 private:
  enum class Repeat { kNone, kValid, kInvalid };

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
        if (!term(depth)) return false;
      }
      if (i_ == n_) return depth == 0;  // else a '(' is never closed
      if (s_[i_] == u')') return depth > 0;  // else an unmatched ')'
      out_.push_back(u'|');
      ++i_;
    }
  }

  bool term(int depth) {
    const char16_t c = s_[i_++];
    switch (c) {
      // Assertions take no quantifier: one that follows starts the next term
      // and is rejected there.
      case u'^':
        out_.append(multiline_ ? kLineStart : kTextStart);
        return true;
      case u'$':
        out_.append(multiline_ ? kLineEnd : kTextEnd);
        return true;
      case u'\\': {
        if (i_ == n_) return false;  // a trailing backslash
        const char16_t e = s_[i_++];
        if (e == u'b' || e == u'B') {
          out_.push_back(u'\\');
          out_.push_back(e);
          return true;
        }
        atom_escape(e);
        break;
      }
      case u'(':
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
        break;
      case u'[':
        if (!character_class()) return false;
        break;
      case u'.':
        out_.append(kDot);
        break;
      case u'*':
      case u'+':
      case u'?':
        return false;  // nothing to repeat (also a**, a*+, a???)
      case u'{':
        if (read_braces(i_ - 1, /*check_values=*/false).kind != Repeat::kNone) return false;
        append_literal(c, &out_);
        break;
      default:
        append_literal(c, &out_);
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
      case u'f': append_literal(u'\f', &out_); return;
      case u'n': append_literal(u'\n', &out_); return;
      case u'r': append_literal(u'\r', &out_); return;
      case u't': append_literal(u'\t', &out_); return;
      case u'v': append_literal(u'\v', &out_); return;
      case u'c':
        if (i_ < n_ && is_ascii_letter(s_[i_])) {
          append_literal(static_cast<char16_t>(s_[i_++] & 0x1F), &out_);
        } else {
          --i_;  // "\c" before a non-letter: a backslash, then 'c' as it is
          append_literal(u'\\', &out_);
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
          append_literal(static_cast<char16_t>(value), &out_);
          i_ += digits;
        } else {
          append_literal(e, &out_);  // too few hex digits: the letter itself
        }
        return;
      }
      case u'0':
        append_literal(octal_escape(0), &out_);
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
          append_literal(u'\\', &out_);
        } else {
          i_ = first;  // beyond the groups: octal
          append_literal(octal_escape(0), &out_);
        }
        return;
      }
      default:
        append_literal(e, &out_);  // \y is y, \/ is /, ...
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
    while (i_ < close) {
      const ClassAtom atom = class_atom(close);
      if (atom.escape != 0) {
        if (in_range) return false;  // [a-\d]
        members.push_back(u'\\');
        members.push_back(atom.escape);
        continue;  // a '-' after a class escape is a literal: [\d-z]
      }
      if (in_range) {
        if (range_start > atom.value) return false;
        append_hex_char(range_start, &members);
        members.push_back(u'-');
        append_hex_char(atom.value, &members);
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
    }
    i_ = close + 1;
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
};

}  // namespace

bool translate_ecmascript_to_pcre2(const std::u16string& pattern, bool multiline,
                                   std::u16string* out) {
  return Translator(pattern, multiline).run(out);
}

}  // namespace tarvolo
