#include "records/COleDate.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "text/DateInput.h"

namespace records {

namespace {

constexpr double kSecondsPerDay = 86400.0;

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// constexpr: dates are made during static initialisation too (constants of other files).
constexpr long kOleEpoch = DaysFromCivil(1899, 12, 30);

bool IsRealDay(int y, int m, int d) {
  if (m < 1 || m > 12 || d < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

}  // namespace

COleDate COleDate::Invalid() {
  COleDate d;
  d.status_ = Status::Invalid;
  return d;
}

COleDate COleDate::FromCivil(const CivilTime& t) {
  if (t.year < 100 || t.year > 9999 || !IsRealDay(t.year, t.month, t.day) || t.hour < 0 || t.hour > 23 ||
      t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
    return Invalid();
  }
  const double days = static_cast<double>(DaysFromCivil(t.year, static_cast<unsigned>(t.month),
                                                        static_cast<unsigned>(t.day)) - kOleEpoch);
  const double time = (t.hour * 3600 + t.minute * 60 + t.second) / kSecondsPerDay;
  // Before the epoch the time of day still counts forward, but the sign of the whole value is negative.
  return COleDate(days >= 0 ? days + time : days - time);
}

COleDate COleDate::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return FromCivil({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec});
}

std::optional<COleDate> COleDate::Parse(std::string_view input) {
  const auto typed = text::ReadDate(input);
  if (!typed) return std::nullopt;
  const COleDate date = FromCivil({typed->year, typed->month, typed->day, typed->hour, typed->minute, typed->second});
  if (!date.IsValid()) return std::nullopt;
  return date;
}

CivilTime COleDate::ToCivil() const {
  const double whole = std::trunc(value_);
  // Round to the second so that 0.99999999 of a day does not show as 23:59:59 of the wrong day.
  long seconds = std::lround(std::fabs(value_ - whole) * kSecondsPerDay);
  long days = static_cast<long>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++days;  // the time of day runs forward on both sides of the epoch
  }
  CivilTime t;
  CivilFromDays(days + kOleEpoch, t.year, t.month, t.day);
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

COleDate COleDate::DateOnly() const {
  if (!IsValid()) return *this;
  const CivilTime t = ToCivil();
  return FromCivil(t.year, t.month, t.day);
}

std::string COleDate::Format() const {
  if (!IsValid()) return {};
  const CivilTime t = ToCivil();
  if (t.year >= 0 && t.year <= 9999) {
    // "%04d/%02d/%02d" digit by digit: lists format a date for every row they search.
    const auto digit = [](int n) { return static_cast<char>('0' + n % 10); };
    return {digit(t.year / 1000), digit(t.year / 100), digit(t.year / 10), digit(t.year), '/',
            digit(t.month / 10),  digit(t.month),      '/',                 digit(t.day / 10), digit(t.day)};
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", t.year, t.month, t.day);
  return buffer;
}

std::string COleDate::FormatWithTime() const {
  if (!IsValid()) return {};
  const CivilTime t = ToCivil();
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return buffer;
}

}  // namespace records
