#pragma once
// The command identifiers of the frame, its toolbars and the menu screen's pop-up menus, with the
// texts the menus and tool tips show. One table, so a menu item, a toolbar button and a keyboard
// accelerator of one command always run the same handler.

#include <optional>
#include <string_view>

namespace shell::cmd {

enum : int {
  kMenuScreen = 32772,   // メニュー画面へ
  kAddCustomer = 1002,   // 顧客を追加
  kCard = 32773,         // カード
  kPrint = 32816,        // 印刷
  kSendMail = 32806,     // メール送信
  kExtract = 1009,       // 抽出
  kRainbow = 1008,       // 七色分析
  kDMScreen = 1004,      // DM登録画面へ
  kHelp = 32786,         // ヘルプ
  kExit = 57665,         // 終了
  kFilePrint = 57607,    // 印刷 (DM screen)
  kToggleToolbar = 59392,
  kAbout = 57664,
  // The menu screen's pop-up menus.
  kCardNormal = 32821,
  kCardPersonal = 32822,
  kCardCompany = 32823,
  kDisplayColumns = 32780,
  kFreeItems = 32805,
  kPreExtract = 32829,
  kPreExtractRemove = 32830,
  kStaffList = 32793,
  kChoiceLists = 32794,
  kCompanyInfo = 32791,
  kAmountSettings = 32792,
  kOriginalForms = 32781,
  kDataFolder = 32788,
  kPassword = 32820,
  kPhoneBook = 32784,
  kAreaMarketing = 32785,
  kPhoneBookBackup = 32834,
  kPhoneBookRestore = 32835,
  kBackup = 32789,
  kRestore = 32790,
  kOriginalBackup = 32782,
  kOriginalRestore = 32783,
  kHistoryDelete = 32795,
  kOptimise = 32796,
  kPastData = 32797,
  kCurrentData = 32798,
  kSaveNow = 32836,
  // The customer list's own commands.
  kListUpdate = 33001,
  kDeleteCustomers,
  kDeleteAllHistory,
  kFindCustomer,
  kSelectAll,
  kShowCount,
  kReleaseExtraction,
  kAddHistory,
  kModifyCustomer,
  kCopyCustomer,
  kBulkModifyCustomers,
  kBulkAddHistory,
  kCardHistoryTab,
  kCardDetailTab,
  kCardDetail2Tab,
  kModifyHistory,
  kDeleteHistory,
  kCopyHistory,
  kFindHistory,
  kRedoExtraction,
  kSaveExtraction,
  // The customer list's export commands.
  kExportData = 33050,
  kExportHtml,
  // The customer list's import commands.
  kImportExternal = 33040,
  kImportMirte = 33041,
  // The history list's own commands (it shares 履歴を削除, 履歴内を検索... and the extraction
  // commands above).
  kReferHistory = 33101,
  // The DM screen's own commands.
  kAddDMTitle = 33201,
  kModifyDMTitle,
  kDeleteDMTitle,
  kCopyDMTitle,
  kAddDMRecipients,
  kRemoveDMRecipients,
  kDMHitRate,
};

struct Command {
  int id;
  std::string_view menuText;  // as the menus show it
  std::string_view tip;       // tool tip of its toolbar button; empty when it has none
};

// The command with this id, if the program has one.
std::optional<Command> Find(int id);

}  // namespace shell::cmd
