#pragma once
// "住所を選択": the candidates a postal-code or phone-number lookup found, one to pick.

#include <string>
#include <vector>

#include "ui/Ui.h"

namespace customers {

class CAddressSelectDlg : public ui::CDialogModel {
 public:
  // texts: one line per candidate; the first is selected.
  explicit CAddressSelectDlg(std::vector<std::string> texts) : texts_(std::move(texts)) {}

  std::string Title() const override { return "住所を選択"; }
  const std::vector<std::string>& Texts() const { return texts_; }
  int Selection() const { return selection_; }
  void Select(int row) { selection_ = row >= 0 && row < static_cast<int>(texts_.size()) ? row : -1; }
  // Closes with OK when a row is selected.
  void OnOK() {
    if (selection_ >= 0) EndDialog(true);
  }

 private:
  std::vector<std::string> texts_;
  int selection_ = 0;
};

}  // namespace customers
