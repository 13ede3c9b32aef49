// Access databases made by Access, read through mdbtools into rows.
#include "io/ImportAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>

#include "io/ImportTestSupport.h"
#include "platform/TempFolder.h"

namespace io {
namespace {

bool Has(const std::vector<std::string>& v, std::string_view s) { return std::find(v.begin(), v.end(), s) != v.end(); }

std::size_t ColumnOf(const ImportTable& rows, std::string_view name) {
  const auto it = std::find(rows[0].begin(), rows[0].end(), name);
  return it == rows[0].end() ? 0 : static_cast<std::size_t>(it - rows[0].begin());
}

struct DatabaseCase {
  const char* file;
  const char* table;         // a table that must be listed and read
  const char* column;        // a column of it
  std::size_t minRows;       // data rows at least
  const char* pattern;       // every non-empty cell of the column matches
};

TEST(ImportAccess, TablesOfAccessDatabasesReadIntoRows) {
  SKIP_WITHOUT_TESTDATA();
  const DatabaseCase cases[] = {
      {"nwind.mdb", "Customers", "CustomerID", 90, "[A-Z]{5}"},            // Jet 3
      {"nwind.mdb", "Orders", "OrderDate", 800, "\\d{4}/\\d{2}/\\d{2}"},    // dates as dates
      {"nwind.mdb", "Products", "UnitPrice", 70, "[0-9.]+"},
  };
  for (const DatabaseCase& c : cases) {
    const auto file = test::TestData() / "access" / c.file;
    const TableList tables = ListTables(file);
    ASSERT_TRUE(tables.error.empty()) << c.file << ": " << tables.error;
    ASSERT_TRUE(Has(tables.names, c.table)) << c.file << " has no " << c.table;
    for (const std::string& t : tables.names) EXPECT_FALSE(t.starts_with("MSys")) << t;
    const ImportRead read = ReadTable(file, c.table);
    ASSERT_TRUE(read.ok()) << c.file << ": " << read.error;
    EXPECT_EQ(read.rows[0][0], "");
    const std::size_t column = ColumnOf(read.rows, c.column);
    ASSERT_GT(column, 0u) << c.table << " has no column " << c.column;
    EXPECT_GE(read.rows.size(), c.minRows + 1) << c.table;
    const std::regex pattern(c.pattern);
    for (std::size_t r = 1; r < read.rows.size(); ++r) {
      ASSERT_EQ(read.rows[r].size(), read.rows[0].size());
      EXPECT_EQ(read.rows[r][0], std::to_string(r));
      const std::string& cell = read.rows[r][column];
      if (!cell.empty()) {
        EXPECT_TRUE(std::regex_match(cell, pattern)) << c.table << "." << c.column << " row " << r << ": " << cell;
      }
    }
  }
}

TEST(ImportAccess, Jet4AndAceFilesListTheirTables) {
  SKIP_WITHOUT_TESTDATA();
  for (const char* name : {"DateTestDatabase.mdb", "ASampleDatabase.accdb"}) {
    const auto file = test::TestData() / "access" / name;
    const TableList tables = ListTables(file);
    ASSERT_TRUE(tables.error.empty()) << name << ": " << tables.error;
    ASSERT_FALSE(tables.names.empty()) << name;
    const ImportRead read = ReadTable(file, tables.names.front());
    EXPECT_TRUE(read.ok()) << name << ": " << read.error;
    EXPECT_GE(read.rows.size(), 1u);
  }
}

TEST(ImportAccess, ForeignOrDamagedFilesGiveTheirMessage) {
  testing_support::TempFolder temp;
  test::WriteBytes(temp / "text.mdb", "Name,Yomi\r\n山田,ヤマダ\r\n");
  test::WriteBytes(temp / "empty.mdb", "");
  for (const char* name : {"text.mdb", "empty.mdb", "missing.mdb"}) {
    const TableList tables = ListTables(temp / name);
    EXPECT_EQ(tables.error, std::string(name) + "はAccessのデータベースとして開けませんでした。\n処理を中止します。");
    EXPECT_TRUE(tables.names.empty());
    EXPECT_FALSE(ReadTable(temp / name, "Customers").ok());
  }
}

}  // namespace
}  // namespace io
