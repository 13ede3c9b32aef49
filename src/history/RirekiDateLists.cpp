#include "history/RirekiDateLists.h"

#include <climits>
#include <cstdio>

#include "records/OleDateMath.h"
#include "text/NumberInput.h"

namespace history {

namespace {
constexpr int kFirstHour = 8;
}

int HourAtPosition(int position) { return position < 0 ? 0 : (position + kFirstHour) % 24; }

int HourPosition(int hour) { return (hour + 24 - kFirstHour) % 24; }

int DayListLength(int year, int monthPosition) {
  if (monthPosition < 0 || monthPosition > 11) return 31;
  return records::DaysInMonth(year, monthPosition + 1);
}

int YearForDayList(std::string_view yearText) {
  const auto year = text::ReadWholeNumber(yearText);
  if (!year || *year < INT_MIN || *year > INT_MAX) return 0;
  return static_cast<int>(*year);
}

std::vector<std::string> MonthTexts() { return DayTexts(12); }

std::vector<std::string> DayTexts(int count) {
  std::vector<std::string> texts;
  for (int i = 1; i <= count; ++i) texts.push_back(std::to_string(i));
  return texts;
}

std::vector<std::string> HourTexts() {
  std::vector<std::string> texts;
  for (int p = 0; p < 24; ++p) texts.push_back(std::to_string(HourAtPosition(p)));
  return texts;
}

std::vector<std::string> MinuteTexts() {
  std::vector<std::string> texts;
  char buffer[4];
  for (int m = 0; m < 60; ++m) {
    std::snprintf(buffer, sizeof buffer, "%02d", m);
    texts.emplace_back(buffer);
  }
  return texts;
}

}  // namespace history
