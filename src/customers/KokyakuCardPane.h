#pragma once
// The card pane beside the customer list: the shown customer on three tabs, 履歴 (the history
// with its commands), 詳細 and 詳細２ (the customer's fields drawn as a card). The list view
// embeds it and uses only this interface:
//   ShowCustomer on every selection change (null: blank card, empty history);
//   SelectTab for 履歴画面 / 詳細画面 / 詳細画面２, Tab() for their radio check, OpeningTab(screen)
//   for the tab screens 2 and 3 open on;
//   the history commands (OnAddHistory, OnModifyHistory, OnCopyHistory, OnDeleteHistory,
//   OnFindInHistory) and IsEnabled for their menu items;
//   IsHistorySearch and OnFind for the find dialog's requests;
//   onCommand (buttons the list view carries out), onTabRequested (a tab click to be posted as
//   the list's command), onCustomerChanged (a customer's row to rewrite).

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "customers/KokyakuCardHistory.h"
#include "customers/KokyakuCardLayout.h"
#include "records/CKokyaku.h"
#include "shell/CScreen.h"
#include "ui/Ui.h"

namespace shell {
class CMainFrame;
class CTovanaDoc;
}  // namespace shell

namespace customers {

// What the seven buttons send.
enum class CardCommand { AddHistory, ModifyHistory, FindHistory, CopyHistory, DeleteHistory, ModifyCustomer, CopyCustomer };

// A button: its command, caption, the command's name (what a screen reader announces, since
// both tabs have a "修正..." and a "ｺﾋﾟｰ") and left edge; every button is 70 × 20 in the row y 32
// to 52.
struct CardButton {
  CardCommand command;
  std::string_view caption;
  std::string_view name;
  int x;
};
inline constexpr int kCardButtonTop = 32, kCardButtonWidth = 70, kCardButtonHeight = 20;

// The history list's columns: caption and width (the details column takes the rest).
struct CardHistoryColumn {
  std::string_view caption;
  int width;
};

class KokyakuCardPane {
 public:
  enum Tab : int { kHistoryTab = 0, kDetailTab = 1, kDetail2Tab = 2 };
  static constexpr int kTabCount = 3;
  static constexpr int kTabWidth = 80, kTabHeight = 25;
  static constexpr int kMargin = 7, kContentTop = 59;

  static constexpr const char* kSelectHistory = "履歴を選択してください";
  static constexpr const char* kDeleteQuestion = "選択されている履歴を削除します。\nよろしいですか？\n";
  static constexpr const char* kDeleteReadOnly = "データベースは読取専用です。\n履歴を削除することはできません。\n";
  static constexpr const char* kDeleteFailed = "履歴が削除できませんでした";
  static constexpr const char* kSearchEnded = "検索が終了しました。\n";
  static constexpr const char* kHistoryUnreadable = "顧客の履歴を取得できませんでした。\n履歴を表示できません。\n";
  static constexpr const char* kMailHistoryFailed = "履歴が登録できませんでした。\n";

  using Clock = history::CRirekiDlg::Clock;

  // doc must outlive the pane; frame (may be null) owns the find dialog. The read-only state and
  // the picture folder are taken from doc now. The labels are read from the column definitions.
  KokyakuCardPane(ui::Ui& ui, shell::CTovanaDoc& doc, shell::CMainFrame* frame, Clock clock = records::COleDate::Now);

  // --- Told by the list view ---
  // A copy of customer is shown (null: none) and its history read. 1, or -1 after
  // kHistoryUnreadable with the history empty.
  int ShowCustomer(const records::CKokyaku* customer);
  bool HasCustomer() const { return hasCustomer_; }
  const records::CKokyaku& Customer() const { return customer_; }
  // Reads the labels again, after the column definitions changed.
  void ReloadLabels();

  // --- Tabs ---
  int Tab() const { return tab_; }
  // Shows tab 0, 1 or 2; the current tab again does nothing. Leaving for a detail tab ends a
  // history search and closes the find dialog.
  void SelectTab(int tab);
  // A click on a tab: handed to onTabRequested when set (the list view selects it through its
  // command), else selected here.
  void OnTabClicked(int tab);
  // The tab a customer list screen opens its card on: screen 2 履歴, screen 3 詳細; -1 (no card)
  // for any other screen.
  static int OpeningTab(int screen);
  static std::string_view TabName(int tab);
  // The tab's colour as 0x00BBGGRR.
  static std::uint32_t TabColour(int tab);

  // --- Buttons ---
  // The buttons of a tab, left to right.
  static std::span<const CardButton> Buttons(int tab);
  // Whether a command can run now: 修正, ｺﾋﾟｰ and 削除 of the history need the history tab with a
  // selected row, 検索 the history tab, 新規追加 and the customer commands a shown customer (the
  // customer ones also a list view to carry them out).
  bool IsEnabled(CardCommand command) const;
  // A button or a double click: handed to onCommand when set, else the history commands run here
  // for the shown customer.
  void OnButton(CardCommand command);

  // --- History list ---
  static std::span<const CardHistoryColumn> HistoryColumns();
  int HistoryRowCount() const { return history_.RowCount(); }
  KokyakuCardHistory::Cells HistoryRow(int row) const { return history_.RowCells(row); }
  int HistorySelection() const { return history_.SelectedRow(); }
  void SelectHistoryRow(int row) { history_.SelectRow(row); }
  void OnHistoryHeaderClicked(int column) { history_.SortBy(column); }
  // Selects the row and sends 履歴を修正.
  void OnHistoryDoubleClicked(int row);
  const KokyakuCardHistory& History() const { return history_; }

  // --- History commands (the list view's menu items and the buttons) ---
  // The Add dialog for the first of the selected customers; a new entry of the shown customer
  // lands on top of the list, selected.
  void OnAddHistory(const records::IdArray& selectedCustomers);
  // One entry for each selected customer through the BulkAdd dialog (the questions and reports
  // of CRirekiListOwner::OnBulkAddRireki); the shown customer's history is read again and its
  // last history date follows. The cached customers are told of in one go, not one by one: the
  // caller redraws its rows once. The owner's result (0 when nothing was stored).
  int OnBulkAddHistory(const records::IdArray& selectedCustomers);
  // Without a selection kSelectHistory; else the Modify dialog, or when read-only the
  // look-only message and the reference dialog.
  void OnModifyHistory();
  // Read-only: the owner's message; without a selection kSelectHistory; else the Copy dialog.
  void OnCopyHistory();
  // Read-only: kDeleteReadOnly; without a selection kSelectHistory; asks kDeleteQuestion (No by
  // default); deletes the entry from the store, on success its row goes and the customer's
  // RirekiUpDate becomes now. A failure shows kDeleteFailed and keeps the row.
  void OnDeleteHistory();
  // Opens the frame's find dialog for a search of the history.
  void OnFindInHistory();
  // Whether the frame's find requests belong to the history: a history search was started and
  // its dialog is still open while the history tab shows.
  bool IsHistorySearch() const;
  // The list view starts a search of its own: the history search ends, the dialog stays.
  void EndHistorySearch() { historySearch_ = false; }
  // Looks from the row after (down) or before (up) the selection at the four cells of each row
  // for the text, case-sensitive; the hit becomes the selection, else kSearchEnded.
  void OnFind(const shell::FindRequest& request);

  // --- Detail card ---
  // The label of a column from the column definitions (empty when they have none).
  const std::string& Label(std::string_view column) const;
  // A column's text for the card (blank without a customer).
  std::string FieldText(std::string_view column) const;
  // The watermark of a page of the shown customer (none without a customer).
  CardWatermark Watermark(int page) const;
  // Where picture n (1 to 5) of the shown customer is found; empty for none.
  std::filesystem::path PicturePath(int n) const;
  // Whether a column is a link that can be clicked now: URL1, URL2 and EMail1 to EMail5 with an
  // address.
  bool IsLink(std::string_view column) const;
  // A click on a web address opens it in the browser; on a mail address, the mail launcher and
  // then the mail client, with the history entry "メール送信" for this customer when asked.
  void OnLinkClicked(std::string_view column);
  // The programs web addresses and mails are handed to; the desktop's unless set (for tests).
  void SetUrlOpener(std::filesystem::path opener) { urlOpener_ = std::move(opener); }
  void SetMailCommand(std::filesystem::path command) { mailCommand_ = std::move(command); }

  // --- Notices ---
  // A button whose command the list view carries out.
  std::function<void(CardCommand)> onCommand;
  // A click on a tab, to be run as the list's 履歴画面 / 詳細画面 / 詳細画面２ command.
  std::function<void(int tab)> onTabRequested;
  // A customer's cached record changed (its RirekiUpDate): the list rewrites that row.
  std::function<void(std::int32_t customerId)> onCustomerChanged;

 private:
  void CustomerTouched(std::int32_t customerId);
  bool DeleteSelected();

  ui::Ui& ui_;
  shell::CTovanaDoc& doc_;
  shell::CMainFrame* frame_;
  Clock clock_;
  KokyakuCardHistory history_;
  records::CKokyaku customer_;
  bool hasCustomer_ = false;
  int tab_ = kDetailTab;
  bool historySearch_ = false;
  bool bulkAdding_ = false;    // a bulk add is storing: customers touched are not told one by one
  bool shownTouched_ = false;  // the shown customer was among them
  std::vector<std::string> labels_;  // by column, in KokyakuColumns() order
  std::filesystem::path urlOpener_;
  std::filesystem::path mailCommand_;
};

}  // namespace customers
