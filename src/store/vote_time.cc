#include "store/vote_time.h"

#include <cstddef>
#include <string>

namespace tarvolo {
namespace {

const char kYearMark[] = "年";
const char kMonthMark[] = "月";
const char kDayMark[] = "日";
const char kHourMark[] = "时";
const char kMinuteMark[] = "分";
const char kSecondMark[] = "秒";

// Years a vote time may name; the far-past time is the earliest of them.
constexpr int kEarliestYear = 100;
constexpr int kLatestYear = 9999;
// Digits a number of a vote time may have (a year has four); more reads as
// no number, which keeps every value far from overflowing.
constexpr std::size_t kMaxDigits = 4;

GbkText time_part(int value, const char* mark) { return std::to_string(value) + mark; }

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && is_leap_year(year) ? 29 : kDays[month - 1];
}

bool is_valid(const LocalTime& t) {
  return t.year >= kEarliestYear && t.year <= kLatestYear && t.month >= 1 && t.month <= 12 &&
         t.day >= 1 && t.day <= days_in_month(t.year, t.month) && t.hour >= 0 && t.hour <= 23 &&
         t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

// Reads a time text from left to right; every step either consumes what it
// expects or leaves the reader where it was and reports false.
class TimeTextReader {
 public:
  explicit TimeTextReader(const GbkText& text) : text_(text) {}

  bool at_end() const { return pos_ == text_.size(); }

  bool number(int* value) {
    std::size_t end = pos_;
    while (end < text_.size() && end - pos_ < kMaxDigits + 1 && text_[end] >= '0' &&
           text_[end] <= '9') {
      ++end;
    }
    const std::size_t digits = end - pos_;
    if (digits == 0 || digits > kMaxDigits) return false;
    *value = std::stoi(text_.substr(pos_, digits));
    pos_ = end;
    return true;
  }

  bool mark(const char* expected) {
    const GbkText mark_text = expected;
    if (text_.compare(pos_, mark_text.size(), mark_text) != 0) return false;
    pos_ += mark_text.size();
    return true;
  }

  bool number_with_mark(int* value, const char* expected) {
    const std::size_t start = pos_;
    if (number(value) && mark(expected)) return true;
    pos_ = start;
    return false;
  }

 private:
  const GbkText& text_;
  std::size_t pos_ = 0;
};

}  // namespace

GbkText format_vote_time(const LocalTime& time) {
  GbkText text = time_part(time.year, kYearMark) + time_part(time.month, kMonthMark) +
                 time_part(time.day, kDayMark);
  // Trailing zero parts are left out: 12:05:00 is "12时5分", midnight is the
  // date alone.
  if (time.second != 0) {
    text += time_part(time.hour, kHourMark) + time_part(time.minute, kMinuteMark) +
            time_part(time.second, kSecondMark);
  } else if (time.minute != 0) {
    text += time_part(time.hour, kHourMark) + time_part(time.minute, kMinuteMark);
  } else if (time.hour != 0) {
    text += time_part(time.hour, kHourMark);
  }
  return text;
}

LocalTime far_past_vote_time() { return LocalTime{kEarliestYear, 1, 1, 0, 0, 0}; }

LocalTime parse_vote_time(const GbkText& text) {
  // Full-width digits read as ASCII digits; the marks are Chinese characters
  // and are not touched by the folding.
  const GbkText folded = fold_full_width(text);
  TimeTextReader reader(folded);
  LocalTime time;
  if (!reader.number_with_mark(&time.year, kYearMark) ||
      !reader.number_with_mark(&time.month, kMonthMark) ||
      !reader.number_with_mark(&time.day, kDayMark)) {
    return far_past_vote_time();
  }
  // The parts after the date come in order, each only after the one before;
  // the closing mark of the seconds may be missing.
  if (reader.number_with_mark(&time.hour, kHourMark) &&
      reader.number_with_mark(&time.minute, kMinuteMark) && reader.number(&time.second)) {
    reader.mark(kSecondMark);
  }
  if (!reader.at_end() || !is_valid(time)) return far_past_vote_time();
  return time;
}

}  // namespace tarvolo
