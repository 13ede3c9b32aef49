#pragma once
// The Tools menu's data backup and data restore, acting on the document's data folder and store.

#include <filesystem>
#include <string>

#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace maintenance {

// The texts of these commands, each in one place.
inline constexpr const char* kNoDocument = "この操作を行うことはできません";
inline constexpr const char* kSaveFailed =
    "データの保存ができませんでした。処理を中止します。\nディスクの空き容量が足りない場合は、いったん『顧客ソレル』を終了して、ディスクの空き容量を増やしてから再度操作してください。";
inline constexpr const char* kBackupIntro =
    "『顧客ソレル』データのバックアップを行います。\n次の画面でバックアップファイルを保存するフォルダを指定してください。\n\n"
    "！！ バックアップ後にフォルダ内のファイル構成を変更すると正しく復元できません。\nフォルダ内のファイル構成は絶対に変更しないでください。！！";
inline constexpr const char* kNoBackupFiles = "バックアップ対象のファイルが見つかりませんでした。\n処理を中止します。";
inline constexpr const char* kSourceUnreadable = "バックアップ対象ファイルの読み込みに失敗しました。";
inline constexpr const char* kVolumesDiskFull = "ディスクの空き容量が足りないため、バックアップできませんでした。";
inline constexpr const char* kPicturesFailed =
    "画像データのバックアップができませんでした。\nデータのバックアップはできましたが、このデータを復元すると画像データの不整合が起こります。\n";
inline constexpr const char* kBackupDone = "バックアップが終了しました。\nバックアップファイルを保存したフォルダは <%s> です。";
inline constexpr const char* kBackupFailed = "バックアップができませんでした。";
inline constexpr const char* kBackupDiskFull =
    "ディスクの空き容量が足りないため、データベースファイルのバックアップができませんでした。\n"
    "データベースファイルのバックアップに必要なディスク容量はおよそ %d バイトです。\n\n画像データを登録している場合はさらに空き容量が必要です。";
inline constexpr const char* kBackupStopped = "バックアップを中止しました。書きかけのバックアップファイルは削除しました。";

inline constexpr const char* kRestoreOnlyCurrent = "この操作は現在のデータを使用中にのみ行うことができます。";
inline constexpr const char* kRestoreConfirm =
    "『顧客ソレル』のデータをバックアップを取ったときの状態に戻します。現在のデータは消失するため、バックアップを取ったあとに行った変更や新しく追加した情報はすべて失われます。\n"
    "必要であれば現状のバックアップを取ってから復元操作をしてください。\n本当に復元してよろしいですか？\n\n"
    "復元してよい場合は【はい】をクリックしてバックアップファイルを保存したフォルダを指定してください。";
inline constexpr const char* kRestoreFolderTitle = "バックアップファイルを保存したフォルダを選択して下さい";
inline constexpr const char* kNoBackupFile = "指定されたフォルダにはバックアップファイルがありません。";
inline constexpr const char* kRestoreSaveFailed =
    "現状(復元前)の状態を保存できませんでした。処理を中止します。\nディスクの空き容量が足りない場合は、いったん『顧客ソレル』を終了して、ディスクの空き容量を増やしてから再度操作してください。";
inline constexpr const char* kSafetyCopyFailed =
    "現状(復元前)の状態を保存できませんでした。\n処理を中止します。ディスクの空き容量が足りない場合は、いったん『顧客ソレル』を終了して、ディスクの空き容量を増やしてから再度操作してください。";
inline constexpr const char* kNotDataBackup = "このフォルダに存在するファイルは顧客ソレルデータのバックアップファイルではありません。";
inline constexpr const char* kBadBackup = "バックアップファイルの形式が不正です。";
inline constexpr const char* kPictureRestoreFailed = "画像データの復元ができなかったため、復元前の状態に戻します。";
inline constexpr const char* kFilesRestoreFailed = "いくつかのファイルの復元ができなかったため、復元前の状態に戻します。";
inline constexpr const char* kRestoreStopped = "復元を中止したため、復元前の状態に戻します。";
inline constexpr const char* kRollBackFailed =
    "復元前の状態に戻すのに失敗しました。データファイルの状態が不正です。\n『顧客ソレル』を終了し、ディスク容量が足りない場合は空き容量を確保してください。\n"
    " その後、<%s> に保存されている復元前のデータを元に戻して『顧客ソレル』を起動し、再度復元操作を行ってください。";
inline constexpr const char* kReopenFailed =
    "復元後のデータベースを開くことができません。\nディスク容量が足りない場合は、『顧客ソレル』を終了して空き容量を確保してから再度『顧客ソレル』を起動してください。";
inline constexpr const char* kCustomersFailed = "顧客データの取得に失敗しました。\n顧客データを表示できません。";
inline constexpr const char* kRestoreDone = "データの復元は終了しました。";
inline constexpr const char* kRestoreFailed = "復元ができませんでした。";

inline constexpr const char* kVolumeMissing = "画像データのバックアップファイルが見つかりません。";
inline constexpr const char* kVolumeCannotOpen = "画像データのバックアップファイルを開けません。";
inline constexpr const char* kVolumeBad = "画像バックアップファイルの形式が不正です。";
inline constexpr const char* kNotPictureBackup = "このフォルダに存在するファイルは顧客ソレル画像データのバックアップファイルではありません。";
inline constexpr const char* kPictureDiskFull =
    "ディスクの空き容量が足りないため、画像データの復元ができませんでした。\n空き容量を充分に確保してから再度復元を試みてください。";

// Told at start when a restore was cut short (a crash, a kill) and has been rolled back.
inline constexpr const char* kInterruptedRestoreRolledBack =
    "前回のデータの復元が途中で終わっていたため、復元前の状態に戻しました。";
inline constexpr const char* kInterruptedRestoreFailed =
    "前回のデータの復元が途中で終わっていましたが、復元前の状態に戻すことができませんでした。\n"
    "<%s> に保存されている復元前のデータを元に戻してください。\n(%s)";

// "ﾃﾞｰﾀのﾊﾞｯｸｱｯﾌﾟ". doc may be null.
void BackupData(ui::Ui& ui, shell::CTovanaDoc* doc);
// "ﾃﾞｰﾀの復元". doc may be null.
void RestoreData(ui::Ui& ui, shell::CTovanaDoc* doc);

// Opens the data folder's database again and reads every customer in the default order. 1 done;
// 0 the database opened but the customers could not be read (after kCustomersFailed); -1 the
// database did not open (no message: each caller words its own).
int ReopenCurrentData(ui::Ui& ui, shell::CTovanaDoc& doc);
// Reads every customer in the default order into the document's list. False when it failed.
bool ReloadCustomers(ui::Ui& ui, shell::CTovanaDoc& doc);

// Before the database of dataFolder is opened: rolls back a restore that a crash cut short, and
// says so. False when start-up must not open the folder (the rollback failed).
bool RecoverInterruptedRestoreAtStart(ui::Ui& ui, const std::filesystem::path& dataFolder);

}  // namespace maintenance
