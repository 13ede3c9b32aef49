#include "customers/CKokyakuView.h"

#include <unordered_map>

#include "analysis/CRainbowDlg.h"
#include "customers/CDispColumnDlg.h"
#include "customers/CKokyakuBulkDlg.h"
#include "customers/KokyakuEntry.h"
#include "dm/DMEntry.h"
#include "dm/MailSending.h"
#include "extract/CExtractDlg.h"
#include "extract/Extraction.h"
#include "history/CRirekiListOwner.h"
#include "io/Export.h"
#include "io/Import.h"
#include "io/ImportMirte.h"
#include "platform/CProfile.h"
#include "settings/CDefKokyaku.h"
#include "settings/CDefaultSort.h"
#include "settings/CQMVColSet.h"
#include "settings/ColumnRoutines.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "printing/PrintCommands.h"
#include "shell/Commands.h"
#include "text/Format.h"

namespace customers {

namespace cmd = shell::cmd;
using ui::Answer;
using ui::Icon;

namespace {

constexpr const char* kCardSection = "Settings";
constexpr const char* kCardEntry = "cardwid";
constexpr int kExtractionColumnWidth = 150;

bool NeedsSelection(int id) {
  switch (id) {
    case cmd::kDeleteCustomers:
    case cmd::kDeleteAllHistory:
    case cmd::kAddHistory:
    case cmd::kModifyCustomer:
    case cmd::kCopyCustomer:
    case cmd::kBulkModifyCustomers:
    case cmd::kBulkAddHistory:
    case cmd::kPrint:
    case cmd::kExportData:
    case cmd::kExportHtml:
    case cmd::kSendMail:
      return true;
    default:
      return false;
  }
}

}  // namespace

CKokyakuView::CKokyakuView(ListContext context, int variant)
    : c_(std::move(context)), variant_(variant >= kCustomerList && variant <= kCustomerCard2 ? variant : kCustomerList) {}

bool CKokyakuView::ReadOnly() const { return c_.doc && c_.doc->IsReadOnly(); }

void CKokyakuView::Changed() const {
  if (onChanged) onChanged();
}

template <typename Change>
void CKokyakuView::ChangeRows(Change change) {
  if (onRowsChanging) onRowsChanging();
  change();
  if (onRowsChanged) onRowsChanged();
}

std::string CKokyakuView::CountText() const { return text::Format("%d件", list_.RowCount()); }

void CKokyakuView::OnInitialUpdate() {
  if (c_.frame) c_.frame->ShowScreenToolbar(true);
  if (!c_.doc) return c_.ui->Tell("顧客データが取得できません\n");
  if (!c_.doc->CurrentExtraction() && c_.doc->Analysis().kind < 0) ApplyPreExtraction();
  if (platform::CProfile* profile = c_.doc->Profile()) cardWidth_ = profile->GetInt(kCardSection, kCardEntry, 0);
  Fill();
  if (const int tab = KokyakuCardPane::OpeningTab(variant_); tab >= 0) {
    cardTab_ = tab;
    ShowCard(true);
  }
}

void CKokyakuView::ApplyPreExtraction() {
  settings::CDefKokyaku pre(*c_.ui, c_.doc->DataFolder());
  if (!pre.Exists()) return;
  std::unique_ptr<settings::CExCondition> condition = pre.Load();
  if (!condition) return;
  const std::string order = settings::CDefaultSort(*c_.ui, c_.doc->DataFolder()).OrderClause();
  const std::string sql = order.empty() ? condition->sql : condition->sql + " " + order;
  records::IdArray ids;
  if (c_.doc->Store().ExtractKokyaku(sql, ids) == -1 && c_.ui->Ask("抽出に失敗しました。全顧客を表示してよろしいですか？")) {
    return;  // all customers, the condition dropped
  }
  c_.doc->SetExtraction(std::move(condition), true);
  c_.doc->ExtractedIds() = std::move(ids);
}

void CKokyakuView::Fill() {
  const ui::WaitScope wait = c_.ui->Wait();
  std::unordered_map<std::int32_t, records::CKokyaku*> byId;
  for (const auto& k : c_.doc->Customers()) byId.emplace(k->ID, k.get());
  const auto rowFor = [&byId](std::int32_t id, std::vector<ListRow>& rows) -> ListRow* {
    const auto it = byId.find(id);
    if (it == byId.end()) return nullptr;  // a hit or ID without a customer is skipped
    rows.push_back({it->second, id, std::nullopt});
    return &rows.back();
  };
  std::vector<ListRow> rows;
  shell::AnalysisResult& analysis = c_.doc->Analysis();
  analysisShown_ = false;
  if (analysis.kind == 4) {
    c_.doc->ClearAnalysis();  // the DM hit rate shows on the DM screen, not here
    return;
  }
  if (analysis.kind >= 1 && analysis.kind <= 7) {
    analysisShown_ = true;
    if (analysis.kind == 5 || analysis.kind == 7) {
      for (std::int32_t id : analysis.ids) rowFor(id, rows);
    } else {
      for (const auto& hit : analysis.hits) {
        if (!hit) continue;
        if (ListRow* row = rowFor(hit->ID, rows)) row->hit = *hit;
      }
    }
    subset_ = true;
  } else if (c_.doc->CurrentExtraction()) {
    for (std::int32_t id : c_.doc->ExtractedIds()) rowFor(id, rows);
    subset_ = true;
  } else {
    rows.reserve(c_.doc->Customers().size());
    for (const auto& k : c_.doc->Customers()) rows.push_back({k.get(), k->ID, std::nullopt});
    subset_ = false;
  }
  std::vector<ListColumn> columns = ResolveColumns();
  ChangeRows([&] {
    if (!columns.empty()) list_.SetColumns(std::move(columns));
    list_.SetRows(std::move(rows));
  });
  if (list_.RowCount() > 0) list_.SelectOnly(0);
  RefreshCard();
  Changed();
}

int CKokyakuView::StoredWidth(int position) const {
  platform::CProfile* profile = c_.doc ? c_.doc->Profile() : nullptr;
  const int width = profile ? profile->GetInt(kWidthSection, text::Format("colwidth%d", position), 100) : 100;
  return width < 1 ? kMinimumWidth : width;
}

std::vector<ListColumn> CKokyakuView::DisplayColumns() const {
  std::vector<std::unique_ptr<settings::CQMVCol>> resolved;
  settings::GetDispColumns(*c_.ui, resolved, c_.install);
  std::vector<ListColumn> columns;
  for (const auto& col : resolved) {
    columns.push_back({col->GetKey(), col->GetLabel(), StoredWidth(static_cast<int>(columns.size()))});
  }
  return columns;
}

std::vector<ListColumn> CKokyakuView::ResolveColumns() const {
  std::vector<ListColumn> columns;
  const settings::CExCondition* extraction = c_.doc->CurrentExtraction();
  if (!analysisShown_ && extraction && !extraction->displayColumns.empty()) {
    settings::CQMVColSet set(*c_.ui, c_.install);
    set.Load();
    for (const std::string& key : extraction->displayColumns) {
      columns.push_back({key, set.GetLabel(key), kExtractionColumnWidth});
    }
  } else if (analysisShown_) {
    const auto value = CKokyakuList::ValueColumn(c_.doc->Analysis().kind);
    if (value) columns.push_back(*value);
    for (ListColumn& column : DisplayColumns()) {
      if (!value || column.key != value->key) columns.push_back(std::move(column));
    }
  } else {
    columns = DisplayColumns();
  }
  return columns;
}

void CKokyakuView::SetSelection(std::vector<int> rows) {
  if (cardShown_ && rows.size() > 1) rows.resize(1);  // the card shows one customer
  list_.SetSelection(std::move(rows));
  RefreshCard();
  Changed();
}

void CKokyakuView::OnHeaderClick(int column) {
  ChangeRows([&] { list_.SortBy(column); });
  Changed();
}

int CKokyakuView::CommandForKey(ListKey key) const {
  const int id = key == ListKey::Enter ? cmd::kModifyCustomer : cmd::kDeleteCustomers;
  return IsCommandEnabled(id) ? id : 0;
}

void CKokyakuView::OnDoubleClick() {
  if (!cardShown_) ShowCard(true);
}

void CKokyakuView::SetColumnWidth(int column, int width) {
  if (column >= 0 && column < static_cast<int>(list_.Columns().size())) list_.Columns()[column].width = width;
}

void CKokyakuView::ShowCard(bool show) {
  if (show) EnsureCard();
  cardShown_ = show;
  if (show && list_.Selection().size() > 1) list_.SelectOnly(list_.FirstSelected());
  RefreshCard();
  Changed();
}

void CKokyakuView::EnsureCard() {
  if (card_ || !c_.doc) return;
  card_ = std::make_unique<KokyakuCardPane>(*c_.ui, *c_.doc, c_.frame);
  card_->SetMailCommand(mailCommand_);
  card_->SelectTab(cardTab_);
  card_->onTabRequested = [this](int tab) { OnCommand(cmd::kCardHistoryTab + tab); };
  card_->onCommand = [this](CardCommand command) { OnCardCommand(command); };
  card_->onCustomerChanged = [this](std::int32_t id) { RowChanged(id); };
}

void CKokyakuView::RefreshCard() {
  if (!card_ || !cardShown_) return;
  const int row = list_.FirstSelected();
  if (card_->ShowCustomer(row >= 0 ? list_.Rows()[row].customer : nullptr) == -1) {
    c_.ui->Tell(KokyakuCardPane::kHistoryUnreadable);
  }
}

void CKokyakuView::SelectCardTab(int tab) {
  if (!cardShown_) return;
  cardTab_ = tab;
  if (card_) card_->SelectTab(tab);
  Changed();
}

void CKokyakuView::RowChanged(std::int32_t) { Changed(); }

void CKokyakuView::OnCardCommand(CardCommand command) {
  switch (command) {
    case CardCommand::AddHistory: OnCommand(cmd::kAddHistory); break;
    case CardCommand::ModifyHistory: OnCommand(cmd::kModifyHistory); break;
    case CardCommand::FindHistory: OnCommand(cmd::kFindHistory); break;
    case CardCommand::CopyHistory: OnCommand(cmd::kCopyHistory); break;
    case CardCommand::DeleteHistory: OnCommand(cmd::kDeleteHistory); break;
    case CardCommand::ModifyCustomer: OnCommand(cmd::kModifyCustomer); break;
    case CardCommand::CopyCustomer: OnCommand(cmd::kCopyCustomer); break;
  }
}

void CKokyakuView::OnClose() {
  if (!c_.doc) return;
  if (platform::CProfile* profile = c_.doc->Profile()) {
    int position = 0;
    for (const ListColumn& column : list_.Columns()) {
      if (column.value) continue;
      profile->WriteInt(kWidthSection, text::Format("colwidth%d", position++), column.width);
    }
    if (cardShown_ && cardWidth_ > 0) profile->WriteInt(kCardSection, kCardEntry, cardWidth_);
  }
  if (subset_ && !handingOver_) {
    c_.doc->ClearExtraction();
    c_.doc->ClearAnalysis();
  }
}

bool CKokyakuView::LeaveCheck() {
  if (!c_.doc) return true;
  const bool goOn = extract::AskToSaveExtraction(*c_.ui, *c_.doc);
  Changed();
  return goOn;
}

void CKokyakuView::Extract() {
  if (!c_.doc || !LeaveCheck()) return;
  if (!extract::RunExtractionDialog(*c_.ui, *c_.doc, c_.install, extract::CExtractDlg::kGeneral)) return;
  c_.doc->ClearAnalysis();
  const settings::CExCondition* extraction = c_.doc->CurrentExtraction();
  if (extraction && extraction->resultType == settings::CExCondition::kHistory) {
    handingOver_ = true;  // the history list shows it
    c_.frame->SwitchScreen(kHistory);
    return;
  }
  Fill();
}

void CKokyakuView::Analyse() {
  if (!c_.doc || !LeaveCheck()) return;
  const int kind = analysis::RunRainbowDialog(*c_.ui, *c_.doc, c_.install, c_.lookups);
  if (kind < 0) {
    if (analysisShown_) Fill();  // the cancelled dialog cleared the result shown
    return;
  }
  c_.doc->ClearExtraction();
  if (kind == analysis::kDMHit) {
    handingOver_ = true;  // the DM screen shows the hit rate
    c_.frame->SwitchScreen(kDM);
    return;
  }
  Fill();
}

void CKokyakuView::RedoExtraction() {
  if (!c_.doc || !ExtractionButtonsShown()) return;
  if (extract::RunExtractionDialog(*c_.ui, *c_.doc, c_.install, extract::CExtractDlg::kCustomersOnly)) Fill();
}

void CKokyakuView::SaveExtraction() {
  if (!c_.doc || !c_.doc->CurrentExtraction()) return;
  extract::SaveCurrentExtraction(*c_.ui, *c_.doc);
  Changed();
}

bool CKokyakuView::OnCommand(int id) {
  switch (id) {
    case cmd::kListUpdate: UpdateDatabase(); return true;
    case cmd::kPrint: Print(); return true;
    case cmd::kDeleteCustomers: DeleteCustomers(); return true;
    case cmd::kDeleteAllHistory: DeleteAllHistory(); return true;
    case cmd::kFindCustomer: FindCustomer(); return true;
    case cmd::kSelectAll: SelectAll(); return true;
    case cmd::kShowCount: ShowCount(); return true;
    case cmd::kReleaseExtraction: ReleaseExtraction(); return true;
    case cmd::kExtract: Extract(); return true;
    case cmd::kRainbow: Analyse(); return true;
    case cmd::kRedoExtraction: RedoExtraction(); return true;
    case cmd::kSaveExtraction: SaveExtraction(); return true;
    case cmd::kDisplayColumns: EditDisplayColumns(); return true;
    case cmd::kDMScreen: GoToDM(); return true;
    case cmd::kSendMail: SendMail(); return true;
    case cmd::kCard: ShowCard(!cardShown_); return true;
    case cmd::kCardHistoryTab:
    case cmd::kCardDetailTab:
    case cmd::kCardDetail2Tab:
      SelectCardTab(id - cmd::kCardHistoryTab);
      return true;
    case cmd::kAddCustomer: AddCustomer(); return true;
    case cmd::kModifyCustomer: ModifyCustomer(); return true;
    case cmd::kCopyCustomer: CopyCustomer(); return true;
    case cmd::kAddHistory: AddHistory(); return true;
    case cmd::kBulkModifyCustomers: BulkModify(); return true;
    case cmd::kBulkAddHistory: BulkAddHistory(); return true;
    case cmd::kExportData:
    case cmd::kExportHtml: Export(id); return true;
    case cmd::kImportExternal:
    case cmd::kImportMirte:
      Import(id);
      return true;
    case cmd::kModifyHistory:
    case cmd::kDeleteHistory:
    case cmd::kCopyHistory:
    case cmd::kFindHistory:
      return HistoryCommand(id);
    case cmd::kCardNormal:
    case cmd::kCardPersonal:
    case cmd::kCardCompany:
      if (c_.doc) c_.doc->SetCardType(id - cmd::kCardNormal);
      return true;
    case cmd::kMenuScreen:
      if (LeaveCheck()) c_.frame->SwitchScreen(kMenu);
      return true;
    case cmd::kExit:
      if (!LeaveCheck()) return true;
      ShowCard(false);
      return false;  // the frame closes the window
    default:
      return false;
  }
}

bool CKokyakuView::IsCommandEnabled(int id) const {
  if (NeedsSelection(id)) return !list_.Selection().empty();
  const bool onHistory = cardShown_ && card_ && cardTab_ == KokyakuCardPane::kHistoryTab;
  switch (id) {
    case cmd::kModifyHistory: return onHistory && card_->IsEnabled(CardCommand::ModifyHistory);
    case cmd::kDeleteHistory: return onHistory && card_->IsEnabled(CardCommand::DeleteHistory);
    case cmd::kCopyHistory: return onHistory && card_->IsEnabled(CardCommand::CopyHistory);
    case cmd::kFindHistory: return onHistory;
    case cmd::kAddCustomer: return true;
    case cmd::kRainbow: return c_.doc != nullptr;
    case cmd::kSelectAll: return list_.RowCount() > 0;
    case cmd::kReleaseExtraction: return subset_;
    case cmd::kExtract: return c_.doc && !c_.doc->CurrentExtraction();
    case cmd::kRedoExtraction:
    case cmd::kSaveExtraction: return ExtractionButtonsShown();
    case cmd::kCardHistoryTab:
    case cmd::kCardDetailTab:
    case cmd::kCardDetail2Tab: return cardShown_;
    case cmd::kListUpdate:
    case cmd::kImportExternal:
    case cmd::kImportMirte:
    case cmd::kFindCustomer:
    case cmd::kShowCount:
    case cmd::kDisplayColumns:
    case cmd::kCard:
    case cmd::kCardNormal:
    case cmd::kCardPersonal:
    case cmd::kCardCompany:
      return true;
    default:
      return false;  // the commands of later screens and dialogs
  }
}

bool CKokyakuView::IsCommandChecked(int id) const {
  switch (id) {
    case cmd::kCard: return cardShown_;
    case cmd::kCardHistoryTab:
    case cmd::kCardDetailTab:
    case cmd::kCardDetail2Tab: return cardShown_ && cardTab_ == id - cmd::kCardHistoryTab;
    case cmd::kCardNormal:
    case cmd::kCardPersonal:
    case cmd::kCardCompany: return c_.doc && c_.doc->CardType() == id - cmd::kCardNormal;
    default: return false;
  }
}

shell::MenuItem CKokyakuView::Item(int id) const {
  shell::MenuItem item;
  item.id = id;
  item.text = std::string(cmd::Find(id)->menuText);
  if (id == cmd::kExit) item.text = "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)";
  item.enabled = IsCommandEnabled(id);
  item.checked = IsCommandChecked(id);
  item.radio = (id >= cmd::kCardNormal && id <= cmd::kCardCompany) || (id >= cmd::kCardHistoryTab && id <= cmd::kCardDetail2Tab);
  return item;
}

std::vector<shell::MenuItem> CKokyakuView::MenuBar() const {
  const auto menu = [this](const char* title, std::initializer_list<int> ids) {
    shell::MenuItem top;
    top.text = title;
    for (int id : ids) top.children.push_back(id ? Item(id) : shell::MenuItem{});
    return top;
  };
  return {
      menu("ﾌｧｲﾙ(&F)", {cmd::kListUpdate, 0, cmd::kPrint, cmd::kSendMail, 0, cmd::kImportExternal, cmd::kImportMirte, 0,
                        cmd::kExportData, cmd::kExportHtml, 0, cmd::kExit}),
      menu("表示(&V)", {cmd::kToggleToolbar, 0, cmd::kCard, cmd::kCardHistoryTab, cmd::kCardDetailTab,
                        cmd::kCardDetail2Tab, 0, cmd::kMenuScreen, cmd::kDMScreen}),
      menu("顧客(&C)", {cmd::kAddCustomer, cmd::kModifyCustomer, cmd::kBulkModifyCustomers, cmd::kDeleteCustomers,
                        cmd::kCopyCustomer, 0, cmd::kBulkAddHistory, cmd::kDeleteAllHistory, 0, cmd::kFindCustomer,
                        cmd::kSelectAll, cmd::kShowCount}),
      menu("履歴(&R)", {cmd::kAddHistory, cmd::kModifyHistory, cmd::kDeleteHistory, cmd::kCopyHistory, 0,
                        cmd::kFindHistory}),
      menu("抽出(&E)", {cmd::kExtract, cmd::kRainbow, 0, cmd::kReleaseExtraction, cmd::kRedoExtraction, cmd::kSaveExtraction}),
      menu("設定(&S)", {cmd::kCardNormal, cmd::kCardPersonal, cmd::kCardCompany, 0, cmd::kDisplayColumns}),
      menu("ﾍﾙﾌﾟ(&H)", {cmd::kHelp, 0, cmd::kAbout}),
  };
}

std::vector<shell::MenuItem> CKokyakuView::ContextMenu() const {
  return {Item(cmd::kAddCustomer),    Item(cmd::kModifyCustomer),  Item(cmd::kBulkModifyCustomers),
          Item(cmd::kDeleteCustomers), Item(cmd::kCopyCustomer),    shell::MenuItem{},
          Item(cmd::kBulkAddHistory),  shell::MenuItem{},           Item(cmd::kSelectAll)};
}

void CKokyakuView::SendMail() {
  if (!c_.doc) return;
  dm::CustomerMail mail(*c_.ui, *c_.doc, mailCommand_);
  mail.Send(list_.SelectedIds(), records::COleDate::Now(), [this](std::int32_t id) { RowChanged(id); });
  Changed();
}

void CKokyakuView::UpdateDatabase() {
  if (ReadOnly()) return c_.ui->Tell("データベースは読取専用です。\n更新することはできません。\n");
  if (!c_.doc) return c_.ui->Tell("更新できません");
  int saved = 0;
  {
    const ui::WaitScope wait = c_.ui->Wait();
    saved = c_.doc->Store().SaveQMV(false);
  }
  if (saved == 1) return c_.ui->Tell("更新しました", Icon::Information);
  c_.ui->Tell("更新に失敗しました");
}

void CKokyakuView::DeleteCustomers() {
  if (ReadOnly()) return c_.ui->Tell("データベースは読取専用です。\n顧客を削除することはできません。\n");
  if (list_.Selection().empty()) return c_.ui->Tell("削除する顧客を選択してください");
  const records::IdArray ids = list_.SelectedIds();
  const std::string question = text::Format(
      "選択されている%d件の顧客を削除します。\n顧客を削除すると、二度と元に戻すことはできません。\n"
      "また、削除する顧客の履歴・DM送付予定などもすべて削除されます。\n\n本当に削除してよろしいですか？",
      static_cast<int>(ids.size()));
  if (!c_.ui->Ask(question, Answer::No)) return;
  if (!c_.doc) return c_.ui->Tell("顧客を削除できませんでした\n");
  records::IdArray deleted;
  int result = 0;
  // The document frees the deleted records: their rows go before anything reads them.
  ChangeRows([&] {
    const ui::WaitScope wait = c_.ui->Wait();
    result = c_.doc->DeleteCustomers(ids, deleted);
    list_.RemoveCustomers(deleted);
  });
  if (result == 0) c_.ui->Tell("顧客情報が見つかりませんでした。\n");
  if (result == -1) c_.ui->Tell("顧客情報が削除できませんでした。\n");
  if (result == 10) c_.ui->Tell("一部の顧客情報が削除できませんでした。\n");
  if (result == 1 && list_.RowCount() > 0) list_.SelectOnly(0);
  RefreshCard();
  Changed();
}

void CKokyakuView::DeleteAllHistory() {
  if (ReadOnly()) {
    return c_.ui->Tell("データベースは読取専用です。\n履歴を修正することはできません。\n参照のみを行ないます。");
  }
  if (list_.Selection().empty()) return c_.ui->Tell("履歴を削除する顧客を選択してください");
  list_.SelectOnly(list_.FirstSelected());
  Changed();
  if (!c_.ui->Ask("選択されている顧客の履歴をすべて削除します。\n\n一度この操作を行なうと元に戻すことはできません。\n"
                  "本当に削除してよろしいですか？",
                  Answer::No)) {
    return;
  }
  const int result = c_.doc->Store().DeleteRirekiForKokyaku(list_.SelectedIds().front());
  if (result == 10) c_.ui->Tell("指定された顧客の履歴の一部は削除できませんでした。\n");
  if (result == 0) c_.ui->Tell("指定された顧客の履歴はありませんでした。\n", Icon::Information);
  if (result == -1) c_.ui->Tell("指定された顧客の履歴が削除できませんでした。\n");
  RefreshCard();  // the card shows the history as it is now
  Changed();
}

void CKokyakuView::ShowCount() {
  const int all = c_.doc ? static_cast<int>(c_.doc->Customers().size()) : 0;
  std::string text = text::Format("現在データベースに登録されている顧客は%d人です。\n", all);
  if (subset_) text += text::Format("\n現在顧客一覧に抽出されている顧客は%d人です。\n", list_.RowCount());
  c_.ui->Tell(text, Icon::Information);
}

void CKokyakuView::ReleaseExtraction() {
  if (!subset_ || !LeaveCheck()) return;
  c_.doc->ClearExtraction();
  c_.doc->ClearAnalysis();
  Fill();
}

void CKokyakuView::GoToDM() {
  if (!LeaveCheck()) return;
  const records::IdArray ids = list_.SelectedIds();
  Answer answer = Answer::No;
  if (!ids.empty()) {
    answer = c_.ui->Message(text::Format("選択されている%d件の顧客をDM送付管理に追加しますか？\n\n"
                                         "「はい」で追加します。\n「いいえ」で選択を解除してDM送付管理画面に移動します。",
                                         static_cast<int>(ids.size())),
                            ui::Buttons::YesNoCancel, Icon::Question, Answer::Yes);
  }
  if (answer == Answer::Cancel) return;
  if (answer == Answer::Yes) {
    if (ReadOnly()) return c_.ui->Tell("データベースは読取専用です。\nDM送付管理に追加することはできません。\n");
    if (!dm::AddCustomersToDM(*c_.ui, *c_.doc, c_.install, ids)) return;
  }
  c_.frame->SwitchScreen(kDM);
}

void CKokyakuView::Print() {
  if (!c_.doc) return;
  std::vector<const records::CKokyaku*> selected;
  for (int row : list_.Selection()) {
    const records::CKokyaku* k = list_.Rows()[static_cast<std::size_t>(row)].customer;
    if (k) selected.push_back(k);
  }
  // The rows show the new last-history dates at once, as the records carry them now.
  if (printing::PrintCustomers(*c_.ui, *c_.doc, selected)) Changed();
}

void CKokyakuView::FindCustomer() {
  if (card_) card_->EndHistorySearch();
  if (c_.frame) c_.frame->OpenFindDialog();
}

void CKokyakuView::OnFind(const shell::FindRequest& request) {
  if (card_ && card_->IsHistorySearch()) {
    card_->OnFind(request);
    return Changed();
  }
  const int row = list_.Find(request.text, list_.FirstSelected(), request.down);
  if (row < 0) return c_.ui->Tell(kSearchEnded, Icon::Information);
  list_.SelectOnly(row);
  RefreshCard();
  Changed();
}

void CKokyakuView::ReloadAllCustomers() {
  if (!c_.doc) return;
  ChangeRows([&] {
    list_.SetRows({});  // the rows point into the list about to be freed
    c_.doc->Customers().clear();
  });
  c_.doc->ClearExtraction();
  c_.doc->ClearAnalysis();
  const std::string order = settings::CDefaultSort(*c_.ui, c_.doc->DataFolder()).OrderClause();
  if (c_.doc->Store().GetAllKokyaku(c_.doc->Customers(), order) == 0) {
    c_.ui->Tell("顧客データの取得に失敗しました。\n顧客データを表示できません。\n");
  }
  Fill();
}

void CKokyakuView::Export(int id) {
  if (!c_.doc) return;
  io::CustomerRefs customers;
  for (const int row : list_.Selection()) {
    if (const records::CKokyaku* k = list_.Rows()[row].customer) customers.push_back(k);
  }
  if (id == cmd::kExportData) return io::ExportExternalData(*c_.ui, customers, c_.doc->PictureFolder(), c_.install);
  io::ExportHtml(*c_.ui, customers, c_.doc->Store(), c_.doc->PictureFolder(), c_.install);
}

void CKokyakuView::Import(int id) {
  if (!c_.doc || !LeaveCheck()) return;
  const bool added = id == cmd::kImportMirte ? io::ImportFromMirte(*c_.ui, *c_.doc) : io::ImportExternalData(*c_.ui, *c_.doc);
  if (added) ReloadAllCustomers();
}

void CKokyakuView::SelectAll() {
  if (cardShown_) ShowCard(false);
  list_.SelectAll();
  Changed();
}

void CKokyakuView::EditDisplayColumns() {
  if (!customers::EditDisplayColumns(*c_.ui, c_.install)) return;
  Fill();
}

// --- Entry and history dialogs ---

void CKokyakuView::AddCustomer() {
  if (ReadOnly()) return c_.ui->Tell(kReadOnlyAdd);
  if (!c_.doc) return;
  AddCustomerDialog(*c_.ui, *this, c_.doc->CardType(), c_.install);
}

void CKokyakuView::ModifyCustomer() {
  if (list_.Selection().empty()) return c_.ui->Tell("修正する顧客を選択してください");
  list_.SelectOnly(list_.FirstSelected());
  Changed();
  if (ReadOnly()) c_.ui->Tell("データベースは読取専用です。\n顧客を修正することはできません。\n参照のみを行ないます。\n");
  ModifyCustomerDialog(*c_.ui, *this, c_.doc->CardType(), list_.SelectedIds().front(), c_.install);
}

void CKokyakuView::CopyCustomer() {
  if (!c_.doc) return c_.ui->Tell("顧客をコピーできません。");
  if (ReadOnly()) return c_.ui->Tell("データベースは読取専用です。\n顧客をコピーすることはできません。\n");
  if (list_.Selection().empty()) return c_.ui->Tell("コピーする顧客を選択してください");
  list_.SelectOnly(list_.FirstSelected());
  Changed();
  CopyCustomerDialog(*c_.ui, *this, c_.doc->CardType(), list_.SelectedIds().front(), c_.install);
}

void CKokyakuView::AddHistory() {
  if (ReadOnly()) return c_.ui->Tell("データベースは読取専用です。\n履歴を追加することはできません。\n");
  if (list_.Selection().empty()) return c_.ui->Tell("履歴を追加する顧客を選択してください");
  EnsureCard();
  if (!cardShown_) {
    // The pane's history owner adds the entry; it shows the customer the entry is for.
    const records::CKokyaku* customer = list_.Rows()[list_.FirstSelected()].customer;
    card_->ShowCustomer(customer);
  }
  card_->OnAddHistory({list_.SelectedIds().front()});
  Changed();
}

void CKokyakuView::BulkModify() {
  if (ReadOnly()) return c_.ui->Tell(kBulkReadOnly);
  if (list_.Selection().empty()) return c_.ui->Tell(kBulkNoSelection);
  if (!c_.doc) return c_.ui->Tell(kBulkFailed);
  const records::IdArray ids = list_.SelectedIds();  // in list order
  if (!c_.ui->Ask(text::Format(kBulkQuestion, static_cast<int>(ids.size())))) return;
  CKokyakuBulkDlg dialog(*c_.ui, c_.install);
  if (!c_.ui->Run(dialog)) return;
  const std::int32_t colour = dialog.NewColour();
  records::IdArray changed;
  int result;
  {
    const ui::WaitScope wait = c_.ui->Wait(ids.size() >= kBulkWaitWindowFrom);
    // One transaction: the records in memory change only for the customers the store changed.
    result = c_.doc->ModifyCustomers(ids, changed, dialog.ColumnKey(), records::COleDate::Now(), dialog.NewText(),
                                     &colour);
  }
  if (result != -1) {
    RefreshCard();  // the card shows a copy of its customer
    Changed();      // the rows read their customers' new values
  }
  if (result == 1) return c_.ui->Tell(kBulkDone, Icon::Information);
  c_.ui->Tell(result == 10 ? kBulkPartly : kBulkFailed);
}

void CKokyakuView::BulkAddHistory() {
  if (ReadOnly()) return c_.ui->Tell(history::CRirekiListOwner::kAddReadOnly);
  if (list_.Selection().empty()) return c_.ui->Tell(history::CRirekiListOwner::kNoCustomers);
  EnsureCard();
  if (!card_) return;
  card_->OnBulkAddHistory(list_.SelectedIds());
  RefreshCard();
  Changed();  // the rows of the customers whose last history date moved
}

bool CKokyakuView::HistoryCommand(int id) {
  if (!IsCommandEnabled(id)) return true;
  switch (id) {
    case cmd::kModifyHistory: card_->OnModifyHistory(); break;
    case cmd::kDeleteHistory: card_->OnDeleteHistory(); break;
    case cmd::kCopyHistory: card_->OnCopyHistory(); break;
    default: card_->OnFindInHistory(); break;
  }
  Changed();
  return true;
}

int CKokyakuView::AddKokyaku(records::CKokyaku& customer) {
  if (!c_.doc) return -1;
  auto record = std::make_unique<records::CKokyaku>(customer);
  int id = -1;
  ChangeRows([&] {
    id = c_.doc->AddCustomer(record);
    if (id < 1) return;
    records::CKokyaku* stored = c_.doc->Customers().front().get();
    customer = *stored;
    list_.InsertFirst({stored, id, std::nullopt});
  });
  if (id < 1) {
    Changed();
    return id;  // the dialog tells the user and keeps the input
  }
  list_.SelectOnly(0);
  RefreshCard();
  Changed();
  return id;
}

int CKokyakuView::ModifyKokyaku(std::int32_t id, records::CKokyaku& customer) {
  if (!c_.doc) return -1;
  auto record = std::make_unique<records::CKokyaku>(customer);
  int result = -1;
  // The document frees the customer's old record: the row points at the new one at once.
  ChangeRows([&] {
    result = c_.doc->ModifyCustomer(id, record);
    if (result != 1) return;
    for (const auto& k : c_.doc->Customers()) {
      if (k->ID != id) continue;
      list_.ReplaceCustomer(id, k.get());
      customer = *k;
    }
  });
  if (result != 1) {
    Changed();
    return result;  // the dialog tells the user and keeps the input
  }
  if (const int row = list_.RowOf(id); row >= 0) list_.SelectOnly(row);
  RefreshCard();
  Changed();
  return 1;
}

std::optional<KokyakuStep> CKokyakuView::StepKokyaku(int step) {
  if (list_.Selection().size() != 1 || step == 0) return std::nullopt;
  const int to = list_.FirstSelected() + (step < 0 ? -1 : 1);
  if (to < 0 || to >= list_.RowCount() || !list_.Rows()[to].customer) return std::nullopt;
  list_.SelectOnly(to);
  RefreshCard();
  Changed();
  const bool further = step < 0 ? to > 0 : to + 1 < list_.RowCount();
  return KokyakuStep{*list_.Rows()[to].customer, further};
}

std::optional<KokyakuPlace> CKokyakuView::SelectKokyaku(std::int32_t id) {
  const int row = list_.RowOf(id);
  if (row < 0 || !list_.Rows()[row].customer) return std::nullopt;
  list_.SelectOnly(row);
  RefreshCard();
  Changed();
  return KokyakuPlace{*list_.Rows()[row].customer, row > 0, row + 1 < list_.RowCount()};
}

std::filesystem::path CKokyakuView::PictureFolder() const {
  return c_.doc ? c_.doc->PictureFolder() : std::filesystem::path();
}

}  // namespace customers
