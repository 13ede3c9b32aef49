#include "text/DateInput.h"

#include <string>

#include "text/Width.h"

namespace text {

namespace {

struct Era {
  std::string_view name;
  char letter;
  int year, month, day;  // its first day in the Western calendar
};

// In order; each era ends the day before the next begins.
constexpr Era kEras[] = {
    {"明治", 'm', 1868, 9, 8}, {"大正", 't', 1912, 7, 30}, {"昭和", 's', 1926, 12, 25},
    {"平成", 'h', 1989, 1, 8}, {"令和", 'r', 2019, 5, 1},
};
constexpr int kEraCount = static_cast<int>(std::size(kEras));

constexpr std::string_view kFirstYear = "元", kYearMark = "年", kMonthMark = "月", kDayMark = "日";

bool IsRealDay(int y, int m, int d) {
  if (m < 1 || m > 12 || d < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

// Days are compared as yyyymmdd numbers.
constexpr long DayNumber(int y, int m, int d) { return y * 10000L + m * 100L + d; }

class Reader {
 public:
  explicit Reader(std::string_view s) : s_(s) {}

  bool AtEnd() const { return pos_ == s_.size(); }
  void SkipSpaces() {
    while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
  }
  bool Take(std::string_view word) {
    if (s_.substr(pos_).substr(0, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }
  // A separator between the parts; the one taken after the year must recur after the month.
  std::string_view TakeSeparator() {
    for (const std::string_view sep : {std::string_view("/"), std::string_view("-"), std::string_view("."), kYearMark}) {
      if (Take(sep)) return sep;
    }
    return {};
  }
  // 1 to maxDigits digits; -1 when there are none.
  int Number(std::size_t maxDigits, std::size_t* count = nullptr) {
    int value = 0;
    std::size_t digits = 0;
    while (pos_ < s_.size() && digits < maxDigits && s_[pos_] >= '0' && s_[pos_] <= '9') {
      value = value * 10 + (s_[pos_++] - '0');
      ++digits;
    }
    if (count) *count = digits;
    return digits == 0 ? -1 : value;
  }
 private:
  std::string_view s_;
  std::size_t pos_ = 0;
};

// "S", "s" or "昭和": the era's index, or -1.
int TakeEra(Reader& r) {
  for (int i = 0; i < kEraCount; ++i) {
    const char upper[] = {static_cast<char>(kEras[i].letter - 'a' + 'A'), 0};
    const char lower[] = {kEras[i].letter, 0};
    if (r.Take(kEras[i].name) || r.Take(upper) || r.Take(lower)) return i;
  }
  return -1;
}

// " 9:05" or " 9:05:30" after the date; nothing at all is midnight.
bool ReadTime(Reader& r, TypedDate& d) {
  r.SkipSpaces();
  if (r.AtEnd()) return true;
  d.hour = r.Number(2);
  if (d.hour < 0 || d.hour > 23 || !r.Take(":")) return false;
  d.minute = r.Number(2);
  if (d.minute < 0 || d.minute > 59) return false;
  if (r.Take(":")) {
    d.second = r.Number(2);
    if (d.second < 0 || d.second > 59) return false;
  }
  r.SkipSpaces();
  return r.AtEnd();
}

// Month and day after the year and its separator; "年" asks for "月" and allows a closing "日".
bool ReadMonthDay(Reader& r, std::string_view separator, TypedDate& d) {
  d.month = r.Number(2);
  const bool kanji = separator == kYearMark;
  if (d.month < 0 || !r.Take(kanji ? kMonthMark : separator)) return false;
  d.day = r.Number(2);
  if (d.day < 0) return false;
  if (kanji) r.Take(kDayMark);
  return true;
}

}  // namespace

std::optional<TypedDate> ReadDate(std::string_view typed) {
  const std::string ascii = FullWidthAsciiToAscii(typed);
  Reader r(ascii);
  r.SkipSpaces();
  TypedDate d;
  bool compact = false;
  const int era = TakeEra(r);
  if (era >= 0) {
    r.SkipSpaces();
    const int eraYear = r.Take(kFirstYear) ? 1 : r.Number(2);
    if (eraYear < 1) return std::nullopt;
    d.year = kEras[era].year + eraYear - 1;
  } else {
    std::size_t digits = 0;
    const int year = r.Number(8, &digits);
    if (year < 0) return std::nullopt;
    if (digits == 8) {  // yyyymmdd
      d.year = year / 10000, d.month = year / 100 % 100, d.day = year % 100;
      compact = true;
    } else if (digits > 4) {
      return std::nullopt;
    } else {
      d.year = year;
    }
  }
  if (!compact) {
    const std::string_view separator = r.TakeSeparator();
    if (separator.empty() || !ReadMonthDay(r, separator, d)) return std::nullopt;
  }
  if (!ReadTime(r, d) || !IsRealDay(d.year, d.month, d.day)) return std::nullopt;
  if (era >= 0) {
    const Era& e = kEras[era];
    const long day = DayNumber(d.year, d.month, d.day);
    if (day < DayNumber(e.year, e.month, e.day)) return std::nullopt;
    if (era + 1 < kEraCount) {
      const Era& next = kEras[era + 1];
      if (day >= DayNumber(next.year, next.month, next.day)) return std::nullopt;
    }
  }
  return d;
}

}  // namespace text
