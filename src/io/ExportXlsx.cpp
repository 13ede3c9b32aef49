#include "io/ExportXlsx.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>

#include "io/ExportFile.h"

namespace io {

namespace {

constexpr std::size_t kRowsPerStep = 512;

struct WorkbookCloser {
  void operator()(lxw_workbook* w) const { workbook_close(w); }
};

}  // namespace

bool IsOpenInSpreadsheet(const std::filesystem::path& path) {
  std::error_code ignored;
  return std::filesystem::exists(path.parent_path() / (".~lock." + path.filename().string() + "#"), ignored);
}

WriteResult WriteXlsx(const WriteTarget& target, const std::vector<ExportColumn>& columns,
                      const CustomerRefs& customers) {
  ExportFile file(target.path);
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;  // rows go to the file as they are written, whatever the count
  options.use_zip64 = LXW_TRUE;
  std::unique_ptr<lxw_workbook, WorkbookCloser> book(workbook_new_opt(file.StagingPath().c_str(), &options));
  if (!book) return WriteResult::CreateFailed;
  lxw_worksheet* sheet = workbook_add_worksheet(book.get(), nullptr);
  if (!sheet) return WriteResult::CreateFailed;
  bool ok = true;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    ok &= worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), columns[c].label.c_str(), nullptr) == LXW_NO_ERROR;
  }
  const std::size_t rows = std::min(customers.size(), kXlsxMaxCustomers);
  std::string text;
  for (std::size_t r = 0; r < rows && ok; ++r) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      text = ExportCellText(*customers[r], columns[c].key);
      if (text.empty()) continue;  // an empty string is an empty cell
      ok &= worksheet_write_string(sheet, static_cast<lxw_row_t>(r + 1), static_cast<lxw_col_t>(c), text.c_str(),
                                   nullptr) == LXW_NO_ERROR;
    }
    if ((r + 1) % kRowsPerStep == 0 && target.progress && !target.progress->Step(static_cast<std::int64_t>(r + 1))) {
      return WriteResult::Cancelled;  // the workbook is closed and its staging file removed
    }
  }
  if (!ok) return WriteResult::WriteFailed;
  const lxw_error closed = workbook_close(book.release());
  if (closed == LXW_ERROR_CREATING_XLSX_FILE) return WriteResult::CreateFailed;
  if (closed != LXW_NO_ERROR) return WriteResult::WriteFailed;
  if (target.progress && !target.progress->Step(static_cast<std::int64_t>(rows))) return WriteResult::Cancelled;
  return file.Commit() ? WriteResult::Done : WriteResult::WriteFailed;
}

}  // namespace io
