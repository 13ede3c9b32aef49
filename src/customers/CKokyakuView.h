#pragma once
// The customer list screen (screens 1 to 3: without the card pane, with it on its history tab,
// on its detail tab). It shows all customers, the current extraction or an analysis result, and
// carries the customer commands of menu 133 and toolbar 128.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <memory>

#include "customers/CKokyakuDlgOwner.h"
#include "customers/CKokyakuList.h"
#include "customers/KokyakuCardPane.h"
#include "platform/MailClient.h"
#include "shell/CScreen.h"
#include "ui/ListKey.h"
#include "ui/Ui.h"

namespace shell {
class CMainFrame;
class CTovanaDoc;
}

namespace customers {

struct ListContext {
  ui::Ui* ui = nullptr;
  shell::CMainFrame* frame = nullptr;
  shell::CTovanaDoc* doc = nullptr;
  std::filesystem::path install;
  lookup::CLookupFacility* lookups = nullptr;
};

// The list is also the entry dialogs' owner: they save and step through it, so its rows stay in
// step with the document and the database.
class CKokyakuView : public shell::CScreen, public CKokyakuDlgOwner {
 public:
  static constexpr const char* kScreenTitle = "顧客 ソレル－顧客一覧";
  static constexpr const char* kSearchEnded = "検索が終了しました。\n";
  static constexpr const char* kWidthSection = "Settings-KList";
  static constexpr int kMinimumWidth = 20;
  static constexpr const char* kBulkReadOnly = "データベースは読取専用です。\n顧客を修正することはできません。\n";
  static constexpr const char* kBulkNoSelection = "顧客を選択してください。";
  static constexpr const char* kBulkQuestion = "選択されている%d件の顧客を一括修正します。よろしいですか？";
  static constexpr const char* kBulkDone = "顧客データを一括修正しました。";
  static constexpr const char* kBulkFailed = "顧客データが修正できませんでした。";
  static constexpr const char* kBulkPartly = "一部の顧客データが修正できませんでした。";
  // From this many customers a bulk change shows the wait window besides the wait cursor.
  static constexpr std::size_t kBulkWaitWindowFrom = 1000;

  // variant: 1, 2 or 3, the screen number the list is shown as.
  CKokyakuView(ListContext context, int variant);

  int Number() const override { return variant_; }
  std::string Title() const override { return kScreenTitle; }
  void OnInitialUpdate() override;
  bool OnCommand(int id) override;
  bool IsCommandEnabled(int id) const override;
  bool IsCommandChecked(int id) const override;
  std::vector<shell::MenuItem> MenuBar() const override;
  void OnFind(const shell::FindRequest& request) override;
  void OnClose() override;
  bool OpensMaximised() const override { return true; }

  CKokyakuList& List() { return list_; }
  const CKokyakuList& List() const { return list_; }
  // "%d件": the rows shown.
  std::string CountText() const;
  // The extraction buttons: shown (and enabled) for an extraction; only the release for an
  // analysis result; none for all customers.
  bool ShowsSubset() const { return subset_; }
  bool ExtractionButtonsShown() const { return subset_ && !analysisShown_; }

  // The entry dialogs' owner.
  int AddKokyaku(records::CKokyaku& customer) override;
  int ModifyKokyaku(std::int32_t id, records::CKokyaku& customer) override;
  std::optional<KokyakuStep> StepKokyaku(int step) override;
  std::optional<KokyakuPlace> SelectKokyaku(std::int32_t id) override;
  bool IsReadOnly() const override { return ReadOnly(); }
  std::filesystem::path PictureFolder() const override;
  lookup::CLookupFacility* Lookups() override { return c_.lookups; }

  // The card pane's model; null until the card is first shown.
  KokyakuCardPane* Card() { return card_.get(); }
  // The program mails are handed to, here and on the card; the desktop's unless set (for tests).
  void SetMailCommand(std::filesystem::path command) {
    mailCommand_ = std::move(command);
    if (card_) card_->SetMailCommand(mailCommand_);
  }

  // The card pane: shown or not, its tab (0 履歴, 1 詳細, 2 詳細２), its stored width (0 none).
  bool CardShown() const { return cardShown_; }
  int CardTab() const { return cardTab_; }
  int CardWidth() const { return cardWidth_; }
  void SetCardWidth(int width) { cardWidth_ = width; }
  void ShowCard(bool show);

  using ListKey = ui::ListKey;
  // The command a key runs: Enter opens the selected customer (顧客を修正..., which only shows
  // it when the data is read-only), Delete deletes as 顧客を削除 does, asking first. 0 while no
  // customer is selected.
  int CommandForKey(ListKey key) const;

  // The view tells of a changed selection, a header click, a double click.
  void SetSelection(std::vector<int> rows);
  void OnHeaderClick(int column);
  void OnDoubleClick();
  // A column's width changed in the view.
  void SetColumnWidth(int column, int width);

  // After an import: every customer read again in the default order, extraction and analysis
  // dropped, the list refilled.
  void ReloadAllCustomers();
  // "外部ﾃﾞｰﾀの取り込み..." and "ミルテ4の顧客ﾃﾞｰﾀ取り込み...": the import, then the list reloaded.
  void Import(int id);

  // The right-click menu.
  std::vector<shell::MenuItem> ContextMenu() const;

  // Told just before the rows or the columns change and right after, always as a pair with
  // nothing in between that could show a message or read the rows (a view resets its item model
  // across the pair).
  std::function<void()> onRowsChanging;
  std::function<void()> onRowsChanged;
  // Told when the selection, the count, the card or anything else shown changed.
  std::function<void()> onChanged;

 private:
  void ApplyPreExtraction();
  void Fill();
  // The columns the rows should show now; empty to keep the ones shown. May ask about a broken
  // settings file, so it runs before the rows change.
  std::vector<ListColumn> ResolveColumns() const;
  // Runs change, which alters the rows or columns, between onRowsChanging and onRowsChanged.
  template <typename Change>
  void ChangeRows(Change change);
  std::vector<ListColumn> DisplayColumns() const;
  int StoredWidth(int position) const;
  void Changed() const;
  bool LeaveCheck();
  void UpdateDatabase();
  void DeleteCustomers();
  void DeleteAllHistory();
  void ShowCount();
  void ReleaseExtraction();
  void Extract();
  void Analyse();
  void RedoExtraction();
  void SaveExtraction();
  void GoToDM();
  // ﾌｧｲﾙ › 印刷...: the selected customers onto a form of the catalogue.
  void Print();
  // ﾌｧｲﾙ › メール送信...: the selected customers through the mail client.
  void SendMail();
  void FindCustomer();
  void EditDisplayColumns();
  void SelectAll();
  // "外部ﾃﾞｰﾀへ書き出し..." or "HTMLに書き出し..." for the selected customers, in list order.
  void Export(int id);
  shell::MenuItem Item(int id) const;
  bool ReadOnly() const;
  void EnsureCard();
  void RefreshCard();
  void SelectCardTab(int tab);
  void OnCardCommand(CardCommand command);
  void AddCustomer();
  void ModifyCustomer();
  void CopyCustomer();
  void AddHistory();
  void BulkModify();
  void BulkAddHistory();
  bool HistoryCommand(int id);
  void RowChanged(std::int32_t id);

  ListContext c_;
  int variant_;
  CKokyakuList list_;
  bool subset_ = false;
  bool analysisShown_ = false;
  bool handingOver_ = false;  // the extraction goes on to the history list when this screen closes
  bool cardShown_ = false;
  int cardTab_ = KokyakuCardPane::kDetailTab;  // the tab a card opens on unless its screen names one
  int cardWidth_ = 0;
  std::unique_ptr<KokyakuCardPane> card_;
  std::filesystem::path mailCommand_ = platform::MailCommand();
};

}  // namespace customers
