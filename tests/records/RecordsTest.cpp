#include <gtest/gtest.h>

#include "records/CKokyaku.h"
#include "records/COleDate.h"
#include "records/CQMVRainbowHit.h"
#include "records/CRirekiData.h"

namespace records {
namespace {

TEST(AmountText, DropsTrailingZerosAndPoint) {
  EXPECT_EQ(AmountText(1500.50), "1500.5");
  EXPECT_EQ(AmountText(2000.00), "2000");
  EXPECT_EQ(AmountText(0), "0");
  EXPECT_EQ(AmountText(-0.001), "0");
  EXPECT_EQ(AmountText(100), "100");
  EXPECT_EQ(AmountText(-12.25), "-12.25");
  EXPECT_EQ(AmountText(1e12), "1000000000000");
  // Rounded as printf rounds the binary value: 0.125 is exact and goes to even, 2.675 is below.
  EXPECT_EQ(AmountText(0.125), "0.12");
  EXPECT_EQ(AmountText(2.675), "2.67");
  EXPECT_EQ(AmountText(-100000000), "-100000000");
  // A huge stored figure keeps every digit instead of a cut-off buffer's zeros being dropped.
  const std::string huge = AmountText(1e300);
  EXPECT_EQ(huge.size(), 301u);
  EXPECT_EQ(huge.substr(0, 4), "1000");
}

TEST(Records, ClearGivesAnEmptyRecord) {
  CKokyaku k;
  k.Name = "山田", k.Sex = 1, k.BirthDay = COleDate::Now();
  k.Clear();
  EXPECT_EQ(k, CKokyaku());
  EXPECT_TRUE(k.BirthDay.IsNull());
  CRirekiData r;
  r.Money = 5, r.Action = "x";
  r.Clear();
  EXPECT_EQ(r, CRirekiData());
}

TEST(RainbowHit, ValueReadsByFigure) {
  CQMVRainbowHit hit;
  hit.SetCount(7);
  EXPECT_EQ(hit.Count(), 7);
  hit.SetAmount(1500.5);
  EXPECT_DOUBLE_EQ(hit.Amount(), 1500.5);
  hit.SetDate(COleDate::FromCivil(2024, 2, 29).Value());
  EXPECT_EQ(hit.Date().Format(), "2024/02/29");
}

TEST(OleDate, CivilConversionMatchesKnownDays) {
  EXPECT_DOUBLE_EQ(COleDate::FromCivil(1899, 12, 30).Value(), 0);
  EXPECT_DOUBLE_EQ(COleDate::FromCivil(1900, 1, 1).Value(), 2);
  EXPECT_DOUBLE_EQ(COleDate::FromCivil(2004, 4, 1).Value(), 38078);
  EXPECT_DOUBLE_EQ(COleDate::FromCivil(1899, 12, 29).Value(), -1);
  const COleDate noon = COleDate::FromCivil({1899, 12, 29, 6, 0, 0});
  EXPECT_DOUBLE_EQ(noon.Value(), -1.25);
  EXPECT_EQ(noon.FormatWithTime(), "1899/12/29 06:00");
  EXPECT_EQ(COleDate::FromCivil({2024, 12, 31, 23, 59, 0}).FormatWithTime(), "2024/12/31 23:59");
  EXPECT_EQ(COleDate(45000.9999999999).Format(), "2023/03/16");
  EXPECT_EQ(COleDate::FromCivil(100, 1, 2).Format(), "0100/01/02");
  EXPECT_EQ(COleDate::FromCivil(9999, 12, 31).Format(), "9999/12/31");
  for (int y : {100, 1600, 1970, 2000, 2100, 9999}) {
    const COleDate d = COleDate::FromCivil(y, 2, 28);
    EXPECT_EQ(d.ToCivil().year, y);
    EXPECT_EQ(d.ToCivil().day, 28);
  }
}

TEST(OleDate, OutOfRangeOrImpossibleDatesAreInvalid) {
  EXPECT_FALSE(COleDate::FromCivil(99, 1, 1).IsValid());
  EXPECT_FALSE(COleDate::FromCivil(10000, 1, 1).IsValid());
  EXPECT_FALSE(COleDate::FromCivil(2023, 2, 29).IsValid());
  EXPECT_TRUE(COleDate::FromCivil(2024, 2, 29).IsValid());
  EXPECT_EQ(COleDate::Invalid().Format(), "");
  EXPECT_EQ(COleDate::Null().Format(), "");
}

TEST(OleDate, ParseAcceptsTypedDatesOnly) {
  EXPECT_EQ(COleDate::Parse("2004/05/10")->Format(), "2004/05/10");
  EXPECT_EQ(COleDate::Parse("2004-5-1")->Format(), "2004/05/01");
  EXPECT_EQ(COleDate::Parse("２００４/０５/１０")->Format(), "2004/05/10");
  EXPECT_EQ(COleDate::Parse("2004/05/10 9:05")->FormatWithTime(), "2004/05/10 09:05");
  EXPECT_EQ(COleDate::Parse("平成16年5月10日")->Format(), "2004/05/10");
  for (const char* bad : {"", "2004", "2004/05", "2004/13/01", "2004/05-10", "abc", "2004/05/10x", "10000/1/1", "0099/1/1",
                          "H31.5.1"}) {
    EXPECT_FALSE(COleDate::Parse(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace records
