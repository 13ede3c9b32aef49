#pragma once
// "顧客を選択": the customers in a list with check boxes, to choose the recipients of a DM or the
// customers a form is printed for. "抽出..." narrows the list to an extraction's customers; the
// extraction is only this dialog's: the document's own extraction is put back as it was.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "customers/CKokyakuList.h"
#include "records/CKokyakuVMData.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace dm {

// DM: the recipients of a DM ("履歴に残す" hidden). Print: form printing ("履歴に残す" shown, on).
enum class CustomerSelectMode { DM, Print };

class CKokyakuSelectDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "顧客を選択";
  static constexpr const char* kPrompt = "選択する顧客にチェックマークをつけてください。";
  static constexpr const char* kNoneExtracted = "抽出条件に該当する顧客がありませんでした。";
  static constexpr const char* kNoneChecked = "顧客が選択されていません。\n対象顧客にチェックをつけてください。\n";

  CKokyakuSelectDlg(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path install, CustomerSelectMode mode);

  std::string Title() const override { return kTitle; }
  // The columns of the customer list and every customer of the document.
  void Open();

  customers::CKokyakuList& List() { return list_; }
  const customers::CKokyakuList& List() const { return list_; }
  bool IsChecked(int row) const;
  void SetChecked(int row, bool checked);
  int CheckedCount() const;
  void OnHeaderClick(int column);

  // すべて選択: every row shown is checked.
  void OnSelectAll();
  // 抽出...: the extraction dialog for DM recipients; the rows become its customers.
  void OnExtract();

  bool HistoryShown() const { return mode_ == CustomerSelectMode::Print; }
  bool KeepHistory() const { return keepHistory_; }
  void SetKeepHistory(bool on) {
    if (HistoryShown()) keepHistory_ = on;
  }

  void OnOK();
  // The checked customers' IDs in row order, after OK.
  const records::IdArray& ChosenIds() const { return chosen_; }

  // Told just before the rows change and right after, as a pair (a view resets its item model).
  std::function<void()> onRowsChanging;
  std::function<void()> onRowsChanged;

 private:
  void ShowCustomers(const std::unordered_set<std::int32_t>* only);

  ui::Ui& ui_;
  shell::CTovanaDoc& doc_;
  std::filesystem::path install_;
  CustomerSelectMode mode_;
  customers::CKokyakuList list_;
  std::unordered_set<std::int32_t> checked_;
  bool keepHistory_;
  records::IdArray chosen_;
};

}  // namespace dm
