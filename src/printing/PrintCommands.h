#pragma once
// The ways printing starts: from the customer list, from the history list, from the menu
// screen's form list. Each runs the printing component's dialog or the form program and then
// the form print routine (FormPrint.h).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "printing/PrintJob.h"
#include "records/CKokyakuVMData.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace printing {

inline constexpr const char* kNoCustomerSelected = "印刷する顧客が選択されていません。";
inline constexpr const char* kPrintCustomersQuestion = "選択されている%d件の顧客を印刷します。よろしいですか？";
inline constexpr const char* kReadOnlyNoHistory = "データベースは読取専用です。\n履歴を残すことはできません。印刷のみ行ないます。";

// "印刷..." of the customer list for the selected customers. True when history entries were
// written (the list then shows the new last-history dates; changed is told each one).
bool PrintCustomers(ui::Ui& ui, shell::CTovanaDoc& doc, const std::vector<const records::CKokyaku*>& selected,
                    const std::function<void(std::int32_t)>& changed = {});

// "印刷..." of the history list: the customers of the selected entries and, for a customer card,
// each one's selected entries (in the same order). notice runs once the dialog asked for history
// (it tells when the entries show, or that read-only data keeps none) and says whether to write.
void PrintHistoryCustomers(ui::Ui& ui, shell::CTovanaDoc& doc, const std::vector<const records::CKokyaku*>& customers,
                           const std::vector<std::vector<const records::CRirekiData*>>& entries,
                           const std::function<bool(bool readOnly)>& notice);

// A form chosen on the menu screen's form list.
struct MenuForm {
  int layoutId = 0;
  int motoLayoutId = 0;
  int genre = 0;
  bool dmAllowed = false;  // the form belongs to the catalogue's second top category
};

// The form program for a layout (started, not waited for); false when it could not be started.
bool StartQuillet(ui::Ui& ui, const std::filesystem::path& install, int layoutId);

// Double click on a form of the menu screen's list: the form program, or the form printed for
// customers chosen in "顧客を選択" or for the recipients of a DM title chosen in print mode.
void PrintFromFormList(ui::Ui& ui, shell::CTovanaDoc& doc, const MenuForm& form);

}  // namespace printing
