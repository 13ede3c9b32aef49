#pragma once
// "データのバックアップフォルダを指定": the folder a data backup goes into. OK accepts a new
// folder (created after asking) or an existing empty one; anything else keeps the dialog open.

#include <filesystem>
#include <string>

#include "ui/Ui.h"

namespace maintenance {

class CBackupFolderDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "データのバックアップフォルダを指定";
  static constexpr const char* kPrompt = "新しいフォルダ名、または既存の空のフォルダを指定してください";
  static constexpr const char* kBrowse = "参照...";
  static constexpr const char* kNotEmpty =
      "指定されたフォルダにはファイルが存在しています。\nバックアップフォルダには空のフォルダを指定してください。";
  static constexpr const char* kNoFolder = "バックアップフォルダ名を指定してください";
  static constexpr const char* kRoot = "ルートディレクトリを指定することはできません。別のフォルダを指定してください。";

  explicit CBackupFolderDlg(ui::Ui& ui) : ui_(ui) {}
  std::string Title() const override { return kTitle; }

  const std::string& Folder() const { return folder_; }
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  // The folder browser, starting at the folder typed.
  void OnBrowse();
  void OnOK();

  // The folder that passed, without a final separator.
  std::filesystem::path Chosen() const { return folder_; }

 private:
  ui::Ui& ui_;
  std::string folder_;
};

// The checks the backup folders of the data backup and of history deletion share: a folder named
// (else kNoFolder), not a root, present or created after asking, and holding no file. True when
// it passed (folder then lacks its final separator); false after the message.
bool CheckEmptyBackupFolder(ui::Ui& ui, std::string& folder);

}  // namespace maintenance
