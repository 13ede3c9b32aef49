#pragma once
// "顧客選択方法": where the customers of a form printed from the menu screen come from.

#include <string>

#include "ui/Ui.h"

namespace printing {

class CPrintSourceDlg : public ui::CDialogModel {
 public:
  enum Source : int { kStartForm = 0, kFromCustomers = 1, kFromDM = 2 };
  static constexpr const char* kTitle = "顧客選択方法";
  static constexpr const char* kQuestion = "印刷フォームに流し込む顧客情報を選択しますか？";
  static constexpr const char* kCaptions[3] = {"印刷フォームを起動する（顧客を選択しない）", "顧客一覧から選択する",
                                               "DM送付予定から選択する"};

  explicit CPrintSourceDlg(bool dmEnabled) : dmEnabled_(dmEnabled) {}
  std::string Title() const override { return kTitle; }

  bool IsEnabled(int source) const { return source != kFromDM || dmEnabled_; }
  int Selected() const { return selected_; }
  void Select(int source) {
    if (source >= kStartForm && source <= kFromDM && IsEnabled(source)) selected_ = source;
  }
  void OnOK() { EndDialog(true); }

 private:
  bool dmEnabled_;
  int selected_ = kFromCustomers;
};

}  // namespace printing
