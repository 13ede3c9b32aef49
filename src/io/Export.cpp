#include "io/Export.h"

#include <cstdlib>
#include <system_error>

#include "io/ContactXmlWriter.h"
#include "io/ExportCsv.h"
#include "io/ExportDialogs.h"
#include "io/ExportHtmlSet.h"
#include "io/ExportXlsx.h"
#include "shell/AppRoutines.h"
#include "shell/FolderRoutines.h"
#include "text/Format.h"

namespace io {

namespace fs = std::filesystem;
using ui::Icon;

namespace {

fs::path StartFolder() {
  const char* home = std::getenv("HOME");
  return home ? fs::path(home) : fs::current_path();
}

// The save dialog with its default extension: a name without one gets it.
std::optional<fs::path> AskFile(ui::Ui& ui, const char* filter, const char* extension) {
  std::optional<fs::path> file = ui.SaveFile(kSaveTitle, filter, StartFolder() / (std::string("顧客データ.") + extension));
  if (file && !file->has_extension()) file->replace_extension(extension);
  return file;
}

// Tells how a write ended; true when it was done.
bool Report(ui::Ui& ui, WriteResult result) {
  switch (result) {
    case WriteResult::Done: return true;
    case WriteResult::Cancelled: return false;  // the person stopped it and knows
    case WriteResult::CreateFailed: ui.Tell(kCreateFailed); return false;
    case WriteResult::WriteFailed: ui.Tell(kFileError); return false;
  }
  return false;
}

WriteResult WriteTable(ui::Ui& ui, int format, const fs::path& file, const std::vector<ExportColumn>& columns,
                       const CustomerRefs& customers) {
  CustomerRefs rows = customers;
  if (format == CExportFormatDlg::kExcel) {
    if (IsOpenInSpreadsheet(file)) {
      ui.Tell(text::Format(kOpenInSpreadsheet, file.string()));
      return WriteResult::Cancelled;
    }
    if (rows.size() > kXlsxMaxCustomers) {
      const int most = static_cast<int>(kXlsxMaxCustomers);
      ui.Tell(text::Format(kTooManyRows, most, most));
      rows.resize(kXlsxMaxCustomers);
    }
  }
  const auto progress = ui.StartProgress(kWriting, static_cast<std::int64_t>(rows.size()));
  const WriteTarget target{file, progress.get()};
  return format == CExportFormatDlg::kExcel ? WriteXlsx(target, columns, rows) : WriteCsv(target, columns, rows);
}

// Makes a missing folder after asking; false (after its message) when the folder is to be asked again.
bool EnsureExportFolder(ui::Ui& ui, const fs::path& folder) {
  const int result = shell::EnsureFolder(ui, folder, true, true);
  if (result == shell::kFolderDeclined) ui.Tell(kFolderMissing);
  return result == shell::kFolderExists || result == shell::kFolderCreated;
}

bool HoldsFiles(const fs::path& folder) {
  std::error_code error;
  const fs::directory_iterator it(folder, error);
  return error || it != fs::directory_iterator();
}

// The folder the HTML goes into, asked until it is an empty folder that is not a root; none
// when the person cancels.
std::optional<fs::path> AskHtmlFolder(ui::Ui& ui) {
  fs::path start = StartFolder();
  for (;;) {
    const std::optional<fs::path> chosen = ui.ChooseFolder(kHtmlFolderPrompt, start);
    if (!chosen) return std::nullopt;
    const std::string text = chosen->string();
    const int kind = shell::ClassifyFolderPath(text);
    if (kind == 3 || kind == 4) {
      ui.Tell(kRootFolder);
      continue;
    }
    const fs::path folder = kind == 2 ? fs::path(shell::WithoutFinalSeparator(text)) : *chosen;
    start = folder;
    if (!EnsureExportFolder(ui, folder)) continue;
    if (HoldsFiles(folder)) {
      ui.Tell(text::Format(kFolderHasFiles, folder.string()));
      continue;
    }
    return folder;
  }
}

}  // namespace

void ExportExternalData(ui::Ui& ui, const CustomerRefs& customers, const fs::path& pictureFolder,
                        const fs::path& install) {
  if (customers.empty()) return ui.Tell(kNoCustomer);
  if (!ui.Ask(text::Format(kAskExport, static_cast<int>(customers.size())))) return;
  CExportFormatDlg format;
  if (!ui.Run(format)) return;
  const int chosen = format.Chosen();
  if (chosen == CExportFormatDlg::kContactXml) {
    const std::optional<fs::path> file = AskFile(ui, kContactXmlFilter, "xml");
    if (!file) return;
    WriteResult result;
    {
      const auto progress = ui.StartProgress(kWriting, static_cast<std::int64_t>(customers.size()));
      result = WriteContactXml({*file, progress.get()}, customers, pictureFolder);
    }
    if (Report(ui, result)) ui.Tell(kExportDone, Icon::Information);
    return;
  }
  if (chosen != CExportFormatDlg::kExcel && chosen != CExportFormatDlg::kText) return ui.Tell(kBadFormat);
  const bool excel = chosen == CExportFormatDlg::kExcel;
  const std::optional<fs::path> file = AskFile(ui, excel ? kExcelFilter : kTextFilter, excel ? "xlsx" : "csv");
  if (!file) return;
  CExportColumnDlg columns(ui, install);
  if (!columns.Open() || !ui.Run(columns)) return;
  if (Report(ui, WriteTable(ui, chosen, *file, columns.Chosen(), customers))) ui.Tell(kExportDone, Icon::Information);
}

void ExportHtml(ui::Ui& ui, const CustomerRefs& customers, records::CKokyakuVMData& store,
                const fs::path& pictureFolder, const fs::path& install) {
  if (customers.empty()) return ui.Tell(kHtmlNoCustomer);
  if (customers.size() > kHtmlMaxCustomers) {
    return ui.Tell(text::Format(kHtmlTooMany, static_cast<int>(customers.size()), static_cast<int>(kHtmlMaxCustomers)));
  }
  if (!ui.Ask(text::Format(kAskHtml, static_cast<int>(customers.size())))) return;
  CHtmlFormatDlg kind;
  if (!ui.Run(kind)) return;
  std::vector<records::RirekiList> histories;
  if (kind.Chosen() == CHtmlFormatDlg::kWithHistory) {
    const ui::WaitScope wait = ui.Wait();
    histories.resize(customers.size());
    for (std::size_t i = 0; i < customers.size(); ++i) {
      if (store.GetRirekiForKokyaku(customers[i]->ID, histories[i]) == -1) return ui.Tell(kHtmlFailed);
    }
  }
  const std::optional<fs::path> folder = AskHtmlFolder(ui);
  if (!folder) return;
  HtmlSetInput input;
  input.customers = customers;
  input.columns = ExportColumns(ui, install);
  input.histories = kind.Chosen() == CHtmlFormatDlg::kWithHistory ? &histories : nullptr;
  input.pictureFolder = pictureFolder;
  WriteResult result;
  {
    const auto progress = ui.StartProgress(kWritingHtml, static_cast<std::int64_t>(customers.size()));
    result = WriteHtmlSet({*folder, progress.get()}, input);
  }
  if (result == WriteResult::Done) return ui.Tell(text::Format(kHtmlDone, folder->string()), Icon::Information);
  if (result != WriteResult::Cancelled) ui.Tell(kHtmlFailed);
}

}  // namespace io
