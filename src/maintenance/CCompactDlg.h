#pragma once
// "データベースの最適化": the file the database is backed up into before it is compacted. OK
// refuses an empty name, asks before a typed name replaces an existing file, and asks to start.

#include <filesystem>
#include <string>

#include "records/COleDate.h"
#include "ui/Ui.h"

namespace maintenance {

class CCompactDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "データベースの最適化";
  static constexpr const char* kIntro = "データベースを最適化します。\nこの操作には時間がかかりますが途中でキャンセルすることはできません。";
  static constexpr const char* kPrompt = "最適化する前に現在のデータベースをバックアップします。\nバックアップファイル名を指定してください。";
  static constexpr const char* kFileCaption = "バックアップファイル名";
  static constexpr const char* kBrowse = "参照...";
  static constexpr const char* kFilter = "顧客ソレルﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙ(*.qmv)|*.qmv||";
  static constexpr const char* kNoName = "バックアップファイル名を指定してください";
  static constexpr const char* kOverwrite = "指定したファイル名はすでに存在します。\nこのファイルに上書きしてもよろしいですか？";
  static constexpr const char* kStart = "データベースの最適化を行います。処理には時間がかかります。\n開始してよろしいですか？";

  CCompactDlg(ui::Ui& ui, std::filesystem::path startFolder, records::COleDate today);
  std::string Title() const override { return kTitle; }

  const std::string& File() const { return file_; }
  void SetFile(std::string file) { file_ = std::move(file); }
  // "%d%d%d の顧客ﾃﾞｰﾀ.qmv" of today.
  std::string DefaultName() const;
  void OnBrowse();
  void OnOK();
  std::filesystem::path Chosen() const { return file_; }

 private:
  ui::Ui& ui_;
  std::filesystem::path startFolder_;
  records::COleDate today_;
  std::string file_;
  std::string browsed_;  // the last name the save dialog gave (it asked about replacing already)
};

}  // namespace maintenance
