#include "records/OleDateMath.h"

#include <cmath>

namespace records {

namespace {

// Days between 1970-01-01 and 1899-12-30.
constexpr long long kOleEpochFromUnix = -25569;
// The OLE values of 0100-01-01 and the day after 9999-12-31.
constexpr double kFirstOleDay = -657434.0;
constexpr double kPastLastOleDay = 2958466.0;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days from 1970-01-01 of a proleptic Gregorian date (eras of 400 years keep it exact).
long long DaysFromUnixEpoch(int year, int month, int day) {
  const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yearOfEra = y - era * 400;
  const long long shiftedMonth = month > 2 ? month - 3 : month + 9;
  const long long dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromUnixDays(long long days) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
  const long long day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  const long long month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

}  // namespace

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidCivil(int year, int month, int day) {
  return day >= 1 && day <= DaysInMonth(year, month);
}

double OleFromCivil(int year, int month, int day) {
  return static_cast<double>(DaysFromUnixEpoch(year, month, day) - kOleEpochFromUnix);
}

double OleFromCivilTime(int year, int month, int day, int hour, int minute, int second) {
  const double dayNumber = OleFromCivil(year, month, day);
  const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  return dayNumber < 0 ? dayNumber - fraction : dayNumber + fraction;
}

std::optional<CivilDate> CivilFromOle(double ole) {
  if (!std::isfinite(ole) || ole <= kFirstOleDay - 1.0 || ole >= kPastLastOleDay)
    return std::nullopt;
  const auto dayNumber = static_cast<long long>(std::trunc(ole));
  return CivilFromUnixDays(dayNumber + kOleEpochFromUnix);
}

}  // namespace records
