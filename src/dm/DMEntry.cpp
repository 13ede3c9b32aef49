#include "dm/DMEntry.h"

#include "dm/CDMSelectDlg.h"

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

}  // namespace dm
