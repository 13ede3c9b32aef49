#include "io/ExportTable.h"

#include <algorithm>
#include <array>

#include "records/KokyakuColumns.h"

namespace io {

bool IsExportColumn(std::string_view key) {
  static constexpr std::array<std::string_view, 10> kNever = {
      "ID",       "TEL_Home_X", "TEL_Office_X", "Picture1",  "Picture2",
      "Picture3", "Picture4",   "Picture5",     "ColorMark", "RirekiUpDate",
  };
  return std::find(kNever.begin(), kNever.end(), key) == kNever.end();
}

std::string ExportCellText(const records::CKokyaku& k, std::string_view key) {
  return records::ColumnText(k, key, records::TextStyle::Export);
}

}  // namespace io
