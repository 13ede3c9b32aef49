#pragma once
// Access databases (".mdb" of Jet 3 and Jet 4, and ".accdb" as far as mdbtools reads it): the user
// tables, and one table as a rows table whose header row holds the column names. Numbers become
// text with "%g", dates "%Y/%m/%d"; text of a Jet 3 file is read as CP932.

#include <filesystem>
#include <string>
#include <vector>

#include "io/ImportTable.h"

namespace io {

inline constexpr const char* kAccessNoTables = "テーブルがありません。\n処理を中止します。";
inline constexpr const char* kAccessUnreadable = "%sはAccessのデータベースとして開けませんでした。\n処理を中止します。";

struct TableList {
  std::vector<std::string> names;
  std::string error;
};

TableList ListTables(const std::filesystem::path& database);
ImportRead ReadTable(const std::filesystem::path& database, const std::string& table);

}  // namespace io
