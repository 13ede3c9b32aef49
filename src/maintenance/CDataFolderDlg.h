#pragma once
// "データベース保存先の設定": the folder the data moves to and how (switch to the database
// already there, copy the current one, or start a new one from the factory database keeping the
// settings). OK checks the folder for the choice; the command ChangeDataFolder then does it.

#include <filesystem>
#include <string>

#include "ui/Ui.h"

namespace maintenance {

class CDataFolderDlg : public ui::CDialogModel {
 public:
  enum Choice { kSwitch = 0, kCopy = 1, kCreate = 2 };
  static constexpr const char* kTitle = "データベース保存先の設定";
  static constexpr const char* kIntro = "データベースファイルの保存先の設定を変更し、変更先のデータベースに切り替えます。";
  static constexpr const char* kFolderCaption = "データベース保存フォルダ";
  static constexpr const char* kBrowse = "参照...";
  static const char* ChoiceCaption(int choice);
  static const char* ChoiceNote(int choice);

  static constexpr const char* kNoFolder = "変更先のフォルダ名を指定してください";
  static constexpr const char* kSameFolder = "現在の保存先と同じフォルダが指定されています。\n";
  static constexpr const char* kCannotCopy = "ファイルのコピーを行うことはできません。";
  static constexpr const char* kContinue = "処理を続けてよろしいですか？";
  static constexpr const char* kRoot = "ルートディレクトリを指定することはできません。別のフォルダを指定してください。";
  static constexpr const char* kMissing = "指定されたフォルダが存在しません。\nフォルダ名が正しいか確認してください。";
  static constexpr const char* kNoDatabase =
      "指定されたフォルダに『顧客ソレル』のデータベースファイルが存在しないため、保存先の変更はできません\nフォルダ名が正しいか確認してください。";
  static constexpr const char* kNotEmpty =
      "指定されたフォルダにはファイルが存在しています。\nコピー先のフォルダには空のフォルダを指定してください。";
  static constexpr const char* kPictureNotEmpty =
      "指定されたフォルダ内のPictureフォルダにファイルが存在しています。\nコピー先のフォルダには空のフォルダを指定してください。";
  static constexpr const char* kNetwork =
      "指定されたフォルダはネットワーク上にあります。\n"
      "このフォルダのデータベースを複数のパソコンから同時に開かないでください。\n"
      "1台のパソコンで使う場合は、そのパソコンのフォルダに保存するほうが安全です。";

  CDataFolderDlg(ui::Ui& ui, std::filesystem::path current);
  std::string Title() const override { return kTitle; }

  const std::string& Folder() const { return folder_; }
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  int GetChoice() const { return choice_; }
  void SetChoice(int choice) { choice_ = choice; }
  void OnBrowse();
  void OnOK();

  std::filesystem::path Chosen() const { return folder_; }

 private:
  ui::Ui& ui_;
  std::filesystem::path current_;
  std::string folder_;
  int choice_ = kSwitch;
};

// Whether folder lies on a network file system (NFS, SMB/CIFS).
bool IsNetworkFolder(const std::filesystem::path& folder);

}  // namespace maintenance
