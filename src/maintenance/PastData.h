#pragma once
// Where the data lives and which database is open: changing the data folder, viewing past data
// read-only (a folder such as a history deletion's backup, or a copy kept aside by crash recovery
// under "Recovered/"), returning to the current data, and optimising the database.

#include "records/COleDate.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace maintenance {

inline constexpr const char* kChangeIntro =
    "データベースの保存場所を変更します。\nこの設定を行った後は、新しい保存場所のデータを使用します。\n";
inline constexpr const char* kChangeInPast =
    "この操作は「現在のデータ」のファイルの保存先を変更するものです。過去のデータを参照している場合、そのデータファイルの保存先を変更することはありません。\n操作を続けますか？";
inline constexpr const char* kFolderInUse =
    "指定した保存先のデータファイルは他のユーザーに使用されています。\n保存先の設定を変更することはできません。";
inline constexpr const char* kCurrentSaveFailed =
    "現在のデータを保存できませんでした。処理を中止します。\nディスクの空き容量が足りない場合は、いったん『顧客ソレル』を終了して、ディスクの空き容量を増やしてから再度操作してください。";
inline constexpr const char* kCurrentSaveFailedForCreate =
    "現在のデータを保存できませんでした。処理を中止します。ディスクの空き容量が足りない場合は、いったん『顧客ソレル』を終了して、ディスクの空き容量を増やしてから再度操作してください。";
inline constexpr const char* kCopyFailed = "ファイル<%s>のコピーができませんでした。処理を中止します。";
inline constexpr const char* kPicturesNotCopied = "画像データでコピーできないものがありました。\nこのまま処理を続行しますか？";
inline constexpr const char* kFolderNotRecorded = "設定を変更できませんでした";
inline constexpr const char* kNewFolderBusy =
    "新しいフォルダのデータベースをOPENできませんでした。\n他のユーザーがファイルを使用している可能性があります。\n\n"
    "このまま『顧客ソレル』を使用することはできません。\nいったんアプリケーションを終了し、データベースが使用可能になってから『顧客ソレル』を起動してください。";
inline constexpr const char* kCannotOpen = "データベースを開けませんでした。";
inline constexpr const char* kFolderChanged = "データ保存先を変更し、新しい保存先のデータを読み込みました。";

inline constexpr const char* kPastIntro =
    "現在使用しているデータベースを閉じて、過去のデータを閲覧します。過去のデータを変更することはできません。\n"
    "なお、データ以外の設定などは現時点のものです。過去のデータ保存時から設定を変更している場合は、その部分を考慮して閲覧してください。\n\n過去のデータを閲覧しますか？";
inline constexpr const char* kPastFolderTitle = "データを保存したフォルダを選択して下さい";
inline constexpr const char* kNoPastData = "指定されたフォルダにはデータファイルがありません。";
inline constexpr const char* kPastInUse = "指定されたフォルダ内のデータベースが開かれています。\n参照することはできません。";
inline constexpr const char* kPastSaveFailed =
    "現在のデータの保存ができませんでした。\n過去のデータ参照はできません。\nディスクの空き容量が足りない場合は、いったん『顧客ソレル』を終了して、ディスクの空き容量を増やしてから再度操作してください。";
inline constexpr const char* kPastOpened = "指定されたフォルダ内のデータベースを開きました";
inline constexpr const char* kPastNotOpened =
    "指定されたフォルダ内のデータベースを開けませんでした。\n\n過去のデータ参照を行う場合はフォルダを指定しなおしてください。\n\n"
    "現在のデータで作業をはじめる場合は【ツール】－［現在のﾃﾞｰﾀに戻す］で現在のデータを開いてください。";

inline constexpr const char* kAlreadyCurrent = "今使用しているデータベースが現在のものです";
inline constexpr const char* kCurrentInUse =
    "他のユーザーがデータファイルを使用しています。現在のデータに戻すには他のユーザーがデータファイルの使用を終了する必要があります。\n\nこのまま過去のデータの閲覧を続行します。";
inline constexpr const char* kReturnConfirm = "過去のデータの閲覧を終了し、現在のデータベースを開きます。\nよろしいですか？";
inline constexpr const char* kReturnBusy =
    "データベースをOPENできませんでした。\n他のユーザーがファイルを使用している可能性があります。\n\n"
    "このまま『顧客ソレル』を使用することはできません。\n\nアプリケーションを終了するか、データベースが使用可能になってから【ツール】－［現在のﾃﾞｰﾀに戻す］を行ってください。";
inline constexpr const char* kReturned = "現在のデータを開きました";

inline constexpr const char* kOptimiseReadOnly = "読取専用です。最適化を行うことはできません。";
inline constexpr const char* kOptimised = "最適化が終了しました";
inline constexpr const char* kNotOptimised = "最適化を行うことができませんでした";

// "ﾃﾞｰﾀ保存先の設定...", "過去の履歴を参照する", "現在のﾃﾞｰﾀに戻す", "ﾃﾞｰﾀﾍﾞｰｽの最適化...".
// doc may be null (each then refuses).
void ChangeDataFolder(ui::Ui& ui, shell::CTovanaDoc* doc);
void OpenPastData(ui::Ui& ui, shell::CTovanaDoc* doc);
void ReturnToCurrentData(ui::Ui& ui, shell::CTovanaDoc* doc);
void OptimiseDatabase(ui::Ui& ui, shell::CTovanaDoc* doc, records::COleDate today = records::COleDate::Now());

}  // namespace maintenance
