#pragma once
// The export table as an Excel workbook (.xlsx): every cell a string, from A1 of the first sheet.

#include <cstddef>
#include <filesystem>
#include <vector>

#include "io/ExportTable.h"

namespace io {

// The rows a sheet holds, less the header row: the most customers one workbook can take.
inline constexpr std::size_t kXlsxMaxCustomers = 1048575;

// Whether the workbook at path is open in a spreadsheet program now: such a program keeps a lock
// file ".~lock.<name>#" beside the workbook while it has it open.
bool IsOpenInSpreadsheet(const std::filesystem::path& path);

// Writes at most kXlsxMaxCustomers customers (the caller tells the person about the rest).
WriteResult WriteXlsx(const WriteTarget& target, const std::vector<ExportColumn>& columns,
                      const CustomerRefs& customers);

}  // namespace io
