// The row conversion under the field rules, and the mapping dialog through its model with its
// exact messages.
#include <gtest/gtest.h>

#include "io/CImportMappingDlg.h"
#include "io/CImportTextDlg.h"
#include "io/ImportConvert.h"
#include "records/KokyakuColumns.h"
#include "ui/ScriptedUi.h"

namespace io {
namespace {

using ui::Answer;

struct CellCase {
  const char* column;
  const char* cell;
  std::string expected;  // the column's text as export writes it
};

TEST(ImportConvert, CellsFollowTheFieldRules) {
  const CellCase cases[] = {
      {"ClosingDay", "９９", "99"},
      {"ClosingDay", "100", "0"},
      {"ClosingDay", "7日", "7"},
      {"ClosingDay", "32", "0"},
      {"ClosingDate", "12", "12"},
      {"ClosingDate", "13", "0"},
      {"CommonMail", "0", "1"},
      {"CommonMail", "5", "5"},
      {"CommonMail", "x", "1"},
      {"Sex", "1", "1：女"},
      {"Sex", "2", "0：男"},
      {"EntryType", "0", "0：法人"},
      {"EntryType", "", "1：個人"},
      {"CustomerType", "1", "1：見込み客"},
      {"TaxMethod", "3", "3：なし"},
      {"TaxMethod", "5", "4：未設定"},
      {"BirthDay", "1964/3/26", "1964/03/26"},
      {"BirthDay", "64/03/26", "1964/03/26"},
      {"BirthDay", "05/01/02", "2005/01/02"},
      {"BirthDay", "昭和39年3月26日", "1964/03/26"},
      {"BirthDay", "いつか", ""},
      {"CustomerID", "00001", "00001"},
      {"CustomerID", "123456789012345678901234", "12345678901234567890"},
      {"Add1_Home", "神奈川県横浜市中区山下町１丁目", "神奈川県横浜市中区山"},  // 20 bytes
      {"Suffix", "様様様様様様", "様様様様様"},
  };
  for (const CellCase& c : cases) {
    records::CKokyaku k = NewImportedCustomer();
    SetImportedColumn(k, c.column, c.cell);
    EXPECT_EQ(records::ColumnText(k, c.column, records::TextStyle::Export), c.expected) << c.column << " " << c.cell;
  }
}

TEST(ImportConvert, UnmappedCodedColumnsTakeTheirDefaults) {
  const records::CKokyaku k = NewImportedCustomer();
  EXPECT_EQ(k.Sex, 0);
  EXPECT_EQ(k.EntryType, 1);
  EXPECT_EQ(k.CustomerType, 0);
  EXPECT_EQ(k.ClosingDate, 0);
  EXPECT_EQ(k.ClosingDay, 0);
  EXPECT_EQ(k.TaxMethod, 4);
  EXPECT_EQ(k.CommonMail, 1);
}

TEST(ImportConvert, OffersEveryColumnButTheStoresOwnAndShowsItsRule) {
  for (const char* hidden : {"ID", "StartDate", "LastUpDate", "TEL_Home_X", "TEL_Office_X", "ColorMark", "Picture1", "Picture5", "RirekiUpDate"}) {
    EXPECT_FALSE(IsImportable(hidden)) << hidden;
    EXPECT_EQ(ImportRule(hidden), "") << hidden;
  }
  int offered = 0;
  for (const auto& c : records::KokyakuColumns()) {
    if (!IsImportable(c.name)) continue;
    ++offered;
    EXPECT_NE(ImportRule(c.name), "") << c.name;
  }
  EXPECT_EQ(offered, 71 - 10);  // the numeric telephone columns are no customer columns
  EXPECT_EQ(ImportRule("TantouName"), "最大 30 バイトまで。これを超えるデータは切り捨てられます。");
  EXPECT_EQ(ImportRule("Note10"), "最大 255 バイトまで。これを超えるデータは切り捨てられます。");
  EXPECT_EQ(ImportRule("Zip_Office"), "最大 10 バイトまで。これを超えるデータは切り捨てられます。");
}

TEST(ImportConvert, RowsBecomeCustomersSkippingTheCaptionRowUnlessAsked) {
  const ImportTable rows = {{"", "F1", "F2"}, {"1", "氏名", "締め日"}, {"2", "山田", "10"}, {"3", "佐藤", "99"}};
  const ImportMapping mapping = {"", "Name", "ClosingDay"};
  const records::KokyakuList skipped = ConvertRows(rows, mapping, false);
  ASSERT_EQ(skipped.size(), 2u);
  EXPECT_EQ(skipped[0]->Name, "山田");
  EXPECT_EQ(skipped[1]->ClosingDay, 99);
  EXPECT_EQ(ConvertRows(rows, mapping, true).size(), 3u);
  EXPECT_TRUE(ConvertRows(rows, mapping, false, [](std::size_t) { return false; }).empty());
}

class MappingDialog : public ::testing::Test {
 protected:
  MappingDialog() : ui([](const std::string& why) { ADD_FAILURE() << why; }) {}
  static std::vector<CImportMappingDlg::Column> Offered() {
    return {{"CustomerID", "お客様コード"}, {"Name", "氏名"},         {"Yomi", "フリガナ"},   {"CompName", "会社名"},
            {"Add1_Home", "自宅住所１"},   {"Add2_Home", "自宅住所２"}, {"Add3_Home", "自宅住所３"}, {"ClosingDay", "締め日"}};
  }
  int Available(CImportMappingDlg& d, std::string_view key) {
    for (std::size_t i = 0; i < d.Available().size(); ++i) {
      if (d.Available()[i].key == key) return static_cast<int>(i);
    }
    return -1;
  }
  void Map(CImportMappingDlg& d, std::string_view key, int line) {
    d.SelectAvailable(Available(d, key));
    d.SelectLine(line);
    d.OnMap();
  }
  ui::ScriptedUi ui;
  const ImportTable rows{{"", "F1", "F2", "F3"}, {"1", "ｺｰﾄﾞ", "名前", "住所"}, {"2", "001", "山田", "東京都"}};
};

TEST_F(MappingDialog, MappingMovesTheColumnOutOfTheLeftListAndBack) {
  CImportMappingDlg d(ui, ImportFormat::Text, rows, Offered());
  EXPECT_EQ(d.LineHeaders(), (std::vector<std::string>{"対応させる列", "１行目", "２行目"}));
  EXPECT_FALSE(d.FromFirstRow());
  Map(d, "Name", 1);
  EXPECT_EQ(Available(d, "Name"), -1);
  EXPECT_EQ(d.Lines()[1].mapped, "氏名");
  EXPECT_EQ(d.Lines()[1].first, "名前");
  EXPECT_EQ(d.Lines()[1].second, "山田");
  EXPECT_EQ(d.Mapping(), (ImportMapping{"", "", "Name", ""}));
  d.SelectLine(1);
  d.OnUnmap();
  EXPECT_NE(Available(d, "Name"), -1);
  EXPECT_EQ(d.Mapping(), (ImportMapping{"", "", "", ""}));
}

TEST_F(MappingDialog, EachButtonRefusesWithItsMessage) {
  CImportMappingDlg d(ui, ImportFormat::Text, rows, Offered());
  ui.ExpectMessage(CImportMappingDlg::kNoCustomerColumn);
  d.OnMap();
  d.SelectAvailable(0);
  ui.ExpectMessage(CImportMappingDlg::kNoFileColumn);
  d.OnMap();
  Map(d, "Name", 0);
  d.SelectAvailable(0);
  d.SelectLine(0);
  ui.ExpectMessage(CImportMappingDlg::kAlreadyMapped);
  d.OnMap();
  d.SelectLine(2);
  ui.ExpectMessage(CImportMappingDlg::kNothingToUnmap);
  d.OnUnmap();
  d.SelectAvailable(-1);
  EXPECT_EQ(d.Note(), "");
  d.SelectAvailable(Available(d, "ClosingDay"));
  EXPECT_EQ(d.Note(), ImportRule("ClosingDay"));
}

TEST_F(MappingDialog, FinishChecksForNamesAndAddresses) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, int>> maps;
    std::string question;  // empty: none asked
  };
  const std::string noName = "項目<氏名>も<会社名>も対応づけされていません。\nこのまま処理を進めてもよろしいですか？";
  const std::string both =
      "項目<氏名>も<会社名>も対応づけされていません。\nまた、項目<住所１>の対応づけを行いましたが<住所２>と<住所３>は対応づけされていません。\n<住所１>は20バイトまでしか登録できませんが、このまま処理を進めてもよろしいですか？";
  const Case cases[] = {
      {"name only", {{"Name", 1}}, ""},
      {"company only", {{"CompName", 1}}, ""},
      {"no name", {{"CustomerID", 0}}, noName},
      {"address part one and name", {{"Add1_Home", 2}, {"Name", 1}}, CImportMappingDlg::kAddressOnly},
      {"address with part two", {{"Add1_Home", 2}, {"Add2_Home", 0}, {"Name", 1}}, ""},
      {"address part one without name", {{"Add1_Home", 2}}, both},
  };
  for (const Case& c : cases) {
    for (const Answer answer : {Answer::No, Answer::Yes}) {
      CImportMappingDlg d(ui, ImportFormat::Text, rows, Offered());
      for (const auto& [key, line] : c.maps) Map(d, key, line);
      if (!c.question.empty()) ui.ExpectMessage(c.question, answer);
      d.OnFinish();
      const bool expectClosed = c.question.empty() || answer == Answer::Yes;
      EXPECT_EQ(d.IsClosing(), expectClosed) << c.name;
      if (c.question.empty()) break;
    }
  }
  CImportMappingDlg none(ui, ImportFormat::Text, rows, Offered());
  ui.ExpectMessage(CImportMappingDlg::kNoMapping);
  none.OnFinish();
  EXPECT_FALSE(none.IsClosing());
}

TEST_F(MappingDialog, CaptionsThatMatchLabelsOrColumnNamesStartMapped) {
  const ImportTable captioned{{"", "F1", "F2", "F3", "F4"},
                              {"1", "お客様コード", "氏　名", "ＣｏｍｐＮａｍｅ", "備考"},
                              {"2", "00001", "山田", "山田商事", "x"}};
  CImportMappingDlg text(ui, ImportFormat::Text, captioned, Offered());
  EXPECT_TRUE(text.MapByCaptions());
  EXPECT_EQ(text.Mapping(), (ImportMapping{"", "CustomerID", "Name", "CompName", ""}));
  EXPECT_FALSE(text.FromFirstRow());

  // Access: the column names of the header row are the captions; the first row is always read.
  const ImportTable access{{"", "CustomerID", "Yomi", "Other"}, {"1", "001", "ヤマダ", "x"}};
  CImportMappingDlg db(ui, ImportFormat::Access, access, Offered());
  EXPECT_EQ(db.LineHeaders(), (std::vector<std::string>{"対応させる列", "ﾃﾞｰﾀの列名", "１行目"}));
  EXPECT_TRUE(db.MapByCaptions());
  EXPECT_EQ(db.Mapping(), (ImportMapping{"", "CustomerID", "Yomi", ""}));
  EXPECT_TRUE(db.FromFirstRow());
  db.SetFromFirstRow(false);
  EXPECT_TRUE(db.FromFirstRow());

  CImportMappingDlg plain(ui, ImportFormat::Text, rows, Offered());
  EXPECT_FALSE(plain.MapByCaptions());
}

TEST(ImportTextDialog, OtherDelimiterKeepsOneByteAndRefusesTheQuote) {
  ui::ScriptedUi ui([](const std::string& why) { ADD_FAILURE() << why; });
  CImportTextDlg d(ui);
  EXPECT_EQ(d.Delimiter(), ',');
  EXPECT_FALSE(d.OtherEnabled());
  d.SetChoice(CImportTextDlg::kTab);
  EXPECT_EQ(d.Delimiter(), '\t');
  d.SetChoice(CImportTextDlg::kOther);
  EXPECT_TRUE(d.OtherEnabled());
  d.SetOther(";x");
  EXPECT_EQ(d.Other(), ";");
  EXPECT_EQ(d.Delimiter(), ';');
  ui.ExpectMessage("区切り文字には\" (ﾀﾞﾌﾞﾙｸｫｰﾃｰｼｮﾝ)は使用できません。");
  d.SetOther("\"");
  EXPECT_EQ(d.Other(), "");
  ui.ExpectMessage(CImportTextDlg::kNoOther);
  d.OnOK();
  EXPECT_FALSE(d.IsClosing());
  d.OnBack();
  EXPECT_TRUE(d.WentBack());
  EXPECT_FALSE(d.ClosedWithOk());
}

}  // namespace
}  // namespace io
