// Workbooks made by other programs, and ones the tests make themselves, read into rows.
#include "io/ImportExcel.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <map>

#include "io/ImportTestSupport.h"
#include "io/ImportText.h"
#include "platform/TempFolder.h"
#include "records/COleDate.h"

namespace io {
namespace {

// A minimal .xlsx: one sheet whose cells are given as XML, plus shared strings and styles.
void WriteXlsx(const std::filesystem::path& file, const std::string& sheetData, const std::string& shared = "",
               const std::string& styles = "") {
  int error = 0;
  zip_t* z = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(z, nullptr);
  std::map<std::string, std::string> parts = {
      {"xl/workbook.xml",
       R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="顧客" sheetId="1" r:id="rId1"/><sheet name="Empty" sheetId="2" r:id="rId2"/></sheets></workbook>)"},
      {"xl/_rels/workbook.xml.rels",
       R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="worksheet" Target="/xl/worksheets/sheet2.xml"/></Relationships>)"},
      {"xl/worksheets/sheet1.xml",
       R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" + sheetData + "</sheetData></worksheet>"},
      {"xl/worksheets/sheet2.xml", R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData/></worksheet>)"},
  };
  if (!shared.empty()) parts["xl/sharedStrings.xml"] = R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)" + shared + "</sst>";
  if (!styles.empty()) parts["xl/styles.xml"] = R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)" + styles + "</styleSheet>";
  std::vector<std::string> keep;
  keep.reserve(parts.size());
  for (const auto& [name, text] : parts) {
    keep.push_back(text);
    zip_source_t* source = zip_source_buffer(z, keep.back().data(), keep.back().size(), 0);
    ASSERT_GE(zip_file_add(z, name.c_str(), source, ZIP_FL_ENC_UTF_8), 0);
  }
  ASSERT_EQ(zip_close(z), 0);
}

std::string ColumnName(std::size_t column) {  // 0 -> A
  std::string name;
  for (++column; column > 0; column = (column - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
  return name;
}

TEST(ImportExcel, CellsBecomeTextByTheirType) {
  testing_support::TempFolder temp;
  const std::string styles =
      R"(<numFmts><numFmt numFmtId="164" formatCode="yy/mm/dd"/><numFmt numFmtId="165" formatCode="#,##0&quot;円&quot;"/></numFmts>)"
      R"(<cellXfs><xf numFmtId="0"/><xf numFmtId="164"/><xf numFmtId="165"/><xf numFmtId="14"/><xf numFmtId="20"/></cellXfs>)";
  const std::string cells =
      R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="inlineStr"><is><t>直接</t></is></c></row>)"
      R"(<row r="2"><c r="A2"><v>1500</v></c><c r="B2"><v>120000.5</v></c><c r="C2"><v>3.14159</v></c><c r="D2" s="1"><v>23462</v></c>)"
      R"(<c r="E2" s="2"><v>23800</v></c><c r="F2" t="b"><v>1</v></c><c r="G2" t="e"><v>#DIV/0!</v></c><c r="H2" s="3"><v>45292</v></c>)"
      R"(<c r="I2" s="4"><v>0.5</v></c><c r="J2" t="str"><v>式の結果</v></c></row>)"
      R"(<row r="4"><c r="B4" t="s"><v>2</v></c></row>)";
  const std::string shared = R"(<si><t>00001</t></si><si><r><t>中村</t></r><r><t>　結衣</t></r><rPh><t>ナカムラ</t></rPh></si><si><t>要確認
（転居予定）</t></si>)";
  WriteXlsx(temp / "types.xlsx", cells, shared, styles);
  const SheetList sheets = ListSheets(temp / "types.xlsx");
  EXPECT_EQ(sheets.names, (std::vector<std::string>{"顧客", "Empty"}));
  const ImportRead read = ReadSheet(temp / "types.xlsx", 0);
  ASSERT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(read.notice, "");
  ASSERT_EQ(read.rows.size(), 4u);  // header and three rows; the empty row 3 is not there
  EXPECT_EQ(read.rows[0], (ImportRow{"", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10"}));
  EXPECT_EQ(read.rows[1], (ImportRow{"1", "00001", "中村　結衣", "直接", "", "", "", "", "", "", ""}));
  EXPECT_EQ(read.rows[2], (ImportRow{"2", "1500", "120000.5", "3.142", "1964/03/26", "23800", "1", "", "2024/01/01", "1899/12/30", "式の結果"}));
  EXPECT_EQ(read.rows[3][0], "4");
  EXPECT_EQ(read.rows[3][2], "要確認\n（転居予定）");

  const ImportRead empty = ReadSheet(temp / "types.xlsx", 1);
  ASSERT_TRUE(empty.ok());
  EXPECT_LE(empty.rows.size(), 1u);
}

TEST(ImportExcel, ASheetWiderThan256ColumnsIsCutAtColumn256OfTheSheet) {
  testing_support::TempFolder temp;
  std::string row = "<row r=\"1\">";
  for (std::size_t c = 2; c < 2 + 300; ++c) row += "<c r=\"" + ColumnName(c) + "1\"><v>" + std::to_string(c) + "</v></c>";
  row += "</row>";
  WriteXlsx(temp / "wide.xlsx", row);
  const ImportRead read = ReadSheet(temp / "wide.xlsx", 0);
  ASSERT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(read.notice, kExcelCut);
  ASSERT_EQ(read.rows.size(), 2u);
  ASSERT_EQ(read.rows[1].size(), 1u + 254u);  // columns C to IV
  EXPECT_EQ(read.rows[1][1], "2");
  EXPECT_EQ(read.rows[1].back(), "255");
}

TEST(ImportExcel, NumbersAndDatesFollowTheTextRules) {
  EXPECT_EQ(NumberText(1500), "1500");
  EXPECT_EQ(NumberText(-3), "-3");
  EXPECT_EQ(NumberText(120000.5), "120000.5");
  EXPECT_EQ(NumberText(0.125), "0.125");
  EXPECT_EQ(NumberText(2.0 / 3.0), "0.667");
  EXPECT_EQ(SerialDateText(23462), "1964/03/26");
}

// The Japanese office's sheet as LibreOffice saved it: every row with its text exact, codes with
// their leading zeros, dates as dates, the same as the CSV it was made from.
TEST(ImportExcel, TheJapaneseCustomerSheetReadsAsItsSource) {
  SKIP_WITHOUT_TESTDATA();
  const TextParse source = ReadDelimitedFile(test::TestData() / "japanese" / "customers-source-utf8.csv", ',');
  ASSERT_TRUE(source.read.ok());
  const std::size_t birthday = 12, amount = 13;
  for (const char* name : {"customers.xlsx", "customers.xls"}) {
    const auto file = test::TestData() / "japanese" / name;
    const SheetList sheets = ListSheets(file);
    ASSERT_TRUE(sheets.error.empty()) << name << ": " << sheets.error;
    ASSERT_FALSE(sheets.names.empty());
    const ImportRead read = ReadSheet(file, 0);
    ASSERT_TRUE(read.ok()) << name << ": " << read.error;
    ASSERT_EQ(read.rows.size(), source.read.rows.size()) << name;
    for (std::size_t r = 1; r < read.rows.size(); ++r) {
      ASSERT_EQ(read.rows[r].size(), source.read.rows[r].size()) << name << " row " << r;
      for (std::size_t c = 1; c < read.rows[r].size(); ++c) {
        std::string expected = source.read.rows[r][c];
        if (c == birthday && r > 1 && !expected.empty()) expected = records::COleDate::Parse(expected)->Format();
        EXPECT_EQ(read.rows[r][c], expected) << name << " row " << r << " column " << c;
      }
    }
    EXPECT_EQ(read.rows[2][1], "00001") << name;
    EXPECT_EQ(read.rows[2][amount], "") << name;
  }
}

struct RealFile {
  const char* name;
  bool readable;
  std::size_t minRows;  // at least this many rows on the first sheet (header included)
};

TEST(ImportExcel, WorkbooksOfOtherProgramsReadOrGiveTheirMessage) {
  SKIP_WITHOUT_TESTDATA();
  const RealFile files[] = {
      {"profiles.xls", true, 2},
      {"ragged.xls", true, 2},
      {"namesdemo.xls", true, 1},         // its first sheet holds names only: no rows
      {"sample.xlsx", true, 1},           // one sheet with a comment and no cells
      {"corrupted_error.xls", true, 2},   // damaged where only other readers look
      {"Formate.xls", false, 0},          // a record freexl refuses: the message, no rows
  };
  for (const RealFile& f : files) {
    const auto file = test::TestData() / "excel" / f.name;
    const SheetList sheets = ListSheets(file);
    const ImportRead read = sheets.error.empty() ? ReadSheet(file, 0) : ImportRead::Failed(sheets.error);
    if (f.readable) {
      EXPECT_TRUE(read.ok()) << f.name << ": " << read.error;
      EXPECT_GE(read.rows.size(), f.minRows) << f.name;
      for (const auto& row : read.rows) EXPECT_EQ(row.size(), read.rows[0].size()) << f.name;
    } else {
      EXPECT_FALSE(read.ok()) << f.name;
      EXPECT_NE(read.error.find(f.name), std::string::npos) << read.error;
      EXPECT_TRUE(read.rows.empty());
    }
  }
  const auto missing = test::TestData() / "excel" / "missing.xls";
  EXPECT_EQ(ListSheets(missing).error, "missing.xlsが見つかりませんでした。処理を中断します");
}

}  // namespace
}  // namespace io
