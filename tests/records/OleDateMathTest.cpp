#include "records/OleDateMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace records {
namespace {

struct KnownDay {
  int year, month, day;
  double ole;
};

// Values as OLE dates count them (no 1900 leap day, unlike some spreadsheets).
constexpr KnownDay kKnownDays[] = {
    {1899, 12, 30, 0},     {1899, 12, 31, 1},     {1900, 1, 1, 2},       {1900, 2, 28, 60},
    {1900, 3, 1, 61},      {2000, 2, 29, 36585},  {2004, 4, 1, 38078},   {2024, 5, 1, 45413},
    {1899, 12, 29, -1},    {100, 1, 1, -657434},  {9999, 12, 31, 2958465},
};

TEST(OleDateMath, KnownDaysConvertBothWays) {
  for (const KnownDay& k : kKnownDays) {
    SCOPED_TRACE(testing::Message() << k.year << "-" << k.month << "-" << k.day);
    EXPECT_EQ(OleFromCivil(k.year, k.month, k.day), k.ole);
    EXPECT_EQ(CivilFromOle(k.ole), (CivilDate{k.year, k.month, k.day}));
  }
}

TEST(OleDateMath, EveryDayOfTheRangeRoundTrips) {
  CivilDate previous{99, 12, 31};
  for (long long n = -657434; n <= 2958465; ++n) {
    const auto date = CivilFromOle(static_cast<double>(n));
    ASSERT_TRUE(date.has_value()) << n;
    ASSERT_TRUE(IsValidCivil(date->year, date->month, date->day)) << n;
    ASSERT_EQ(OleFromCivil(date->year, date->month, date->day), static_cast<double>(n));
    ASSERT_NE(*date, previous);
    previous = *date;
  }
}

TEST(OleDateMath, TimeOfDayCountsAwayFromZero) {
  EXPECT_EQ(OleFromCivilTime(2004, 4, 1, 12, 0, 0), 38078.5);
  EXPECT_EQ(OleFromCivilTime(1899, 12, 29, 6, 0, 0), -1.25);
  EXPECT_EQ(CivilFromOle(-1.25), (CivilDate{1899, 12, 29}));
  EXPECT_EQ(CivilFromOle(-0.5), (CivilDate{1899, 12, 30}));
  EXPECT_EQ(CivilFromOle(38078.999), (CivilDate{2004, 4, 1}));
}

TEST(OleDateMath, ValuesOutsideTheYears100To9999HaveNoDate) {
  EXPECT_FALSE(CivilFromOle(-657435).has_value());
  EXPECT_TRUE(CivilFromOle(-657434.9).has_value());
  EXPECT_FALSE(CivilFromOle(2958466).has_value());
  EXPECT_FALSE(CivilFromOle(std::nan("")).has_value());
  EXPECT_FALSE(CivilFromOle(INFINITY).has_value());
  EXPECT_FALSE(CivilFromOle(1e300).has_value());
}

TEST(OleDateMath, LeapYearsFollowTheGregorianRules) {
  EXPECT_TRUE(IsValidCivil(2000, 2, 29));
  EXPECT_TRUE(IsValidCivil(2024, 2, 29));
  EXPECT_FALSE(IsValidCivil(1900, 2, 29));
  EXPECT_FALSE(IsValidCivil(2023, 2, 29));
  EXPECT_FALSE(IsValidCivil(2024, 4, 31));
  EXPECT_FALSE(IsValidCivil(2024, 13, 1));
  EXPECT_FALSE(IsValidCivil(2024, 1, 0));
  EXPECT_EQ(DaysInMonth(2024, 0), 0);
}

}  // namespace
}  // namespace records
