#pragma once
// Workbooks: ".xlsx" through libzip and pugixml, ".xls" (BIFF) through freexl. A sheet's used
// range becomes a rows table: a header row of an empty cell and "F1"..., then each non-empty row
// with its row number as label. Cells become text by these rules: numbers in their shortest form
// with at most three decimals, date cells "%Y/%m/%d" (a time of day formatted as a date as well),
// booleans "1" or "0", text as it is, errors and empty cells empty. Columns past the 256th of
// the sheet are cut, with kExcelCut as the notice.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "io/ImportTable.h"

namespace io {

inline constexpr const char* kExcelMissing = "%sが見つかりませんでした。処理を中断します";
inline constexpr const char* kExcelUnreadable = "%sはExcelのブックとして読み込めませんでした。処理を中断します";
inline constexpr const char* kExcelCut = "読み込み列が256列目を超えています。\n256列目までを読み込みます。";
inline constexpr std::size_t kExcelMaxColumns = 256;

struct SheetList {
  std::vector<std::string> names;
  std::string error;
};

// The sheets of the workbook in their order.
SheetList ListSheets(const std::filesystem::path& workbook);

// The rows of sheet number sheet (from 0).
ImportRead ReadSheet(const std::filesystem::path& workbook, std::size_t sheet);

// A number cell as text: integers without a point, others in their shortest form, "%.3f" when
// that has more than three digits after the point.
std::string NumberText(double value);
// A serial date of the workbook (days since 1899-12-30) as "%Y/%m/%d".
std::string SerialDateText(double serial);

}  // namespace io
