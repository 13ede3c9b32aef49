#include "dm/DMEntry.h"

#include "dm/CDMSelectDlg.h"
#include "dm/DMStatus.h"
#include "shell/CTovanaDoc.h"

namespace dm {

std::optional<CustomerChoice> ChooseCustomers(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                                              CustomerSelectMode mode) {
  CKokyakuSelectDlg dialog(ui, doc, install, mode);
  dialog.Open();
  if (!ui.Run(dialog)) return std::nullopt;
  return CustomerChoice{dialog.ChosenIds(), dialog.KeepHistory()};
}

bool AddCustomersToDM(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                      const records::IdArray& ids) {
  CDMSelectDlg dialog(ui, doc, install, DMSelectMode::Add, ids);
  dialog.Open();
  return ui.Run(dialog);
}

std::optional<DMPrintChoice> ChooseDMForPrinting(ui::Ui& ui, shell::CTovanaDoc& doc,
                                                 const std::filesystem::path& install) {
  CDMSelectDlg dialog(ui, doc, install, DMSelectMode::Print);
  dialog.Open();
  if (!ui.Run(dialog)) return std::nullopt;
  return DMPrintChoice{dialog.ChosenTitle(), dialog.RecipientIds(), dialog.KeepHistory()};
}

bool PrintForDM(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                const std::function<int(const records::IdArray&)>& print) {
  auto chosen = ChooseDMForPrinting(ui, doc, install);
  if (!chosen) return false;
  if (chosen->recipients.empty()) {
    ui.Tell(kNoRecipientsToPrint);
    return false;
  }
  if (print(chosen->recipients) == 0) return false;
  if (doc.IsReadOnly() || doc.Store().IsReadOnly()) return true;
  DMStatus status;
  status.sent = 1;
  status.historyRegistered = chosen->keepHistory ? 1 : 0;
  status.method = 0;  // DM印刷
  ChangeDMStatus(ui, &doc, &chosen->title, status, chosen->recipients, records::COleDate::Now());
  return true;
}

}  // namespace dm
