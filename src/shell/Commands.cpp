#include "shell/Commands.h"

#include <algorithm>
#include <iterator>

namespace shell::cmd {

namespace {

constexpr Command kCommands[] = {
    {kMenuScreen, "メニュー画面へ", "メニュー画面へ"},
    {kAddCustomer, "顧客を追加...", "顧客を追加"},
    {kCard, "カード", "カード"},
    {kPrint, "印刷...", "印刷"},
    {kSendMail, "メール送信...", "メール送信"},
    {kExtract, "抽出...", "抽出"},
    {kRainbow, "七色分析...", "七色分析"},
    {kDMScreen, "DM登録画面へ", "DM登録画面へ"},
    {kHelp, "ヘルプ目次", "ヘルプ"},
    {kExit, "終了", "終了"},
    {kFilePrint, "印刷...", "印刷"},
    {kToggleToolbar, "ﾂｰﾙ ﾊﾞｰ(&T)", ""},
    {kAbout, "ﾊﾞｰｼﾞｮﾝ情報...", ""},
    {kCardNormal, "通常タイプ", ""},
    {kCardPersonal, "個人タイプ", ""},
    {kCardCompany, "法人タイプ", ""},
    {kDisplayColumns, "顧客一覧の表示項目設定...", ""},
    {kFreeItems, "顧客情報フリー項目の設定...", ""},
    {kPreExtract, "顧客一覧の事前抽出の設定...", ""},
    {kPreExtractRemove, "顧客一覧の事前抽出設定を解除", ""},
    {kStaffList, "自社担当者の設定...", ""},
    {kChoiceLists, "入力用の選択肢を編集...", ""},
    {kCompanyInfo, "自社情報設定...", ""},
    {kAmountSettings, "金額計算設定...", ""},
    {kOriginalForms, "ｵﾘｼﾞﾅﾙﾌｫｰﾑ名の変更・削除...", ""},
    {kDataFolder, "ﾃﾞｰﾀ保存先の設定...", ""},
    {kPassword, "ﾊﾟｽﾜｰﾄﾞの設定...", ""},
    {kPhoneBook, "電話帳", ""},
    {kAreaMarketing, "エリアマーケティング", ""},
    {kPhoneBookBackup, "ﾊﾞｯｸｱｯﾌﾟ (電話帳ﾃﾞｰﾀ)", ""},
    {kPhoneBookRestore, "復元 (電話帳ﾃﾞｰﾀ)", ""},
    {kBackup, "ﾃﾞｰﾀのﾊﾞｯｸｱｯﾌﾟ", ""},
    {kRestore, "ﾃﾞｰﾀの復元", ""},
    {kOriginalBackup, "ｵﾘｼﾞﾅﾙﾌｫｰﾑのﾊﾞｯｸｱｯﾌﾟ", ""},
    {kOriginalRestore, "ｵﾘｼﾞﾅﾙﾌｫｰﾑの復元", ""},
    {kHistoryDelete, "履歴をﾊﾞｯｸｱｯﾌﾟしてから削除...", ""},
    {kOptimise, "ﾃﾞｰﾀﾍﾞｰｽの最適化...", ""},
    {kPastData, "過去の履歴を参照する", ""},
    {kCurrentData, "現在のﾃﾞｰﾀに戻す", ""},
    {kSaveNow, "ﾃﾞｰﾀﾍﾞｰｽを更新", ""},
    {kListUpdate, "データベースを更新", ""},
    {kDeleteCustomers, "顧客を削除", ""},
    {kDeleteAllHistory, "顧客の履歴をすべて削除", ""},
    {kFindCustomer, "顧客内を検索...", ""},
    {kSelectAll, "一覧の顧客をすべて選択", ""},
    {kShowCount, "現在の顧客数を表示...", ""},
    {kReleaseExtraction, "抽出を解除(すべて表示)", ""},
    {kRedoExtraction, "抽出のやり直し...", ""},
    {kSaveExtraction, "抽出条件の保存...", ""},
    {kExportData, "外部ﾃﾞｰﾀへ書き出し...", ""},
    {kExportHtml, "HTMLに書き出し...", ""},
    {kAddHistory, "履歴を追加...", ""},
    {kModifyCustomer, "顧客を修正...", ""},
    {kCopyCustomer, "顧客をコピー...", ""},
    {kBulkModifyCustomers, "顧客を一括修正...", ""},
    {kBulkAddHistory, "顧客に一括して履歴追加...", ""},
    {kCardHistoryTab, "履歴画面", ""},
    {kCardDetailTab, "詳細画面", ""},
    {kCardDetail2Tab, "詳細画面２", ""},
    {kModifyHistory, "履歴を修正...", ""},
    {kDeleteHistory, "履歴を削除", ""},
    {kCopyHistory, "履歴をコピー...", ""},
    {kFindHistory, "履歴内を検索...", ""},
    {kReferHistory, "履歴を参照...", ""},
    {kAddDMTitle, "DMタイトルを追加...", ""},
    {kModifyDMTitle, "DMタイトルを修正...", ""},
    {kDeleteDMTitle, "DMタイトルを削除", ""},
    {kCopyDMTitle, "DMタイトルをコピー...", ""},
    {kAddDMRecipients, "顧客を追加...", ""},
    {kRemoveDMRecipients, "顧客を削除", ""},
    {kDMHitRate, "DMヒット率分析...", ""},
    {kImportExternal, "外部ﾃﾞｰﾀの取り込み...", ""},
    {kImportMirte, "ミルテ4の顧客ﾃﾞｰﾀ取り込み...", ""},
};

}  // namespace

std::optional<Command> Find(int id) {
  const auto* it = std::find_if(std::begin(kCommands), std::end(kCommands), [id](const Command& c) { return c.id == id; });
  if (it == std::end(kCommands)) return std::nullopt;
  return *it;
}

}  // namespace shell::cmd
