#include "io/ImportText.h"

#include <gtest/gtest.h>

#include "io/ImportTestSupport.h"
#include "platform/TempFolder.h"

namespace io {
namespace {

using test::Cp932;

struct ParseCase {
  const char* name;
  std::string bytes;
  char delimiter;
  ImportTable expected;  // data rows only, without labels
};

ImportTable DataCells(const ImportTable& rows) {
  ImportTable cells;
  for (std::size_t r = 1; r < rows.size(); ++r) cells.emplace_back(rows[r].begin() + 1, rows[r].end());
  return cells;
}

TEST(ImportText, ParsesCellsUnderTheQuoteRules) {
  const ParseCase cases[] = {
      {"plain", "a,b,c\r\nd,e,f\r\n", ',', {{"a", "b", "c"}, {"d", "e", "f"}}},
      {"no final line end", "a,b\r\nc,d", ',', {{"a", "b"}, {"c", "d"}}},
      {"doubled quote is one", "\"say \"\"hi\"\"\",x\r\n", ',', {{"say \"hi\"", "x"}}},
      {"delimiter inside quotes", "\"a,b\",c\r\n", ',', {{"a,b", "c"}}},
      {"CR LF inside quotes stays", "\"line1\r\nline2\",x\r\n", ',', {{"line1\r\nline2", "x"}}},
      {"lone LF stays in a CRLF file", "a\nb,c\r\nd,e\r\n", ',', {{"a\nb", "c"}, {"d", "e"}}},
      {"lone CR stays", "a\rb,c\r\n", ',', {{"a\rb", "c"}}},
      {"empty cells", ",,\r\n\"\",x,\r\n", ',', {{"", "", ""}, {"", "x", ""}}},
      {"tab", "a\tb\r\n", '\t', {{"a", "b"}}},
      {"space", "a b\r\n", ' ', {{"a", "b"}}},
      {"LF-only file ends rows at LF", "a,b\nc,d\n", ',', {{"a", "b"}, {"c", "d"}}},
      // 表 is 95 5C and ソ is 83 5C: the 5C trail byte is no delimiter "\" and no quote.
      {"CP932 trail byte 5C is no delimiter", Cp932("表\\ソ\\x\r\n"), '\\', {{"表", "ソ", "x"}}},
      // ポ is 83 7C, whose trail byte is "|".
      {"CP932 trail byte 7C is no delimiter", Cp932("ポ|a\r\n"), '|', {{"ポ", "a"}}},
      {"CP932 kana and kanji", Cp932("\"髙橋　﨑\",㈱ソレル,〜①\r\n"), ',', {{"髙橋　﨑", "㈱ソレル", "〜①"}}},
      {"UTF-8 with BOM", "\xEF\xBB\xBF名前,読み\r\n山田,ヤマダ\r\n", ',', {{"名前", "読み"}, {"山田", "ヤマダ"}}},
      {"UTF-8 without BOM", "名前,読み\r\n", ',', {{"名前", "読み"}}},
  };
  for (const ParseCase& c : cases) {
    const TextParse parse = ParseDelimited(c.bytes, c.delimiter);
    ASSERT_TRUE(parse.read.ok()) << c.name << ": " << parse.read.error;
    EXPECT_EQ(DataCells(parse.read.rows), c.expected) << c.name;
  }
}

TEST(ImportText, RowsCarryTheirNumberAndAHeaderOfDefaultNames) {
  const TextParse parse = ParseDelimited("a,b\r\nc,d\r\n", ',');
  ASSERT_EQ(parse.read.rows.size(), 3u);
  EXPECT_EQ(parse.read.rows[0], (ImportRow{"", "F1", "F2"}));
  EXPECT_EQ(parse.read.rows[1][0], "1");
  EXPECT_EQ(parse.read.rows[2][0], "2");
}

TEST(ImportText, MalformedTextGivesItsMessageAndNoRows) {
  const char* malformed[] = {
      "\"a\"b,c\r\n",          // a closing quote followed by a character
      "a,b\r\nc\r\n",          // a row with fewer cells
      "a,b\r\nc,d,e\r\n",      // a row with more cells
      "\"never closed,x\r\n",  // the data ends inside quotes
  };
  for (const char* bytes : malformed) {
    const TextParse parse = ParseDelimited(bytes, ',');
    EXPECT_EQ(parse.read.error, kTextMalformed) << bytes;
    EXPECT_TRUE(parse.read.rows.empty()) << bytes;
  }
}

TEST(ImportText, BytesThatAreNoCp932AreReportedNotTurnedIntoQuestionMarks) {
  // 0x85 0x40 is an unassigned CP932 code.
  const TextParse parse = ParseDelimited("ok,fine\r\nbad\x85\x40,x\r\n", ',');
  EXPECT_NE(parse.read.error.find("2行目"), std::string::npos) << parse.read.error;
  EXPECT_TRUE(parse.read.rows.empty());
}

TEST(ImportText, EncodingIsUtf8ByBomOrValidityElseCp932) {
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF" "abc"), TextEncoding::Utf8);
  EXPECT_EQ(DetectEncoding("東京"), TextEncoding::Utf8);
  EXPECT_EQ(DetectEncoding(Cp932("東京")), TextEncoding::Cp932);
  EXPECT_EQ(DetectEncoding("plain ascii"), TextEncoding::Cp932);
}

TEST(ImportText, ProgressCanCancelTheReading) {
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += "a,b\r\n";
  std::size_t asked = 0;
  const TextParse parse = ParseDelimited(bytes, ',', [&](std::size_t rows) {
    asked = rows;
    return rows < 2000;
  });
  EXPECT_TRUE(parse.cancelled);
  EXPECT_TRUE(parse.read.rows.empty());
  EXPECT_EQ(asked, 2000u);
}

TEST(ImportText, PreviewShowsTheHeadOfTheFileWithoutACutCharacter) {
  testing_support::TempFolder temp;
  std::string big = Cp932("あ");
  std::string bytes;
  bytes += "x";  // one byte first, so the cut at 62464 falls inside a two-byte character
  while (bytes.size() < kPreviewBytes + 10) bytes += big;
  test::WriteBytes(temp.Path() / "big.csv", bytes);
  const TextPreview preview = ReadPreview(temp.Path() / "big.csv");
  ASSERT_TRUE(preview.error.empty());
  EXPECT_EQ(preview.text.find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_EQ(text::Cp932Length(preview.text), kPreviewBytes - 1);
  EXPECT_EQ(ReadPreview(temp.Path() / "missing.csv").error, kTextUnreadable);
}

TEST(ImportText, RealCp932ExportOfASpreadsheetReadsExact) {
  SKIP_WITHOUT_TESTDATA();
  const TextParse csv = ReadDelimitedFile(test::TestData() / "japanese" / "customers-cp932.csv", ',');
  ASSERT_TRUE(csv.read.ok()) << csv.read.error;
  // The source text, as UTF-8 and unquoted where it can be: the same cells, row for row.
  const TextParse source = ReadDelimitedFile(test::TestData() / "japanese" / "customers-source-utf8.csv", ',');
  ASSERT_TRUE(source.read.ok()) << source.read.error;
  ASSERT_EQ(csv.read.rows.size(), 62u);  // header, captions and 60 customers
  ASSERT_EQ(csv.read.rows.size(), source.read.rows.size());
  const std::size_t birthday = 12;
  for (std::size_t r = 1; r < csv.read.rows.size(); ++r) {
    for (std::size_t c = 0; c < csv.read.rows[r].size(); ++c) {
      if (c == birthday && r > 1) continue;  // the export writes the short date form
      std::string expected = source.read.rows[r][c];
      EXPECT_EQ(csv.read.rows[r][c], expected) << "row " << r << " column " << c;
    }
  }
  EXPECT_EQ(csv.read.rows[2][1], "00001");
  EXPECT_EQ(csv.read.rows[2][4], "㈱ソレル商事");
}

}  // namespace
}  // namespace io
