#include "io/ImportTable.h"

#include <algorithm>

namespace io {

std::string DefaultColumnName(std::size_t column) { return "F" + std::to_string(column); }

void SquareTable(ImportTable& rows) {
  std::size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.size());
  for (auto& row : rows) row.resize(width);
}

}  // namespace io
