#pragma once
// "顧客一覧の表示設定": which columns the customer list shows, left to right, and the order the
// customers come in at start-up. The dialog works on its own copies; OK writes the display
// columns and, when a column and a direction are chosen, the default order. The column set itself
// is never written here.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/CNeritEnv.h"
#include "settings/CDefaultSort.h"
#include "settings/CQMVColSet.h"
#include "settings/CQMVDispKokyakuCol.h"
#include "ui/Ui.h"

namespace customers {

class CDispColumnDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "顧客一覧の表示設定";
  static constexpr const char* kNothingToShow = "表示したい列を「表示可能な列」から選択してください";
  static constexpr const char* kAlreadyShown = "この列はすでに表示設定がされています";
  static constexpr const char* kNothingToHide = "表示をやめる列を「表示列」から選択してください";
  static constexpr const char* kNothingToMove = "移動する項目を選択してください";
  static constexpr const char* kDisplaySaveFailed = "表示列の設定ができませんでした";
  static constexpr const char* kSortSaveFailed = "並び順の設定ができませんでした";

  // A row of one of the dialog's lists: its text and the column it stands for.
  struct Row {
    std::string label;
    std::string key;
  };

  CDispColumnDlg(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  // Loads the column set (false: the dialog is not to be shown), the display columns and the
  // default order, and fills the lists.
  bool Open();
  std::string Title() const override { return kTitle; }

  const std::vector<Row>& Shown() const { return shown_; }
  const std::vector<Row>& Available() const { return available_; }
  const std::vector<Row>& SortColumns() const { return sortColumns_; }
  int ShownSelection() const { return shownSelection_; }
  int AvailableSelection() const { return availableSelection_; }
  int SortSelection() const { return sortSelection_; }
  // 0 ascending, 1 descending, -1 none.
  int Direction() const { return direction_; }
  void SelectShown(int row) { shownSelection_ = Clamp(row, shown_); }
  void SelectAvailable(int row) { availableSelection_ = Clamp(row, available_); }
  void SelectSort(int row) { sortSelection_ = Clamp(row, sortColumns_); }
  void SetDirection(int direction) { direction_ = direction == 0 || direction == 1 ? direction : -1; }

  void OnShow();  // ←表示する
  void OnHide();  // 表示しない→
  void OnUp() { Move(-1); }
  void OnDown() { Move(+1); }
  void OnOK();

 private:
  static int Clamp(int row, const std::vector<Row>& rows) {
    return row >= 0 && row < static_cast<int>(rows.size()) ? row : -1;
  }
  void FillAvailable();
  void FillSortColumns(const std::string& sortKey);
  void Move(int step);
  bool IsShown(const std::string& key) const;

  ui::Ui& ui_;
  std::filesystem::path install_;
  settings::CQMVColSet columns_;
  settings::CQMVDispKokyakuCol display_;
  std::vector<Row> shown_, available_, sortColumns_;
  int shownSelection_ = -1, availableSelection_ = -1, sortSelection_ = -1;
  int direction_ = -1;
};

// The Settings menu's "顧客一覧の表示項目設定...": true when the dialog closed with OK, after which
// the customer list rebuilds its columns.
bool EditDisplayColumns(ui::Ui& ui, const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

}  // namespace customers
