#include "records/KokyakuColumns.h"

#include <gtest/gtest.h>

#include <set>

#include "text/Cp932.h"

namespace records {
namespace {

std::string Text(const CKokyaku& k, std::string_view column, TextStyle style = TextStyle::List) {
  return ColumnText(k, column, style);
}

TEST(KokyakuColumns, TableHoldsEachOfTheSeventyOneColumnsOnceInRecordOrder) {
  const auto columns = KokyakuColumns();
  ASSERT_EQ(columns.size(), 71u);
  EXPECT_EQ(columns.front().name, "ID");
  EXPECT_EQ(columns[1].name, "CustomerID");
  EXPECT_EQ(columns.back().name, "CommonMail");
  std::set<std::string_view> names;
  for (const auto& c : columns) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    EXPECT_EQ(FindKokyakuColumn(c.name), &c);
    EXPECT_EQ(c.kind == ColumnKind::Text, c.limit > 0) << c.name;
  }
  EXPECT_EQ(FindKokyakuColumn("name"), nullptr);
  EXPECT_EQ(FindKokyakuColumn(kTelHomeX), nullptr);
}

TEST(KokyakuColumns, CodedFieldsReadOutOfRangeValuesAsTheirDefault) {
  CKokyaku k;
  k.Sex = 2, k.EntryType = 5, k.CustomerType = 2, k.TaxMethod = 9;
  EXPECT_EQ(Text(k, "Sex"), "男");
  EXPECT_EQ(Text(k, "EntryType"), "個人");
  EXPECT_EQ(Text(k, "CustomerType"), "正規顧客");
  EXPECT_EQ(Text(k, "TaxMethod"), "未設定");
  k.Sex = 1, k.EntryType = 0, k.CustomerType = 1, k.TaxMethod = 2;
  EXPECT_EQ(Text(k, "Sex"), "女");
  EXPECT_EQ(Text(k, "EntryType"), "法人");
  EXPECT_EQ(Text(k, "CustomerType"), "見込み客");
  EXPECT_EQ(Text(k, "TaxMethod"), "内税");
}

TEST(KokyakuColumns, ClosingMonthAndDayShowOnlyWhenSet) {
  CKokyaku k;
  for (int day : {0, 32, -1}) {
    k.ClosingDay = day;
    EXPECT_EQ(Text(k, "ClosingDay"), "") << day;
  }
  k.ClosingDay = 99;
  EXPECT_EQ(Text(k, "ClosingDay"), "99");
  EXPECT_EQ(Text(k, "ClosingDay", TextStyle::Card), "月末");
  k.ClosingDay = 20;
  EXPECT_EQ(Text(k, "ClosingDay", TextStyle::Card), "20日");
  k.ClosingDate = 0;
  EXPECT_EQ(Text(k, "ClosingDate"), "");
  k.ClosingDate = 13;
  EXPECT_EQ(Text(k, "ClosingDate"), "");
  k.ClosingDate = 3;
  EXPECT_EQ(Text(k, "ClosingDate"), "3");
  EXPECT_EQ(Text(k, "ClosingDate", TextStyle::Card), "3月");
}

TEST(KokyakuColumns, CommonMailShowsTheAddressItSelects) {
  CKokyaku k;
  k.EMail1 = "a@example.jp", k.EMail3 = "c@example.jp";
  k.CommonMail = 3;
  EXPECT_EQ(Text(k, "CommonMail"), "c@example.jp");
  EXPECT_EQ(Text(k, "CommonMail", TextStyle::Export), "3");
  k.CommonMail = 0;
  EXPECT_EQ(Text(k, "CommonMail"), "");
  k.CommonMail = 6;
  EXPECT_EQ(Text(k, "CommonMail"), "");
}

TEST(KokyakuColumns, ColorMarksHaveNamesAndOthersNone) {
  CKokyaku k;
  k.ColorMark = 0x0099FF;
  EXPECT_EQ(Text(k, "ColorMark"), "ｺﾞｰﾙﾄﾞ");
  k.ColorMark = 0xFFFFFF;
  EXPECT_EQ(Text(k, "ColorMark"), "なし");
  k.ColorMark = 0x123456;
  EXPECT_EQ(Text(k, "ColorMark"), "");
}

TEST(KokyakuColumns, DatesIdAndDerivedAddresses) {
  CKokyaku k;
  k.ID = 42;
  k.BirthDay = COleDate::FromCivil(2004, 5, 10);
  k.Add1_Home = "東京都", k.Add2_Home = "千代田区";
  k.Add1_Office = "大阪府", k.Add3_Office = "1-2";
  EXPECT_EQ(Text(k, "ID"), "42");
  EXPECT_EQ(Text(k, "BirthDay"), "2004/05/10");
  EXPECT_EQ(Text(k, "StartDate"), "");  // never set
  EXPECT_EQ(Text(k, kAddHomeX), "東京都千代田区");
  EXPECT_EQ(Text(k, kAddOfficeX), "大阪府1-2");
  EXPECT_EQ(Text(k, "NoSuchColumn"), "");
}

TEST(KokyakuColumns, ExportWritesCodesWithTheirNames) {
  CKokyaku k;
  k.Sex = 1, k.EntryType = 1, k.CustomerType = 0, k.TaxMethod = 7, k.ClosingDay = 32;
  EXPECT_EQ(Text(k, "Sex", TextStyle::Export), "1：女");
  EXPECT_EQ(Text(k, "EntryType", TextStyle::Export), "1：個人");
  EXPECT_EQ(Text(k, "CustomerType", TextStyle::Export), "0：正規顧客");
  EXPECT_EQ(Text(k, "TaxMethod", TextStyle::Export), "4：未設定");
  EXPECT_EQ(Text(k, "ClosingDay", TextStyle::Export), "32");
}

TEST(KokyakuColumns, ImportCutsTextToItsByteLimitWithoutSplittingCharacters) {
  CKokyaku k;
  ASSERT_TRUE(SetColumnFromText(k, "Suffix", "御中御中御中"));  // 12 bytes into 10
  EXPECT_EQ(k.Suffix, "御中御中御");
  ASSERT_TRUE(SetColumnFromText(k, "CustomerID", std::string(25, 'x') + "あ"));
  EXPECT_EQ(k.CustomerID, std::string(20, 'x'));
  for (const auto& c : KokyakuColumns()) {
    if (c.kind != ColumnKind::Text) continue;
    SetColumnFromText(k, c.name, std::string(300, 'y') + "表");
    EXPECT_EQ(text::Cp932Length(ColumnText(k, c.name)), c.limit) << c.name;
  }
  EXPECT_FALSE(SetColumnFromText(k, "Unknown", "x"));
}

TEST(KokyakuColumns, ImportReadsCodesByTheirRules) {
  struct Case {
    std::string_view column, text;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"Sex", "1", 1},          {"Sex", "2", 0},          {"Sex", "女", 0},         {"Sex", "１", 1},
      {"EntryType", "0", 0},    {"EntryType", "x", 1},    {"CustomerType", "1", 1}, {"CustomerType", "", 0},
      {"ClosingDay", "９９", 99}, {"ClosingDay", "100", 0}, {"ClosingDay", "7日", 7},  {"ClosingDay", "32", 0},
      {"ClosingDate", "12", 12}, {"ClosingDate", "13", 0}, {"TaxMethod", "3", 3},    {"TaxMethod", "5", 4},
      {"CommonMail", "5", 5},   {"CommonMail", "0", 1},   {"CommonMail", "1：a", 1},
  };
  for (const auto& c : cases) {
    CKokyaku k;
    ASSERT_TRUE(SetColumnFromText(k, c.column, c.text));
    EXPECT_EQ(std::stoi(ColumnText(k, c.column, TextStyle::Export).substr(0, 2)), c.expected)
        << c.column << " " << c.text;
  }
  EXPECT_EQ(UnmappedValue("EntryType"), 1);
  EXPECT_EQ(UnmappedValue("TaxMethod"), 4);
  EXPECT_EQ(UnmappedValue("CommonMail"), 1);
  EXPECT_EQ(UnmappedValue("Sex"), 0);
}

TEST(KokyakuColumns, ImportSetsBirthdayOnlyFromADate) {
  CKokyaku k;
  k.BirthDay = COleDate::FromCivil(1990, 1, 2);
  ASSERT_TRUE(SetColumnFromText(k, "BirthDay", "不明"));
  EXPECT_EQ(k.BirthDay.Format(), "1990/01/02");
  ASSERT_TRUE(SetColumnFromText(k, "BirthDay", "２００４/５/１０"));
  EXPECT_EQ(k.BirthDay.Format(), "2004/05/10");
  ASSERT_TRUE(SetColumnFromText(k, "BirthDay", "2004/02/30"));
  EXPECT_EQ(k.BirthDay.Format(), "2004/05/10");
}

}  // namespace
}  // namespace records
