#include "history/CRirekiView.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <unordered_set>

#include "history/CRirekiRefDlg.h"
#include "platform/CProfile.h"
#include "settings/CQMVColSet.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "text/Format.h"

namespace history {

namespace cmd = shell::cmd;
using ui::Answer;
using ui::Icon;

namespace {

struct ColumnDefault {
  const char* title;
  int width;
  bool right;
};

// The nine columns as the screen first shows them; 詳細's width is the least it takes.
constexpr ColumnDefault kColumns[CRirekiList::kColumnCount] = {
    {"日付", 90, false},    {"顧客ID", 50, false},    {"顧客氏名", 80, false},
    {"顧客会社", 100, false}, {"概要", 100, false},     {"詳細", CRirekiView::kDetailsLeast, false},
    {"キーワード", 100, false}, {"自社担当者", 80, false}, {"金額", 50, true},
};

// The customer columns whose titles the column definitions give.
constexpr const char* kCustomerKeys[] = {"CustomerID", "Name", "CompName"};

std::string WidthEntry(int column) { return text::Format("colwidth%d", column); }

bool IsAnalysisResult(int kind) { return kind >= 1 && kind <= 7; }

}  // namespace

CRirekiView::CRirekiView(RirekiViewContext context) : c_(std::move(context)) {
  if (c_.ui && c_.doc) dialogs_ = RirekiDialogs::Standard(*c_.ui, *c_.doc, c_.install, c_.lookups);
}

bool CRirekiView::ReadOnly() const { return c_.doc && c_.doc->IsReadOnly(); }

void CRirekiView::Changed() const {
  if (onChanged) onChanged();
}

template <typename Change>
void CRirekiView::ChangeRows(Change change) {
  if (onRowsChanging) onRowsChanging();
  change();
  if (onRowsChanged) onRowsChanged();
}

std::string CRirekiView::CountText() const { return text::Format("%d件", list_.RowCount()); }

void CRirekiView::OnInitialUpdate() {
  if (c_.frame) c_.frame->ShowScreenToolbar(true);
  BuildColumns();
  if (!c_.doc) return c_.ui->Tell(kNoHistory);
  Refill();
}

void CRirekiView::BuildColumns() {
  std::vector<RirekiColumn> columns;
  platform::CProfile* profile = c_.doc ? c_.doc->Profile() : nullptr;
  for (int c = 0; c < CRirekiList::kColumnCount; ++c) {
    const ColumnDefault& d = kColumns[c];
    const int stored = profile ? profile->GetInt(kWidthSection, WidthEntry(c), INT_MIN) : INT_MIN;
    if (c == CRirekiList::kDetails) detailsFill_ = stored == INT_MIN;
    defaulted_[static_cast<std::size_t>(c)] = stored == INT_MIN;
    const int width = stored == INT_MIN ? Scaled(d.width) : stored <= 0 ? kMinimumWidth : stored;
    columns.push_back({d.title, width, d.right});
  }
  if (c_.doc) {
    settings::CQMVColSet set(*c_.ui, c_.install);
    if (set.Load() == 1) {
      for (int i = 0; i < 3; ++i) {
        std::string label = set.GetLabel(kCustomerKeys[i]);
        if (!label.empty()) columns[static_cast<std::size_t>(CRirekiList::kCustomerId + i)].title = std::move(label);
      }
    }
  }
  ChangeRows([&] { list_.SetColumns(std::move(columns)); });
}

int CRirekiView::Scaled(int width) const { return static_cast<int>(width * scale_ + 0.5); }

void CRirekiView::ScaleDefaultWidths(double factor) {
  scale_ = std::max(1.0, factor);
  for (int c = 0; c < static_cast<int>(list_.Columns().size()); ++c) {
    if (defaulted_[static_cast<std::size_t>(c)]) list_.Columns()[static_cast<std::size_t>(c)].width = Scaled(kColumns[c].width);
  }
}

bool CRirekiView::FitDetailsWidth(int listWidth) {
  if (!detailsFill_) return false;
  int others = 0;
  for (int c = 0; c < CRirekiList::kColumnCount; ++c) {
    if (c != CRirekiList::kDetails) others += Scaled(kColumns[c].width);
  }
  list_.Columns()[CRirekiList::kDetails].width = std::max(Scaled(kDetailsLeast), listWidth - others);
  return true;
}

void CRirekiView::Refill() {
  if (!c_.doc) return;
  const ui::WaitScope wait = c_.ui->Wait();
  ChangeRows([&] { list_.Fill(c_.doc->History(), c_.doc->Customers()); });
  extracted_ = c_.doc->CurrentExtraction() != nullptr;
  Changed();
}

void CRirekiView::SetSelection(std::vector<int> rows) {
  list_.SetSelection(std::move(rows));
  Changed();
}

void CRirekiView::OnHeaderClick(int column) {
  {
    const ui::WaitScope wait = c_.ui->Wait();
    ChangeRows([&] { list_.SortBy(column); });
  }
  Changed();
}

void CRirekiView::OnDoubleClick() { Refer(); }

void CRirekiView::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= static_cast<int>(list_.Columns().size())) return;
  list_.Columns()[static_cast<std::size_t>(column)].width = width;
  defaulted_[static_cast<std::size_t>(column)] = false;
  if (column == CRirekiList::kDetails) detailsFill_ = false;
}

int CRirekiView::CommandForKey(ListKey key) const {
  const int id = key == ListKey::Enter ? cmd::kReferHistory : cmd::kDeleteHistory;
  return IsCommandEnabled(id) ? id : 0;
}

void CRirekiView::OnClose() {
  if (!c_.doc) return;
  const bool resultShown = c_.doc->CurrentExtraction() || IsAnalysisResult(c_.doc->Analysis().kind);
  if (resultShown && !toCustomers_ && !toDM_) {
    c_.doc->ClearExtraction();
    c_.doc->ClearAnalysis();
  }
  if (platform::CProfile* profile = c_.doc->Profile()) {
    // Each write replaces the profile durably: only changed widths are written.
    for (int c = 0; c < static_cast<int>(list_.Columns().size()); ++c) {
      const int width = list_.Columns()[static_cast<std::size_t>(c)].width;
      if (profile->GetInt(kWidthSection, WidthEntry(c), INT_MIN) != width) profile->WriteInt(kWidthSection, WidthEntry(c), width);
    }
  }
  ChangeRows([&] { list_.Clear(); });
}

// --- Commands ---

bool CRirekiView::OnCommand(int id) {
  if (!c_.doc) {
    if (id == cmd::kExit) return false;
    c_.ui->Tell(kNoDocument);
    return true;
  }
  switch (id) {
    case cmd::kPrint: Print(); return true;
    case cmd::kReferHistory: Refer(); return true;
    case cmd::kDeleteHistory: Delete(); return true;
    case cmd::kFindHistory: Find(); return true;
    case cmd::kExtract:
      if (IsCommandEnabled(id) && SavePrompt()) RunExtraction(ExtractionRequest::NewForHistory);
      return true;
    case cmd::kRedoExtraction:
      if (IsCommandEnabled(id)) RunExtraction(ExtractionRequest::HistoryOnly);
      return true;
    case cmd::kSaveExtraction:
      if (IsCommandEnabled(id)) SaveConditions();
      return true;
    case cmd::kReleaseExtraction: ClearExtraction(); return true;
    case cmd::kRainbow: Analyse(); return true;
    case cmd::kMenuScreen: Leave(kMenu); return true;
    case cmd::kDMScreen: Leave(kDM); return true;
    case cmd::kExit: return !SavePrompt();  // false: the frame closes the window
    default: return false;
  }
}

bool CRirekiView::IsCommandEnabled(int id) const {
  switch (id) {
    case cmd::kPrint:
    case cmd::kRainbow:
    case cmd::kFindHistory:
    case cmd::kMenuScreen:
    case cmd::kDMScreen:
      return true;
    case cmd::kExtract: return c_.doc && !c_.doc->CurrentExtraction();
    case cmd::kReferHistory:
    case cmd::kDeleteHistory:
      return list_.RowCount() > 0 && !list_.Selection().empty();
    case cmd::kReleaseExtraction:
    case cmd::kRedoExtraction:
    case cmd::kSaveExtraction:
      return extracted_;
    default: return false;
  }
}

shell::MenuItem CRirekiView::Item(int id) const {
  shell::MenuItem item;
  item.id = id;
  item.text = std::string(cmd::Find(id)->menuText);
  if (id == cmd::kExit) item.text = "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)";
  item.enabled = id == cmd::kToggleToolbar || id == cmd::kExit || id == cmd::kHelp || id == cmd::kAbout ||
                 IsCommandEnabled(id);
  return item;
}

std::vector<shell::MenuItem> CRirekiView::MenuBar() const {
  const auto menu = [this](const char* title, std::initializer_list<int> ids) {
    shell::MenuItem top;
    top.text = title;
    for (int id : ids) top.children.push_back(id ? Item(id) : shell::MenuItem{});
    return top;
  };
  return {
      menu("ﾌｧｲﾙ(&F)", {cmd::kPrint, 0, cmd::kExit}),
      menu("表示(&V)", {cmd::kToggleToolbar, 0, cmd::kMenuScreen, cmd::kDMScreen}),
      menu("履歴(&R)", {cmd::kReferHistory, cmd::kDeleteHistory, 0, cmd::kFindHistory}),
      menu("抽出(&E)", {cmd::kExtract, cmd::kRedoExtraction, cmd::kSaveExtraction, cmd::kReleaseExtraction, 0,
                        cmd::kRainbow}),
      menu("ﾍﾙﾌﾟ(&H)", {cmd::kHelp, 0, cmd::kAbout}),
  };
}

void CRirekiView::Leave(int screen) {
  if (SavePrompt() && c_.frame) c_.frame->SwitchScreen(screen);
}

bool CRirekiView::SavePrompt() {
  if (ReadOnly() || !c_.doc->CurrentExtraction() || c_.doc->IsExtractionSaved()) return true;
  if (!c_.ui->Ask(kSaveQuestion)) return true;
  return SaveConditionsDialog();
}

bool CRirekiView::SaveConditionsDialog() {
  if (dialogs_.extract(ExtractionRequest::SaveConditions) != ExtractionOutcome::Saved) return false;
  if (settings::CExCondition* current = c_.doc->CurrentExtraction(); current && !c_.doc->IsExtractionSaved()) {
    c_.doc->SetExtraction(std::make_unique<settings::CExCondition>(*current), true);
  }
  Changed();
  return true;
}

void CRirekiView::SaveConditions() {
  if (ReadOnly()) return c_.ui->Tell(kSaveReadOnly);
  SaveConditionsDialog();
}

void CRirekiView::Refer() {
  if (list_.RowCount() == 0 || list_.Selection().empty()) return c_.ui->Tell(kNotSelected);
  const int row = list_.FirstSelected();
  list_.SelectOnly(row);
  Changed();
  CRirekiRefDlg dialog(this, c_.doc->PictureFolder());
  dialog.LoadEntry(*list_.Rows()[static_cast<std::size_t>(row)].entry);
  dialog.SetStepEnabled(row > 0, row + 1 < list_.RowCount());
  c_.ui->Run(dialog);
}

std::optional<RirekiStep> CRirekiView::StepRireki(int step) {
  if (list_.Selection().size() != 1 || step == 0) return std::nullopt;
  const int to = list_.FirstSelected() + (step < 0 ? -1 : 1);
  if (to < 0 || to >= list_.RowCount()) return std::nullopt;
  list_.SelectOnly(to);
  Changed();
  const bool further = step < 0 ? to > 0 : to + 1 < list_.RowCount();
  return RirekiStep{*list_.Rows()[static_cast<std::size_t>(to)].entry, further};
}

std::optional<RirekiPlace> CRirekiView::SelectRireki(std::int32_t historyId) {
  const int row = list_.RowOf(historyId);
  if (row < 0) return std::nullopt;
  list_.SelectOnly(row);
  Changed();
  return RirekiPlace{*list_.Rows()[static_cast<std::size_t>(row)].entry, row > 0, row + 1 < list_.RowCount()};
}

void CRirekiView::Delete() {
  if (ReadOnly()) return c_.ui->Tell(kDeleteReadOnly);
  if (list_.RowCount() == 0 || list_.Selection().empty()) return c_.ui->Tell(kNothingToDelete);
  const records::IdArray ids = list_.SelectedIds();
  if (!c_.ui->Ask(text::Format(kDeleteQuestion, static_cast<int>(ids.size())), Answer::No, Icon::Warning)) return;
  records::IdArray deleted;
  int result = 0;
  {
    const ui::WaitScope wait = c_.ui->Wait();
    result = c_.doc->Store().DeleteRireki(ids, deleted);
  }
  if (result == -1) return c_.ui->Tell(kDeleteFailed);
  if (result == 10) c_.ui->Tell(kDeletePartly);
  if (result != 1 && result != 10) return;
  // The rows go before the records they point at.
  ChangeRows([&] {
    list_.RemoveEntries(deleted);
    const std::unordered_set<std::int32_t> gone(deleted.begin(), deleted.end());
    std::erase_if(c_.doc->History(), [&gone](const auto& entry) { return gone.contains(entry->ID); });
  });
  Changed();
}

void CRirekiView::Find() {
  if (c_.frame) c_.frame->OpenFindDialog();
}

void CRirekiView::OnFind(const shell::FindRequest& request) {
  const int row = list_.Find(request.text, list_.FirstSelected(), request.down);
  if (row < 0) return c_.ui->Tell(kSearchEnded, Icon::Information);
  list_.SelectOnly(row);
  Changed();
}

void CRirekiView::Print() {
  if (list_.Selection().empty()) return c_.ui->Tell(kNothingToPrint);
  if (!c_.ui->Ask(text::Format(kPrintQuestion, static_cast<int>(list_.Selection().size())))) return;
  dialogs_.print(CollectPrintSelection(list_));
}

void CRirekiView::ClearExtraction() {
  if (!extracted_ || !SavePrompt()) return;
  // Read first: a failure leaves the extraction and the rows as they were.
  records::RirekiList all;
  int result = -1;
  {
    const ui::WaitScope wait = c_.ui->Wait();
    result = c_.doc->Store().GetAllRireki(all);
  }
  if (result != 1) return c_.ui->Tell(kReadFailed);
  ChangeRows([&] {
    list_.Clear();
    c_.doc->ClearExtraction();
    c_.doc->History() = std::move(all);
    list_.Fill(c_.doc->History(), c_.doc->Customers());
  });
  extracted_ = false;
  Changed();
}

void CRirekiView::RunExtraction(ExtractionRequest request) {
  // The rows point at the entries shown: they stay alive, out of the document, while the dialog
  // may put an extraction's entries there.
  records::RirekiList shown = std::move(c_.doc->History());
  c_.doc->History().clear();
  const ExtractionOutcome outcome = dialogs_.extract(request);
  if (outcome == ExtractionOutcome::History) {
    Refill();
    return;
  }
  c_.doc->History() = std::move(shown);
  if (outcome == ExtractionOutcome::Customers) {
    toCustomers_ = true;
    if (c_.frame) c_.frame->SwitchScreen(c_.frame->CustomerListVariant());
  }
}

void CRirekiView::Analyse() {
  if (!SavePrompt()) return;
  const int kind = dialogs_.analyse();
  if (!IsAnalysisResult(kind) || !c_.frame) return;
  if (kind == 4) {
    toDM_ = true;
    c_.frame->SwitchScreen(kDM);
  } else {
    toCustomers_ = true;
    c_.frame->SwitchScreen(c_.frame->CustomerListVariant());
  }
}

}  // namespace history
