#pragma once
// "履歴をまとめて削除": a backup folder and a date. OK checks the folder (named, not a root,
// present or created after asking, empty, with an empty or new "Picture" subfolder) and the date
// (year 1800-9999, month, day, a real day), then asks to confirm; the command
// DeleteHistoryWithBackup then copies the database and the pictures into the folder and deletes
// the history dated before that day.

#include <filesystem>
#include <string>

#include "records/COleDate.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace maintenance {

class CRirekiDeleteDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "履歴をまとめて削除";
  static constexpr const char* kFolderCaption = "バックアップフォルダ";
  static constexpr const char* kBrowse = "参照...";
  static constexpr const char* kDateCaption = "この日付より前の履歴を削除します";
  static constexpr const char* kYearCaption = "年";
  static constexpr const char* kMonthCaption = "月";
  static constexpr const char* kDayCaption = "日";
  static constexpr const char* kNoFolder = "バックアップフォルダ名を指定してください";
  static constexpr const char* kRoot = "ルートディレクトリを指定することはできません。別のフォルダを指定してください。";
  static constexpr const char* kFolderNotEmpty =
      "指定されたフォルダにはファイルが存在しています。\nバックアップフォルダには空のフォルダを指定してください。";
  static constexpr const char* kPictureNotEmpty =
      "指定されたフォルダ内のPictureフォルダにファイルが存在しています。\nバックアップフォルダには空のフォルダを指定してください。";
  static constexpr const char* kBadYear = "1800年から9999年の間の数字を指定してください";
  static constexpr const char* kBadMonth = "1月から12月の間の数字を指定してください";
  static constexpr const char* kBadDay = "1日から31日の間の数字を指定してください";
  static constexpr const char* kBadDate = "指定した日付の値が不正です。確認してください。";
  static constexpr const char* kConfirm =
      "「%d/%d/%d」以前の履歴を削除します。\nこの操作は元に戻すことができません。\n\n本当に削除してよろしいですか？";

  enum class Field { None, Folder, Year, Month, Day };

  // today: the date the edits start at and the database copy is named after.
  CRirekiDeleteDlg(ui::Ui& ui, records::COleDate today);
  std::string Title() const override { return kTitle; }

  const std::string& Folder() const { return folder_; }
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  const std::string& Year() const { return year_; }
  const std::string& Month() const { return month_; }
  const std::string& Day() const { return day_; }
  void SetDate(std::string year, std::string month, std::string day);
  void OnBrowse();
  void OnOK();
  // The field a refusal asks the person to correct, once; None afterwards.
  Field TakeFocus();

  // After OK: the backup folder, the database copy's path and the day history before it goes.
  const std::filesystem::path& BackupFolder() const { return backupFolder_; }
  std::filesystem::path DatabaseCopy() const;
  records::COleDate Date() const { return date_; }

 private:
  bool Refuse(const char* text, Field field);

  ui::Ui& ui_;
  records::COleDate today_;
  std::string folder_, year_, month_, day_;
  Field focus_ = Field::None;
  std::filesystem::path backupFolder_;
  records::COleDate date_;
};

inline constexpr const char* kHistoryReadOnly = "読取専用です。履歴を削除することはできません。";
inline constexpr const char* kHistorySaveFailed =
    "現在の状態を保存できません。処理を中止します。\nディスクの空き容量が足りない場合は、いったん『顧客ソレル』を終了して、ディスクの空き容量を増やしてから再度操作してください。";
inline constexpr const char* kHistoryCopyFailed =
    "現在のデータのバックアップができませんでした。\nこのまま履歴の削除を行った場合、履歴データが完全に削除されてしまい、あとから過去の履歴データを参照することができません。\n\n履歴の削除を行いますか？";
inline constexpr const char* kHistoryPicturesFailed =
    "画像データでバックアップができないものがありました。\nこのまま履歴の削除を行った場合、あとから過去の履歴参照をするときに画像データが表示できないものがあります。\n\n履歴の削除を行いますか？";
inline constexpr const char* kHistoryDeleted =
    "履歴を削除しました。バックアップフォルダは<%s>です。\nデータベースの圧縮を行うには【ツール】－［ﾃﾞｰﾀﾍﾞｰｽの最適化］を行ってください。";
inline constexpr const char* kHistoryNotDeleted = "履歴の削除ができませんでした";

// "履歴をﾊﾞｯｸｱｯﾌﾟしてから削除...". doc may be null. today names the copy and presets the date.
void DeleteHistoryWithBackup(ui::Ui& ui, shell::CTovanaDoc* doc, records::COleDate today = records::COleDate::Now());

}  // namespace maintenance
