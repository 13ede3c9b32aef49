#include "io/Import.h"

#include "io/CImportOptionDlg.h"
#include "io/CImportPickDlg.h"
#include "io/CImportTextDlg.h"
#include "io/ContactXmlReader.h"
#include "io/ImportAccess.h"
#include "io/ImportExcel.h"
#include "io/ImportText.h"
#include "platform/CProfile.h"
#include "records/KokyakuColumns.h"
#include "settings/CQMVColSet.h"
#include "shell/CTovanaDoc.h"
#include "text/Format.h"

namespace io {

namespace {

constexpr const char* kMemorySection = "Settings-Import";
constexpr const char* kAccessFilter = "Microsoft Accessﾃﾞｰﾀﾍﾞｰｽ(*.mdb;*.accdb)|*.mdb;*.accdb||";
constexpr const char* kExcelFilter = "Microsoft Excelｼｰﾄ(*.xls;*.xlsx)|*.xls;*.xlsx||";
constexpr const char* kTextFilter = "ﾃｷｽﾄﾌｧｲﾙ(*.csv;*.txt)|*.csv;*.txt||";
constexpr const char* kXmlFilter = "ContactXMLﾌｧｲﾙ(*.xml)|*.xml||";
constexpr const char* kOpenTitle = "ファイルを開く";

constexpr const char* kReadingRows = "顧客データの取り込み: ファイルを読み込んでいます...";
constexpr const char* kConverting = "顧客データの取り込み: 項目を変換しています...";
constexpr const char* kAdding = "顧客データの取り込み: 顧客を登録しています...";

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

std::vector<CImportMappingDlg::Column> OfferedColumns(ui::Ui& ui, const std::filesystem::path& install) {
  std::vector<CImportMappingDlg::Column> offered;
  settings::CQMVColSet set(ui, install);
  if (set.Load() == 1) {
    for (const auto& c : set.GetColumns()) {
      if (IsImportable(c->GetKey())) offered.push_back({c->GetKey(), c->GetLabel()});
    }
  }
  if (offered.empty()) {  // no column set: the column names stand for their labels
    for (const auto& c : records::KokyakuColumns()) {
      if (IsImportable(c.name)) offered.push_back({std::string(c.name), std::string(c.name)});
    }
  }
  return offered;
}

std::string JoinMapping(const ImportMapping& mapping, bool fromFirstRow) {
  std::string value = fromFirstRow ? "1" : "0";
  for (std::size_t c = 1; c < mapping.size(); ++c) value += "," + mapping[c];
  return value;
}

std::optional<std::pair<ImportMapping, bool>> SplitMapping(std::string_view value, std::size_t columns) {
  if (value.empty()) return std::nullopt;
  ImportMapping mapping(1);
  bool fromFirstRow = value.front() == '1';
  std::size_t pos = value.find(',');
  while (pos != std::string_view::npos) {
    const std::size_t next = value.find(',', pos + 1);
    mapping.emplace_back(value.substr(pos + 1, next == std::string_view::npos ? std::string_view::npos : next - pos - 1));
    pos = next;
  }
  if (mapping.size() != columns) return std::nullopt;
  return std::make_pair(std::move(mapping), fromFirstRow);
}

ImportRead ReadRows(ui::Ui& ui, ImportFormat format, const std::filesystem::path& file, bool& back) {
  back = false;
  switch (format) {
    case ImportFormat::Access: {
      const TableList tables = [&] {
        auto wait = ui.Wait();
        return ListTables(file);
      }();
      if (!tables.error.empty()) return ImportRead::Failed(tables.error);
      if (tables.names.empty()) return ImportRead::Failed(kAccessNoTables);
      CImportPickDlg pick = CImportPickDlg::Table(ui, tables.names);
      if (!ui.Run(pick)) return ImportRead::Cancelled();
      auto wait = ui.Wait(true);
      return ReadTable(file, tables.names[static_cast<std::size_t>(pick.Selection())]);
    }
    case ImportFormat::Excel: {
      const SheetList sheets = [&] {
        auto wait = ui.Wait();
        return ListSheets(file);
      }();
      if (!sheets.error.empty()) return ImportRead::Failed(sheets.error);
      CImportPickDlg pick = CImportPickDlg::Sheet(ui, sheets.names);
      if (!ui.Run(pick)) return ImportRead::Cancelled();
      auto wait = ui.Wait(true);
      return ReadSheet(file, static_cast<std::size_t>(pick.Selection()));
    }
    case ImportFormat::Text: {
      const TextPreview preview = ReadPreview(file);
      if (!preview.error.empty()) return ImportRead::Failed(preview.error);
      CImportTextDlg dlg(ui, preview.text);
      if (!ui.Run(dlg)) {
        back = dlg.WentBack();
        return ImportRead::Cancelled();
      }
      auto progress = ui.StartProgress(kReadingRows, 0);
      TextParse parse = ReadDelimitedFile(file, dlg.Delimiter(),
                                          [&](std::size_t rows) { return progress->Step(static_cast<std::int64_t>(rows)); });
      if (parse.cancelled) return ImportRead::Cancelled();
      return std::move(parse.read);
    }
    default:
      return ImportRead::Failed(kBadFormat);
  }
}

bool ImportContactXml(ui::Ui& ui, shell::CTovanaDoc& doc) {
  CImportOptionDlg source = CImportOptionDlg::XmlSource();
  if (!ui.Run(source)) return false;
  ContactXmlRead read;
  if (source.Selection() == 0) {
    const auto folder = ui.ChooseFolder("取り込むContactXMLファイルのあるフォルダを指定してください。", {});
    if (!folder) return false;
    auto wait = ui.Wait(true);
    read = ReadContactXmlFolder(*folder);
  } else {
    const auto file = ui.OpenFile(kOpenTitle, kXmlFilter, {});
    if (!file) return false;
    auto wait = ui.Wait(true);
    read = ReadContactXmlFile(*file);
  }
  if (!read.ok()) {
    ui.Tell(read.error);
    return false;
  }
  if (read.customers.empty()) {
    ui.Tell(kNoCustomers);
    return false;
  }
  return AddImportedCustomers(ui, doc.Store(), read.customers);
}

}  // namespace

std::string MappingMemoryKey(ImportFormat format, const ImportTable& rows) {
  std::string signature = std::to_string(static_cast<int>(format));
  const std::size_t captionRow = format == ImportFormat::Access ? 0 : 1;
  if (captionRow < rows.size()) {
    signature += '\x1f' + std::to_string(rows[captionRow].size());
    for (std::size_t c = 1; c < rows[captionRow].size(); ++c) signature += '\x1f' + rows[captionRow][c];
  }
  char key[32];
  std::snprintf(key, sizeof key, "map%016llx", static_cast<unsigned long long>(Fnv1a(signature)));
  return key;
}

MappedRows MapAndConvert(ui::Ui& ui, ImportFormat format, const ImportTable& rows, const std::filesystem::path& install,
                         platform::CProfile* profile) {
  MappedRows result;
  CImportMappingDlg dlg(ui, format, rows, OfferedColumns(ui, install));
  const std::string key = MappingMemoryKey(format, rows);
  const auto remembered = profile ? SplitMapping(profile->GetString(kMemorySection, key), dlg.Mapping().size()) : std::nullopt;
  if (remembered) {
    dlg.Apply(remembered->first);
    dlg.SetFromFirstRow(remembered->second);
  } else {
    dlg.MapByCaptions();
  }
  if (!ui.Run(dlg)) return result;
  result.finished = true;
  if (profile) profile->WriteString(kMemorySection, key, JoinMapping(dlg.Mapping(), dlg.FromFirstRow()));
  auto progress = ui.StartProgress(kConverting, static_cast<std::int64_t>(rows.size()));
  bool stopped = false;
  result.customers = ConvertRows(rows, dlg.Mapping(), dlg.FromFirstRow(), [&](std::size_t done) {
    stopped = !progress->Step(static_cast<std::int64_t>(done));
    return !stopped;
  });
  result.cancelled = stopped;
  return result;
}

bool AddImportedCustomers(ui::Ui& ui, records::CKokyakuVMData& store, const records::KokyakuList& customers) {
  auto progress = ui.StartProgress(kAdding, static_cast<std::int64_t>(customers.size()));
  records::IdArray ids;
  bool cancelled = false;
  const int result = store.AddNewKokyakuAllOrNone(customers, ids, [&](std::size_t done) {
    cancelled = !progress->Step(static_cast<std::int64_t>(done));
    return !cancelled;
  });
  progress.reset();
  if (result == 1) return true;
  if (!cancelled) ui.Tell(kAddFailed);
  return false;
}

bool ImportExternalData(ui::Ui& ui, shell::CTovanaDoc& doc) {
  if (doc.IsReadOnly()) {
    ui.Tell(kReadOnly);
    return false;
  }
  {
    auto wait = ui.Wait();
    if (doc.Store().SaveQMV(false) != 1) {
      wait = ui::WaitScope();
      ui.Tell(kSaveFailed);
      return false;
    }
  }
  CImportOptionDlg format = CImportOptionDlg::Format();
  while (true) {
    if (!ui.Run(format)) return false;
    const auto chosen = static_cast<ImportFormat>(format.Selection());
    if (chosen == ImportFormat::ContactXml) return ImportContactXml(ui, doc);
    const char* filter = chosen == ImportFormat::Access ? kAccessFilter : chosen == ImportFormat::Excel ? kExcelFilter : kTextFilter;
    const auto file = ui.OpenFile(kOpenTitle, filter, {});
    if (!file) return false;
    bool back = false;
    ImportRead read = ReadRows(ui, chosen, *file, back);
    if (back) continue;
    if (read.cancelled) return false;
    if (!read.ok()) {
      ui.Tell(read.error);
      return false;
    }
    if (!read.notice.empty()) ui.Tell(read.notice);
    if (read.rows.size() <= 1) {
      ui.Tell(kNoDataRows);
      return false;
    }
    MappedRows mapped = MapAndConvert(ui, chosen, read.rows, doc.InstallFolder(), doc.Profile());
    if (!mapped.finished || mapped.cancelled) return false;
    read.rows.clear();
    if (mapped.customers.empty()) {
      ui.Tell(kNoCustomers);
      return false;
    }
    return AddImportedCustomers(ui, doc.Store(), mapped.customers);
  }
}

}  // namespace io
