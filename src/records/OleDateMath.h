#pragma once
// Calendar arithmetic of OLE dates: a double of days since 1899-12-30, the fraction being the time
// of day. Proleptic Gregorian, no time zone. For negative values the fraction counts away from
// zero (-1.25 is 1899-12-29 06:00), so the day is the value truncated toward zero.

#include <optional>

namespace records {

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CivilDate&) const = default;
};

inline constexpr int kOleMinYear = 100;
inline constexpr int kOleMaxYear = 9999;

// True when month is 1..12 and day exists in that month of year (any year, leap years Gregorian).
bool IsValidCivil(int year, int month, int day);

// Days in the month (28..31); 0 when month is not 1..12.
int DaysInMonth(int year, int month);

// The day number of a calendar date (1899-12-30 is 0). The date must be valid (IsValidCivil).
double OleFromCivil(int year, int month, int day);

// The OLE value of a date and time of day; the time (hour 0..23, minute and second 0..59) is added
// away from zero as OLE dates count it. The date must be valid.
double OleFromCivilTime(int year, int month, int day, int hour, int minute, int second);

// The calendar date of the day an OLE value falls on; nullopt when the value is not finite or lies
// outside the years 100..9999.
std::optional<CivilDate> CivilFromOle(double ole);

}  // namespace records
