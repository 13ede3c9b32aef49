#pragma once
// The export table as comma-separated text: every cell in double quotes with each double quote
// inside doubled, cells joined by ",", each row ended by CR LF, in code page 932. A table holding
// a character code page 932 has no code for is written whole in UTF-8 after a byte-order mark
// instead, which the import reads as such, so no character is lost.

#include <string>
#include <vector>

#include "io/ExportTable.h"

namespace io {

// One cell as the file holds it (UTF-8): "a""b" for a"b.
std::string CsvCell(std::string_view text);

WriteResult WriteCsv(const WriteTarget& target, const std::vector<ExportColumn>& columns,
                     const CustomerRefs& customers);

}  // namespace io
