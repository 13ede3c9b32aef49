#pragma once
// "顧客情報のフリー項目設定": renames the free items of the column set. Renames stay in the
// dialog's copy until OK writes the set; "初期状態に戻す" replaces the file by the factory labels at
// once, whatever the dialog's outcome.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/CNeritEnv.h"
#include "settings/CQMVColSet.h"
#include "ui/Ui.h"

namespace customers {

class CFreeItemDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "顧客情報のフリー項目設定";
  static constexpr const char* kIntro =
      "顧客情報の、下記の項目名は変更することができます。\n"
      "変更する項目名をリストで選択して「新しい項目名」を入力し【変更】ボタンをクリックしてください。\n"
      "最後に【OK】ボタンをクリックすると変更が適用されます。";
  static constexpr const char* kNoSelection =
      "変更する項目名が選択されていません。\n"
      "リストから現在の項目名を選択した後、新しい項目名を入力して【変更】ボタンをクリックしてください。";
  static constexpr const char* kEmptyName = "項目名を入力してください。";
  static constexpr const char* kTooWide =
      "項目名が全角で５文字を超えています。\n詳細設定画面で、項目名を表示しきれない可能性があります。";
  static constexpr const char* kRenameFailed = "項目名の変更ができません";
  static constexpr const char* kResetQuestion =
      "すべての項目名を初期状態に戻します。この操作は元に戻せません。\nよろしいですか？";
  static constexpr const char* kSaveFailed = "項目名の変更ができませんでした";

  CFreeItemDlg(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  // Loads the column set: false when it does not load, and the dialog is then not to be shown.
  bool Open();
  std::string Title() const override { return kTitle; }

  // The free items' labels, in set order.
  std::vector<std::string> Rows() const;
  int Selection() const { return selection_; }
  // Selecting a row copies its label into the new name.
  void Select(int row);
  const std::string& NewName() const { return newName_; }
  void SetNewName(std::string name) { newName_ = std::move(name); }

  void OnChange();  // 変更
  void OnReset();   // 初期状態に戻す
  void OnOK();

 private:
  void Fill();

  ui::Ui& ui_;
  std::filesystem::path install_;
  std::unique_ptr<settings::CQMVColSet> columns_;
  std::vector<std::string> keys_;  // the free items' keys, one per row
  int selection_ = -1;
  std::string newName_;
};

// The Settings menu's "顧客情報フリー項目の設定...": true when the dialog closed with OK.
bool EditFreeItems(ui::Ui& ui, const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

}  // namespace customers
