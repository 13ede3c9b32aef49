#pragma once
// The dialogs of the export commands: the format choice "顧客データ書き出し", the column choice
// "書き出し列の設定" and the HTML form choice "HTML書き出し形式の選択".

#include <filesystem>
#include <string>
#include <vector>

#include "io/ExportTable.h"
#include "platform/CNeritEnv.h"
#include "settings/CQMVColSet.h"
#include "ui/Ui.h"

namespace io {

class CExportFormatDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "顧客データ書き出し";
  static constexpr const char* kPrompt =
      "顧客データを書き出します。\n書き出すデータの形式を選択して【次へ】をクリックしてください。";
  enum Format { kExcel = 0, kText = 1, kContactXml = 2 };
  static constexpr const char* kCaptions[] = {"EXCEL（2002/2000/97）データ", "テキスト（*.csv/*.txt）データ",
                                              "ContactXML"};

  std::string Title() const override { return kTitle; }
  int Chosen() const { return format_; }
  void Choose(int format) { format_ = format; }
  void OnNext() { EndDialog(true); }

 private:
  int format_ = kExcel;
};

class CExportColumnDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "書き出し列の設定";
  static constexpr const char* kPrompt = "書き出すデータと、書き出す順番を設定してください";
  static constexpr const char* kNothingToAdd = "書き出す列を「書き出し可能な列」から選択してください";
  static constexpr const char* kAlreadyChosen = "この列はすでに書き出し設定がされています";
  static constexpr const char* kNothingToRemove = "書き出しをやめる列を「書き出す列」から選択してください";
  static constexpr const char* kNothingToMove = "移動する項目を選択してください";
  static constexpr const char* kNoColumns = "書き出す列が１つも設定されていません。\n最低１つは設定してください。";

  CExportColumnDlg(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());
  std::string Title() const override { return kTitle; }
  // Loads the column set (false: it did not load and the dialog is not shown) and offers every
  // exportable column.
  bool Open();

  const std::vector<ExportColumn>& Chosen() const { return chosen_; }
  const std::vector<ExportColumn>& Available() const { return available_; }
  int ChosenSelection() const { return chosenSelection_; }
  int AvailableSelection() const { return availableSelection_; }
  void SelectChosen(int row) { chosenSelection_ = Clamp(row, chosen_); }
  void SelectAvailable(int row) { availableSelection_ = Clamp(row, available_); }

  void OnAdd();        // 書き出す ←
  void OnAddAll();     // 全部書き出す ←
  void OnRemove();     // 書き出さない →
  void OnRemoveAll();  // 全部書き出さない →
  void OnUp() { Move(-1); }
  void OnDown() { Move(+1); }
  void OnOK();

 private:
  static int Clamp(int row, const std::vector<ExportColumn>& rows) {
    return row >= 0 && row < static_cast<int>(rows.size()) ? row : -1;
  }
  bool IsChosen(const std::string& key) const;
  void FillAvailable();
  void Move(int step);

  ui::Ui& ui_;
  settings::CQMVColSet set_;
  std::vector<ExportColumn> chosen_, available_;
  int chosenSelection_ = -1, availableSelection_ = -1;
};

class CHtmlFormatDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "HTML書き出し形式の選択";
  static constexpr const char* kPrompt = "書き出すHTML形式を選択してください";
  enum Kind { kCustomers = 0, kWithHistory = 1 };
  static constexpr const char* kCaptions[] = {"顧客データ", "顧客データ＋履歴"};

  std::string Title() const override { return kTitle; }
  int Chosen() const { return kind_; }
  void Choose(int kind) { kind_ = kind == kWithHistory ? kWithHistory : kCustomers; }
  void OnOK() { EndDialog(true); }

 private:
  int kind_ = kCustomers;
};

// Every exportable column with its label, in the column set's order; empty when the set does
// not load. The HTML pages show these.
std::vector<ExportColumn> ExportColumns(ui::Ui& ui, const std::filesystem::path& install);

}  // namespace io
