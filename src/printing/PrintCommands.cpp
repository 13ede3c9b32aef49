#include "printing/PrintCommands.h"

#include "dm/DMEntry.h"
#include "lumaro/CLayoutInfo.h"
#include "platform/Environment.h"
#include "platform/InstallLayout.h"
#include "platform/RunProgram.h"
#include "printing/CPrintSourceDlg.h"
#include "printing/CQMVDispPrev.h"
#include "printing/FormPrint.h"
#include "shell/CTovanaDoc.h"
#include "text/Format.h"

namespace printing {

namespace {

// The form program: Exe/Quillet of the installation, else the one installed (or built) beside
// this program.
std::filesystem::path QuilletPath(const std::filesystem::path& install) {
  std::filesystem::path program = platform::ProgramFolder(install) / "Quillet";
  std::error_code ec;
  if (std::filesystem::exists(program, ec)) return program;
  const std::filesystem::path programs = platform::RunningProgramFolder();
  if (!programs.empty() && std::filesystem::exists(programs / "quillet", ec)) return programs / "quillet";
  return program;
}

// The menu screen's form for the customers ids; the printing call's result.
int PrintMenuForm(ui::Ui& ui, shell::CTovanaDoc& doc, const MenuForm& form, const records::IdArray& ids, bool writeHistory) {
  CQMVDispPrev component(ui, doc.InstallFolder(), doc.Profile());
  FormPrintRequest request;
  request.customers = doc.FindCustomers(ids);
  request.layoutId = form.layoutId;
  request.motoLayoutId = form.motoLayoutId;
  request.genre = form.genre;
  request.writeHistory = writeHistory;
  return PrintForm(ui, doc, component, request);
}

}  // namespace

bool PrintCustomers(ui::Ui& ui, shell::CTovanaDoc& doc, const std::vector<const records::CKokyaku*>& selected,
                    const std::function<void(std::int32_t)>& changed) {
  if (selected.empty()) {
    ui.Tell(kNoCustomerSelected);
    return false;
  }
  if (!ui.Ask(text::Format(kPrintCustomersQuestion, static_cast<int>(selected.size())))) return false;
  CQMVDispPrev component(ui, doc.InstallFolder(), doc.Profile());
  component.SetPreviewCustomers(selected);
  const bool readOnly = doc.IsReadOnly();
  if (component.CallDispPrevDlg(0, readOnly ? 0 : 1, 1) != 1) return false;
  bool history = component.History != 0;
  if (readOnly && history) {
    ui.Tell(kReadOnlyNoHistory);
    history = false;
  }
  const int printed = PrintForm(ui, doc, component, ChosenFormRequest(component, selected, history), changed);
  return printed != 0 && history;
}

void PrintHistoryCustomers(ui::Ui& ui, shell::CTovanaDoc& doc, const std::vector<const records::CKokyaku*>& customers,
                           const std::vector<std::vector<const records::CRirekiData*>>& entries,
                           const std::function<bool(bool readOnly)>& notice) {
  CQMVDispPrev component(ui, doc.InstallFolder(), doc.Profile());
  component.SetPreviewCustomers(customers, entries);
  const bool readOnly = doc.IsReadOnly();
  if (component.CallDispPrevDlg(0, readOnly ? 0 : 1, 1) != 1) return;
  bool history = component.History != 0;
  if (history) history = notice ? notice(readOnly) : !readOnly;
  FormPrintRequest request = ChosenFormRequest(component, customers, history);
  request.prepared = component.FormGenre == lumaro::CLayoutInfo::kGenreCardHistory ? &entries : nullptr;
  PrintForm(ui, doc, component, request);
}

bool StartQuillet(ui::Ui& ui, const std::filesystem::path& install, int layoutId) {
  const std::filesystem::path program = QuilletPath(install);
  if (platform::RunProgram(program, text::Format(" /L:%d", layoutId)) != 0) return true;
  ui.Message(program.string() + "を起動できません", ui::Buttons::Ok, ui::Icon::Warning, ui::Answer::Ok);
  return false;
}

void PrintFromFormList(ui::Ui& ui, shell::CTovanaDoc& doc, const MenuForm& form) {
  if (form.layoutId == 0) return;
  if (form.genre == lumaro::CLayoutInfo::kGenreNoCustomer) {
    StartQuillet(ui, doc.InstallFolder(), form.layoutId);
    return;
  }
  CPrintSourceDlg source(form.dmAllowed);
  if (!ui.Run(source)) return;
  switch (source.Selected()) {
    case CPrintSourceDlg::kStartForm: StartQuillet(ui, doc.InstallFolder(), form.layoutId); return;
    case CPrintSourceDlg::kFromCustomers: {
      const auto chosen = dm::ChooseCustomers(ui, doc, doc.InstallFolder(), dm::CustomerSelectMode::Print);
      if (!chosen) return;
      PrintMenuForm(ui, doc, form, chosen->ids, chosen->keepHistory && !doc.IsReadOnly());
      return;
    }
    case CPrintSourceDlg::kFromDM:
      dm::PrintForDM(ui, doc, doc.InstallFolder(),
                     [&](const records::IdArray& ids) { return PrintMenuForm(ui, doc, form, ids, false); });
      return;
    default: return;
  }
}

}  // namespace printing
