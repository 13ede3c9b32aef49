#include "text/DateInput.h"

#include <gtest/gtest.h>

#include <optional>

namespace text {
namespace {

struct DateRow {
  const char* typed;
  std::optional<TypedDate> date;
};

constexpr TypedDate Day(int y, int m, int d) { return {y, m, d}; }

// One row per spelling; nullopt: refused.
const DateRow kDates[] = {
    {"1970/05/12", Day(1970, 5, 12)},
    {"1970/5/12", Day(1970, 5, 12)},
    {"１９７０／０５／１２", Day(1970, 5, 12)},
    {"1970-05-12", Day(1970, 5, 12)},
    {"１９７０－５－１２", Day(1970, 5, 12)},
    {"1970.5.12", Day(1970, 5, 12)},
    {"19700512", Day(1970, 5, 12)},
    {"１９７００５１２", Day(1970, 5, 12)},
    {"1970年5月12日", Day(1970, 5, 12)},
    {"1970年5月12", Day(1970, 5, 12)},
    {" 1970/05/12 ", Day(1970, 5, 12)},
    {"S45.5.12", Day(1970, 5, 12)},
    {"s45.5.12", Day(1970, 5, 12)},
    {"Ｓ４５．５．１２", Day(1970, 5, 12)},
    {"S45/5/12", Day(1970, 5, 12)},
    {"昭和45年5月12日", Day(1970, 5, 12)},
    {"昭和４５年５月１２日", Day(1970, 5, 12)},
    {"昭和 45年5月12日", Day(1970, 5, 12)},
    {"H31.4.30", Day(2019, 4, 30)},
    {"平成元年1月8日", Day(1989, 1, 8)},
    {"R1.5.1", Day(2019, 5, 1)},
    {"令和元年5月1日", Day(2019, 5, 1)},
    {"R6.2.29", Day(2024, 2, 29)},
    {"T1.7.30", Day(1912, 7, 30)},
    {"M45.7.29", Day(1912, 7, 29)},
    {"S64.1.7", Day(1989, 1, 7)},
    {"2004/05/10 9:05", TypedDate{2004, 5, 10, 9, 5, 0}},
    {"2004/05/10 9:05:30", TypedDate{2004, 5, 10, 9, 5, 30}},
    // Outside its era: Heisei ended on 2019/04/30, Reiwa began on 2019/05/01.
    {"H31.5.1", std::nullopt},
    {"R1.4.30", std::nullopt},
    {"S64.1.8", std::nullopt},
    {"H1.1.7", std::nullopt},
    {"令和元年4月30日", std::nullopt},
    {"S0.1.1", std::nullopt},
    {"X45.5.12", std::nullopt},
    {"1970/13/01", std::nullopt},
    {"1970/02/29", std::nullopt},
    {"19700230", std::nullopt},
    {"19700012", std::nullopt},
    {"1970/05-12", std::nullopt},  // one separator throughout
    {"1970年5/12", std::nullopt},
    {"1970/05/12x", std::nullopt},
    {"1970/05", std::nullopt},
    {"197005", std::nullopt},
    {"1970", std::nullopt},
    {"", std::nullopt},
    {"abc", std::nullopt},
    {"2004/05/10 24:00", std::nullopt},
};

TEST(DateInput, EverySpellingReadsAsItsWesternDate) {
  for (const DateRow& row : kDates) {
    const auto read = ReadDate(row.typed);
    EXPECT_EQ(read.has_value(), row.date.has_value()) << row.typed;
    if (read && row.date) {
      EXPECT_EQ(*read, *row.date) << row.typed << " read as " << read->year << "/" << read->month << "/" << read->day;
    }
  }
}

}  // namespace
}  // namespace text
