#include "io/ExportCsv.h"

#include "io/ExportFile.h"
#include "text/Cp932.h"

namespace io {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Rows gathered before each conversion and write: few calls, little memory.
constexpr std::size_t kRowsPerChunk = 512;

void AppendCell(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendRow(std::string& out, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i) out += ',';
    AppendCell(out, cells[i]);
  }
  out += "\r\n";
}

enum class Pass { Done, Cancelled, Failed, NeedsUtf8 };

Pass WriteAll(ExportFile& file, bool cp932, const std::vector<ExportColumn>& columns, const CustomerRefs& customers,
              ui::Progress* progress) {
  std::string chunk;
  const auto flush = [&]() -> Pass {
    if (!cp932) return file.Write(chunk) ? Pass::Done : Pass::Failed;
    const auto bytes = text::ToCp932(chunk);
    if (!bytes) return Pass::NeedsUtf8;
    return file.Write(*bytes) ? Pass::Done : Pass::Failed;
  };
  if (!cp932 && !file.Write(kUtf8Bom)) return Pass::Failed;
  std::vector<std::string> cells;
  for (const ExportColumn& c : columns) cells.push_back(c.label);
  AppendRow(chunk, cells);
  for (std::size_t row = 0; row < customers.size(); ++row) {
    for (std::size_t i = 0; i < columns.size(); ++i) cells[i] = ExportCellText(*customers[row], columns[i].key);
    AppendRow(chunk, cells);
    if ((row + 1) % kRowsPerChunk == 0) {
      if (const Pass p = flush(); p != Pass::Done) return p;
      chunk.clear();
      if (progress && !progress->Step(static_cast<std::int64_t>(row + 1))) return Pass::Cancelled;
    }
  }
  if (const Pass p = flush(); p != Pass::Done) return p;
  if (progress && !progress->Step(static_cast<std::int64_t>(customers.size()))) return Pass::Cancelled;
  return Pass::Done;
}

}  // namespace

std::string CsvCell(std::string_view text) {
  std::string out;
  AppendCell(out, text);
  return out;
}

WriteResult WriteCsv(const WriteTarget& target, const std::vector<ExportColumn>& columns, const CustomerRefs& customers) {
  ExportFile file(target.path);
  if (!file.Open()) return WriteResult::CreateFailed;
  Pass pass = WriteAll(file, true, columns, customers, target.progress);
  if (pass == Pass::NeedsUtf8) {
    pass = file.Restart() ? WriteAll(file, false, columns, customers, target.progress) : Pass::Failed;
  }
  switch (pass) {
    case Pass::Done: return file.Commit() ? WriteResult::Done : WriteResult::WriteFailed;
    case Pass::Cancelled: return WriteResult::Cancelled;
    default: return WriteResult::WriteFailed;
  }
}

}  // namespace io
