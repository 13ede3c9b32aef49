#include "io/ImportMirte.h"

#include "io/CImportOptionDlg.h"
#include "io/Import.h"
#include "io/ImportConvert.h"
#include "io/ImportExcel.h"
#include "platform/CProfile.h"
#include "platform/InstallLayout.h"
#include "records/KokyakuColumns.h"
#include "settings/CArchive.h"
#include "settings/CFileStream.h"
#include "settings/FileError.h"
#include "shell/CTovanaDoc.h"
#include "text/Format.h"

namespace io {

namespace {

// An element of the ledger's object array: the customer's strings, under the name the ledger
// tool's archive gives the class.
class CLedgerStrings : public settings::CSerializable {
 public:
  void Serialize(settings::CArchive& ar) override { ar.Exchange(strings); }
  std::string_view GetClassName() const override { return "CStringArray"; }
  std::uint16_t GetSchema() const override { return 0; }
  std::vector<std::string> strings;
};

const settings::CClassRegistry& LedgerClasses() {
  static const settings::CClassRegistry classes = [] {
    settings::CClassRegistry registry;
    registry.Register<CLedgerStrings>();
    return registry;
  }();
  return classes;
}

const std::string& At(const std::vector<std::string>& entry, std::size_t position) {
  static const std::string empty;
  return position < entry.size() ? entry[position] : empty;
}

bool Busy(const std::string& s) { return !s.empty(); }

std::string NameOf(const std::filesystem::path& p) { return p.string(); }

}  // namespace

std::optional<records::CKokyaku> MirteCustomer(const std::vector<std::string>& entry, bool workbook) {
  bool any = false;
  for (std::size_t p = 0; p < entry.size(); ++p) {
    if (!Busy(entry[p])) continue;
    if (workbook ? p != 10 : p <= 9) any = true;
  }
  if (!any) return std::nullopt;
  records::CKokyaku k = NewImportedCustomer();
  SetImportedColumn(k, "CustomerID", At(entry, 0));
  SetImportedColumn(k, "CompName", At(entry, 1));
  SetImportedColumn(k, "Section", At(entry, 2));
  SetImportedColumn(k, "Suffix", At(entry, 3));
  SetImportedColumn(k, "Name", At(entry, 4));
  const std::string& suffix = At(entry, 5);
  if (k.Suffix.empty() || (Busy(suffix) && Busy(k.Name))) SetImportedColumn(k, "Suffix", suffix);
  const bool office = Busy(k.CompName) || Busy(k.Section);
  k.EntryType = office ? 0 : 1;
  SetImportedColumn(k, office ? "Zip_Office" : "Zip_Home", At(entry, 6));
  SetImportedColumn(k, office ? "Add3_Office" : "Add3_Home", At(entry, 7));
  SetImportedColumn(k, office ? "TEL_Office" : "TEL_Home", At(entry, 8));
  SetImportedColumn(k, office ? "FAX_Office" : "FAX_Home", At(entry, 9));
  if (workbook) {
    switch (records::ReadCode(At(entry, 11))) {
      case 1: k.TaxMethod = 1; break;
      case 2: k.TaxMethod = 0; break;
      case 4: k.TaxMethod = 3; break;
      default: break;
    }
    const std::int32_t day = records::ReadCode(At(entry, 12));
    if ((day >= 1 && day <= 31) || day == 99) k.ClosingDay = day;
  }
  return k;
}

MirteLedger ReadMirteLedger(const std::filesystem::path& file) {
  MirteLedger ledger;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    ledger.error = text::Format(kMirteLedgerMissing, NameOf(file));
    return ledger;
  }
  try {
    settings::CFileStream stream = settings::CFileStream::OpenForReading(file);
    settings::CArchive ar(stream, settings::CArchive::Mode::Load, LedgerClasses());
    const std::int32_t version = ar.LoadInt32();
    if (version < 2) {
      bool garbled = false;
      for (const auto& object : ar.LoadObjects<CLedgerStrings>()) {
        if (!object) continue;
        for (const std::string& s : object->strings) {
          // A byte that is no CP932 character: the file is not what it should be.
          garbled = garbled || s.find("\xEF\xBF\xBD") != std::string::npos;
        }
        ledger.entries.push_back(object->strings);
      }
      ar.LoadUInt32s();
      if (garbled) {
        ledger.entries.clear();
        ledger.error = text::Format(kMirteLedgerUnreadable, NameOf(file));
      }
    }
  } catch (const settings::ArchiveError&) {
    ledger.entries.clear();
    ledger.error = text::Format(kMirteLedgerUnreadable, NameOf(file));
  } catch (const settings::FileError&) {
    ledger.entries.clear();
    ledger.error = text::Format(kMirteLedgerUnreadable, NameOf(file));
  }
  return ledger;
}

bool ImportFromMirte(ui::Ui& ui, shell::CTovanaDoc& doc) {
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
  CImportOptionDlg source = CImportOptionDlg::MirteSource();
  if (!ui.Run(source)) return false;
  const platform::CProfile machine(platform::MachineIniFile(doc.InstallFolder()));
  const int version = machine.GetInt(kMirteSection, kMirteVersionEntry, 0);
  if (version < kMirteLowestVersion) {
    ui.Tell(kMirteMissing);
    return false;
  }
  if (version >= kMirteNewerVersion && !ui.Ask(kMirteNewer, ui::Answer::No, ui::Icon::Warning)) return false;

  records::KokyakuList customers;
  if (source.Selection() == 1) {
    const std::filesystem::path folder = machine.GetString(kCodeDataSection, kCodeDataEntry);
    MirteLedger ledger = [&] {
      auto wait = ui.Wait(true);
      return ReadMirteLedger(folder / kMirteLedgerFile);
    }();
    if (!ledger.error.empty()) {
      ui.Tell(ledger.error);
      return false;
    }
    for (const auto& entry : ledger.entries) {
      if (auto k = MirteCustomer(entry, false)) customers.push_back(std::make_unique<records::CKokyaku>(std::move(*k)));
    }
  } else {
    const std::filesystem::path workbook = std::filesystem::path(machine.GetString(kMirteSection, kMirteInstalledEntry)) / kMirteWorkbook;
    ImportRead read = [&] {
      auto wait = ui.Wait(true);
      return ReadSheet(workbook, 0);
    }();
    if (!read.ok()) {
      ui.Tell(read.error);
      return false;
    }
    // Row 0 is the reader's header, row 1 the workbook's captions.
    for (std::size_t r = 2; r < read.rows.size(); ++r) {
      const std::vector<std::string> entry(read.rows[r].begin() + 1, read.rows[r].end());
      if (auto k = MirteCustomer(entry, true)) customers.push_back(std::make_unique<records::CKokyaku>(std::move(*k)));
    }
  }
  if (customers.empty()) {
    ui.Tell(kNoCustomers);
    return false;
  }
  return AddImportedCustomers(ui, doc.Store(), customers);
}

}  // namespace io
