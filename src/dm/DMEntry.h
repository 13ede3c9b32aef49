#pragma once
// The DM dialogs other screens open: choosing customers (DM recipients or the customers a form is
// printed for), choosing a DM title to add customers to (the customer list's "DM登録画面へ") or
// to print for (form printing).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "dm/CKokyakuSelectDlg.h"
#include "records/CKokyakuVMData.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace dm {

struct CustomerChoice {
  records::IdArray ids;      // the checked customers, in the order the list showed them
  bool keepHistory = false;  // "履歴に残す" (print mode only)
};

// "顧客を選択" in mode; nullopt when cancelled.
std::optional<CustomerChoice> ChooseCustomers(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                                              CustomerSelectMode mode);

// "DMタイトルを選択" in add mode for the customers ids: true when it closed with OK, the
// document's DMIdToShow() then naming the title they went to (show the DM screen next).
bool AddCustomersToDM(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                      const records::IdArray& ids);

struct DMPrintChoice {
  records::CDMListData title;  // a copy of the title chosen
  records::IdArray recipients;  // its recipients' customer IDs (may be empty)
  bool keepHistory = true;      // "履歴に残す"
};

// "DMタイトルを選択" in print mode; nullopt when cancelled.
std::optional<DMPrintChoice> ChooseDMForPrinting(ui::Ui& ui, shell::CTovanaDoc& doc,
                                                 const std::filesystem::path& install);

inline constexpr const char* kNoRecipientsToPrint =
    "選択したDMタイトルに送付対象顧客がありません。\n「DM送付管理」画面で送付対象顧客を設定してください。";

// The menu screen's "DM送付予定から選択する": the title chosen in print mode, its recipients printed
// by print (the form print routine without its own history; nonzero when printed), and then, on
// writable data, the title marked sent by DM printing with the dialog's "履歴に残す". False when
// nothing was printed.
bool PrintForDM(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                const std::function<int(const records::IdArray&)>& print);

}  // namespace dm
