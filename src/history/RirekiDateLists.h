#pragma once
// The fixed lists of the history date controls and how their positions map to values. The hour
// list starts at 8 o'clock, the start of a working day: position 0 is 8, position 16 is 0.

#include <string>
#include <string_view>
#include <vector>

namespace history {

// Hour of a position of the hour list; no choice (-1) means 0.
int HourAtPosition(int position);
// Position of an hour (0 to 23) in the hour list.
int HourPosition(int hour);
// Entries of the day list for the chosen month position (-1 = none) of year: the days of that
// month by the Gregorian rule, 31 when no month is chosen.
int DayListLength(int year, int monthPosition);
// The year field read as a signed whole number, as the day list needs it: 0 when it is none.
int YearForDayList(std::string_view yearText);

std::vector<std::string> MonthTexts();             // "1" to "12"
std::vector<std::string> DayTexts(int count);      // "1" to count
std::vector<std::string> HourTexts();              // "8" ... "23", "0" ... "7"
std::vector<std::string> MinuteTexts();            // "00" to "59"

}  // namespace history
