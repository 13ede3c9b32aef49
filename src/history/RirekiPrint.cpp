#include "history/RirekiPrint.h"

#include <unordered_map>

namespace history {

RirekiPrintSelection CollectPrintSelection(const CRirekiList& list) {
  RirekiPrintSelection selection;
  std::unordered_map<const records::CKokyaku*, std::size_t> place;
  for (int row : list.Selection()) {
    const RirekiRow& r = list.Rows()[static_cast<std::size_t>(row)];
    if (!r.customer) continue;
    const auto [it, added] = place.try_emplace(r.customer, selection.customers.size());
    if (added) {
      selection.customers.push_back(r.customer);
      selection.entries.emplace_back();
    }
    selection.entries[it->second].push_back(r.entry);
  }
  return selection;
}

bool LeaveHistoryNotice(ui::Ui& ui, bool readOnly) {
  if (readOnly) {
    ui.Tell("データベースは読取専用です。\n履歴を残すことはできません。印刷のみ行ないます。");
    return false;
  }
  ui.Tell("この印刷の履歴は、次回履歴一覧画面を表示したときから表示されます。", ui::Icon::Information);
  return true;
}

}  // namespace history
