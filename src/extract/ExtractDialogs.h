#pragma once
// The extraction dialog's companions: "抽出条件の保存" (name and append to the saved conditions),
// "保存済み抽出条件の名前を変更" and "表示設定－顧客抽出" (the columns a customer result shows).

#include <filesystem>
#include <string>
#include <vector>

#include "settings/CExCondition.h"
#include "settings/CQMVColSet.h"
#include "ui/Ui.h"

namespace extract {

inline constexpr const char* kEnterName = "名前を入力してください";

class CExtractSaveDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "抽出条件の保存";
  static constexpr const char* kSaveFailed = "抽出条件を保存できませんでした";

  // condition: named and appended on OK (not owned).
  CExtractSaveDlg(ui::Ui& ui, std::filesystem::path dataFolder, settings::CExCondition& condition);
  std::string Title() const override { return kTitle; }

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // Empty name: the message, the dialog stays. Else appends and writes the saved conditions and
  // closes, with Saved() telling whether that worked.
  void OnOK();
  bool Saved() const { return saved_; }

 private:
  ui::Ui& ui_;
  std::filesystem::path dataFolder_;
  settings::CExCondition& condition_;
  std::string name_;
  bool saved_ = false;
};

class CExtractRenameDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "保存済み抽出条件の名前を変更";

  CExtractRenameDlg(ui::Ui& ui, std::string name) : ui_(ui), name_(std::move(name)) {}
  std::string Title() const override { return kTitle; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // Empty name: the message and the name field takes the focus again; else closes with OK.
  void OnOK();
  // Set while the name field is to take the focus; the view clears it.
  bool focusName = false;

 private:
  ui::Ui& ui_;
  std::string name_;
};

class CExtractColumnDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "表示設定－顧客抽出";
  static constexpr const char* kNothingToShow = "表示したい列を「表示可能な列」から選択してください";
  static constexpr const char* kAlreadyShown = "この列はすでに表示設定がされています";
  static constexpr const char* kNothingToHide = "表示をやめる列を「表示列」から選択してください";
  static constexpr const char* kNothingToMove = "移動する項目を選択してください";
  static constexpr const char* kNoColumns =
      "表示列を設定していません。顧客リストの通常と同じ状態で結果を表示します。";

  struct Row {
    std::string label;
    std::string key;
  };

  CExtractColumnDlg(ui::Ui& ui, std::filesystem::path install, std::vector<std::string> columns);
  std::string Title() const override { return kTitle; }
  // Loads the column set; false when it does not load (the dialog is not shown). Empty columns
  // start from the customer list's display columns.
  bool Open();

  const std::vector<Row>& Shown() const { return shown_; }
  const std::vector<Row>& Available() const { return available_; }
  int ShownSelection() const { return shownSelection_; }
  int AvailableSelection() const { return availableSelection_; }
  void SelectShown(int row) { shownSelection_ = row >= 0 && row < static_cast<int>(shown_.size()) ? row : -1; }
  void SelectAvailable(int row) {
    availableSelection_ = row >= 0 && row < static_cast<int>(available_.size()) ? row : -1;
  }
  void OnShow();  // ←表示する
  void OnHide();  // 表示しない→
  void OnUp() { Move(-1); }
  void OnDown() { Move(+1); }
  void OnOK();
  // The chosen column keys, in order.
  std::vector<std::string> Columns() const;

 private:
  void FillAvailable();
  void Move(int step);

  ui::Ui& ui_;
  std::filesystem::path install_;
  settings::CQMVColSet set_;
  std::vector<std::string> start_;
  std::vector<Row> shown_, available_;
  int shownSelection_ = -1, availableSelection_ = -1;
};

}  // namespace extract
