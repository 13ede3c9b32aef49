#pragma once
// What every tabular reader of the import gives: a rows table of UTF-8 strings. Row 0 is the header
// row; in every row cell 0 is a row label (empty in the header, the row number in data rows) and
// cells 1... are the file's columns. A reader that fails gives no rows and the message to show.

#include <string>
#include <vector>

namespace io {

using ImportRow = std::vector<std::string>;
using ImportTable = std::vector<ImportRow>;

struct ImportRead {
  ImportTable rows;
  std::string error;   // the message for the person; empty when the reading succeeded
  std::string notice;  // a message to show before going on (columns cut at 256)
  bool cancelled = false;  // the person stopped the reading: nothing to report
  bool ok() const { return error.empty() && !cancelled; }

  static ImportRead Cancelled() {
    ImportRead r;
    r.cancelled = true;
    return r;
  }

  static ImportRead Failed(std::string message) {
    ImportRead r;
    r.error = std::move(message);
    return r;
  }
};

// The names the readers give columns that have none: "F1", "F2", ...
std::string DefaultColumnName(std::size_t column);

// Pads every row of the table to the same number of cells, so the mapping and the conversion can
// index any cell of any row.
void SquareTable(ImportTable& rows);

}  // namespace io
