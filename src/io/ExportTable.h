#pragma once
// The export table: the columns the user chose, in order, headed by their labels, and one row of
// value texts per selected customer, in list order. Value texts read back through the import to
// the same codes ("1：個人" reads as 1).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "records/CKokyaku.h"
#include "ui/Progress.h"

namespace io {

// The customers to export, in list order; the records stay the document's.
using CustomerRefs = std::vector<const records::CKokyaku*>;

// Every column of the column set may be exported except ID, the hidden telephone numbers, the
// pictures, the colour mark and the last history date.
bool IsExportColumn(std::string_view key);

struct ExportColumn {
  std::string key;
  std::string label;  // the header cell
};

// The text a cell holds: codes as "%d：%s", dates "%Y/%m/%d" (an unset birthday empty), numbers
// "%d", every other column as stored.
std::string ExportCellText(const records::CKokyaku& k, std::string_view key);

// How a file writer ended. On anything but Done the chosen path is as it was before.
enum class WriteResult {
  Done,
  Cancelled,     // the person stopped it
  CreateFailed,  // the file could not be created
  WriteFailed,   // writing, syncing or renaming it into place failed
};

// Rows are reported to progress as they are written (one step per customer); null for none.
struct WriteTarget {
  std::filesystem::path path;
  ui::Progress* progress = nullptr;
};

}  // namespace io
