// The files the export writes, read back: CSV by a parse of its own, .xlsx by openpyxl, and what
// a cancelled or failed write leaves behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "io/ExportCsv.h"
#include "io/ImportConvert.h"
#include "io/ImportText.h"
#include "io/ExportTestSupport.h"
#include "io/ExportXlsx.h"
#include "platform/TempFolder.h"
#include "records/KokyakuColumns.h"
#include "settings/SettingsTestSupport.h"
#include "ui/ScriptedUi.h"

namespace io {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
namespace fs = std::filesystem;

// Stops after a given step, as a person pressing cancel would.
class StopAt : public ui::Progress {
 public:
  explicit StopAt(std::int64_t at) : at_(at) {}
  bool Step(std::int64_t done) override { return done < at_; }

 private:
  std::int64_t at_;
};

std::vector<records::CKokyaku> Many(int count) {
  std::vector<records::CKokyaku> all(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    all[i].ID = i + 1;
    all[i].CustomerID = "C" + std::to_string(i);
    all[i].Name = "顧客" + std::to_string(i);
  }
  return all;
}

TEST(ExportCellText, CodesDatesAndNumbersReadBackToTheSameValues) {
  records::CKokyaku k;
  k.Sex = 1;
  k.EntryType = 1;
  k.CustomerType = 0;
  k.TaxMethod = 1;
  k.ClosingDate = 12;
  k.ClosingDay = 99;
  k.CommonMail = 5;
  k.StartDate = records::COleDate::FromCivil(2024, 1, 2);
  k.BirthDay = records::COleDate::FromCivil(1999, 12, 31);
  const struct {
    const char* column;
    const char* text;
  } cases[] = {
      {"Sex", "1：女"},
      {"EntryType", "1：個人"},
      {"CustomerType", "0：正規顧客"},
      {"TaxMethod", "1：外税（請求時）"},
      {"ClosingDate", "12"},
      {"ClosingDay", "99"},
      {"CommonMail", "5"},
      {"StartDate", "2024/01/02"},
      {"BirthDay", "1999/12/31"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExportCellText(k, c.column), c.text) << c.column;
    records::CKokyaku back;
    ASSERT_TRUE(records::SetColumnFromText(back, c.column, ExportCellText(k, c.column)));
    if (std::string_view(c.column) != "StartDate") {
      EXPECT_EQ(records::ColumnText(back, c.column, records::TextStyle::Export), c.text) << c.column;
    }
  }
  k.BirthDay = records::COleDate::Null();
  EXPECT_EQ(ExportCellText(k, "BirthDay"), "");
  k.TaxMethod = 3;
  EXPECT_EQ(ExportCellText(k, "TaxMethod"), "3：なし");
  k.TaxMethod = 4;
  EXPECT_EQ(ExportCellText(k, "TaxMethod"), "4：未設定");
}

TEST(ExportColumns, LeaveOutTheInnerAndPictureColumns) {
  for (const char* never : {"ID", "TEL_Home_X", "TEL_Office_X", "Picture1", "Picture5", "ColorMark", "RirekiUpDate"}) {
    EXPECT_FALSE(IsExportColumn(never)) << never;
  }
  for (const char* key : {"CustomerID", "Name", "StartDate", "LastUpDate", "BirthDay", "CommonMail", "Note10"}) {
    EXPECT_TRUE(IsExportColumn(key)) << key;
  }
}

TEST(ExportCsv, QuotesEveryCellDoublesQuotesAndEndsRowsWithCrLfInCp932) {
  TempFolder temp;
  const auto all = test::VariedCustomers();
  const auto file = temp / "out.csv";
  ASSERT_EQ(WriteCsv({file, nullptr}, test::Columns({"CustomerID", "Name"}), {&all[0]}), WriteResult::Done);
  EXPECT_EQ(ReadBytes(file), settings::test::Sjis("\"label:CustomerID\",\"label:Name\"\r\n"
                                                  "\"K0001\",\"山田 \"\"タロ\"\" 太郎\"\r\n"));
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"out.csv"});  // no temporary file left
}

TEST(ExportCsv, EveryCellReadsBackThroughTheImport) {
  TempFolder temp;
  const auto all = test::VariedCustomers();
  const auto columns = test::Columns({"CustomerID", "Name", "Yomi", "Sex", "EntryType", "CustomerType", "BirthDay",
                                      "TaxMethod", "ClosingDate", "ClosingDay", "CommonMail", "EMail2", "Add2_Home",
                                      "CompName", "Note1"});
  const auto file = temp / "out.csv";
  ASSERT_EQ(WriteCsv({file, nullptr}, columns, test::Refs(all)), WriteResult::Done);
  EXPECT_FALSE(ReadBytes(file).starts_with("\xEF\xBB\xBF")) << "CP932, no BOM";
  const TextParse parsed = ReadDelimitedFile(file, ',');
  ASSERT_TRUE(parsed.read.ok()) << parsed.read.error;
  const ImportTable& table = parsed.read.rows;
  ASSERT_EQ(table.size(), all.size() + 2);  // the import's own header row, then the file's
  ImportMapping mapping(columns.size() + 1);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    EXPECT_EQ(table[1][c + 1], columns[c].label);
    mapping[c + 1] = columns[c].key;
  }
  const records::KokyakuList back = ConvertRows(table, mapping, false);
  ASSERT_EQ(back.size(), all.size());
  for (std::size_t r = 0; r < all.size(); ++r) {
    for (const auto& column : columns) {
      EXPECT_EQ(records::ColumnText(*back[r], column.key, records::TextStyle::Export),
                records::ColumnText(all[r], column.key, records::TextStyle::Export))
          << "row " << r << " " << column.key;
    }
  }
}

TEST(ExportCsv, TextWithoutACp932CodeIsWrittenWholeAsUtf8) {
  TempFolder temp;
  auto all = test::VariedCustomers();
  all[2].Name = "𠮷野家 😀";
  const auto file = temp / "out.csv";
  ASSERT_EQ(WriteCsv({file, nullptr}, test::Columns({"Name"}), test::Refs(all)), WriteResult::Done);
  bool utf8 = false;
  const auto table = test::ParseCsv(test::CsvText(ReadBytes(file), &utf8));
  ASSERT_TRUE(table);
  EXPECT_TRUE(utf8);
  ASSERT_EQ(table->size(), 4u);
  EXPECT_EQ((*table)[1][0], all[0].Name);
  EXPECT_EQ((*table)[3][0], all[2].Name);
}

TEST(ExportWriters, ACancelledOrFailedWriteLeavesTheChosenPathAsItWas) {
  TempFolder temp;
  const auto all = Many(3000);
  const auto refs = test::Refs(all);
  const auto columns = test::Columns({"CustomerID", "Name"});
  for (const bool excel : {false, true}) {
    SCOPED_TRACE(excel ? "xlsx" : "csv");
    const auto fresh = temp / (excel ? "new.xlsx" : "new.csv");
    const auto old = temp / (excel ? "old.xlsx" : "old.csv");
    testing_support::WriteBytes(old, "the earlier export");
    for (const auto& path : {fresh, old}) {
      StopAt stop(1024);
      const WriteTarget target{path, &stop};
      EXPECT_EQ(excel ? WriteXlsx(target, columns, refs) : WriteCsv(target, columns, refs), WriteResult::Cancelled);
    }
    EXPECT_FALSE(fs::exists(fresh));
    EXPECT_EQ(ReadBytes(old), "the earlier export");
    const auto nowhere = temp / "missing" / (excel ? "x.xlsx" : "x.csv");
    const WriteTarget target{nowhere, nullptr};
    EXPECT_EQ(excel ? WriteXlsx(target, columns, refs) : WriteCsv(target, columns, refs), WriteResult::CreateFailed);
  }
  EXPECT_EQ(temp.Names(), (std::vector<std::string>{"old.csv", "old.xlsx"}));
}

TEST(ExportXlsx, AnIndependentReaderSeesTheTableFromA1) {
  const std::string python = test::PythonWithOpenpyxl();
  if (python.empty()) GTEST_SKIP() << "openpyxl is not installed (python3-openpyxl)";
  TempFolder temp;
  const auto all = test::VariedCustomers();
  const auto columns = test::Columns({"CustomerID", "Name", "Sex", "EntryType", "BirthDay", "TaxMethod", "ClosingDay",
                                      "CompName", "Add2_Home"});
  const auto file = temp / "out.xlsx";
  ASSERT_EQ(WriteXlsx({file, nullptr}, columns, test::Refs(all)), WriteResult::Done);
  const auto table = test::ReadXlsx(python, file);
  ASSERT_TRUE(table);
  ASSERT_EQ(table->size(), all.size() + 1);
  for (std::size_t c = 0; c < columns.size(); ++c) EXPECT_EQ((*table)[0][c], columns[c].label);
  for (std::size_t r = 0; r < all.size(); ++r) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      EXPECT_EQ((*table)[r + 1][c], ExportCellText(all[r], columns[c].key)) << "row " << r << " " << columns[c].key;
    }
  }
  EXPECT_EQ((*table)[1][1], "山田 \"タロ\" 太郎");
  EXPECT_EQ((*table)[1][3], "1：個人");
}

TEST(ExportXlsx, AWorkbookOpenInASpreadsheetProgramIsKnownByItsLockFile) {
  TempFolder temp;
  EXPECT_FALSE(IsOpenInSpreadsheet(temp / "顧客.xlsx"));
  testing_support::WriteBytes(temp / ".~lock.顧客.xlsx#", "user");
  EXPECT_TRUE(IsOpenInSpreadsheet(temp / "顧客.xlsx"));
}

}  // namespace
}  // namespace io
