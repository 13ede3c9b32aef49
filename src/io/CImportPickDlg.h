#pragma once
// "ﾃｰﾌﾞﾙの選択" and "シートの選択": which table of a database or which sheet of a workbook to read.

#include <string>
#include <vector>

#include "ui/Ui.h"

namespace io {

class CImportPickDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kNothingChosen = "選択してください";

  CImportPickDlg(ui::Ui& ui, std::string title, std::string prompt, std::vector<std::string> items)
      : ui_(ui), title_(std::move(title)), prompt_(std::move(prompt)), items_(std::move(items)) {
    if (!items_.empty()) selection_ = 0;
  }
  static CImportPickDlg Table(ui::Ui& ui, std::vector<std::string> tables) {
    return CImportPickDlg(ui, "ﾃｰﾌﾞﾙの選択", "テーブルを選択してください", std::move(tables));
  }
  static CImportPickDlg Sheet(ui::Ui& ui, std::vector<std::string> sheets) {
    return CImportPickDlg(ui, "シートの選択", "シートを選択してください", std::move(sheets));
  }

  std::string Title() const override { return title_; }
  const std::string& Prompt() const { return prompt_; }
  const std::vector<std::string>& Items() const { return items_; }
  int Selection() const { return selection_; }
  void Select(int row) { selection_ = row >= 0 && row < static_cast<int>(items_.size()) ? row : -1; }
  void OnOK() {
    if (selection_ < 0) return ui_.Tell(prompt_);
    EndDialog(true);
  }

 private:
  ui::Ui& ui_;
  std::string title_, prompt_;
  std::vector<std::string> items_;
  int selection_ = -1;
};

}  // namespace io
