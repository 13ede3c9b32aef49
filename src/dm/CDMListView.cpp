#include "dm/CDMListView.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <numeric>
#include <optional>
#include <unordered_set>

#include "analysis/RainbowQuery.h"
#include "dm/CDMTitleDlg.h"
#include "dm/DMDelivery.h"
#include "dm/DMEntry.h"
#include "history/LastHistoryDate.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "text/Collation.h"
#include "text/Format.h"

namespace dm {

namespace cmd = shell::cmd;
using ui::Answer;
using ui::Icon;

namespace {

// Sorts rows by the text each shows in a column, ignoring case and width; stable, so equal texts
// keep their order.
template <typename Row, typename TextOf>
void SortRows(std::vector<Row>& rows, bool descending, TextOf textOf) {
  std::vector<std::string> keys;
  keys.reserve(rows.size());
  for (const Row& row : rows) keys.push_back(text::JapaneseSortKey(textOf(row)));
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return descending ? keys[b] < keys[a] : keys[a] < keys[b];
  });
  std::vector<Row> sorted;
  sorted.reserve(rows.size());
  for (std::size_t i : order) sorted.push_back(rows[i]);
  rows = std::move(sorted);
}

}  // namespace

DMLayout ComputeDMLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int topLeftX, int topLeftY,
                         bool hitRateMode) {
  const int width = std::max(clientWidth, minWidth) - 30;
  const int height = std::max(clientHeight, minHeight) - std::max(80, topLeftY + 10);
  DMLayout layout;
  layout.titles = {topLeftX, topLeftY, std::min(width / 2, 500), hitRateMode ? height / 2 : height};
  layout.recipients = {topLeftX + layout.titles.w + 5, topLeftY - 2, std::max(0, width - layout.titles.w - 5), height};
  if (hitRateMode) {
    const DMRect& t = layout.titles;
    const int side = std::min(t.w, t.h);
    const int x = t.w > t.h ? t.x + (t.w - side) / 2 : t.x;
    layout.chart = {x + 30, t.y + t.h + 30, std::max(0, side - 60), std::max(0, side - 60)};
  }
  return layout;
}

std::string FitCellText(std::string_view text, int width, const std::function<int(std::string_view)>& measure) {
  if (measure(text) <= width) return std::string(text);
  const std::string_view dots = "...";
  // Step back one character at a time (never into a multi-byte one) until the cut fits.
  std::size_t end = text.size();
  while (end > 0) {
    do {
      --end;
    } while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
    std::string cut(text.substr(0, end));
    cut += dots;
    if (measure(cut) <= width) return cut;
  }
  return std::string(dots);
}

CDMListView::CDMListView(DMViewContext context) : c_(std::move(context)) {}

bool CDMListView::ReadOnly() const { return !c_.doc || c_.doc->IsReadOnly(); }

void CDMListView::Changed() const {
  if (onChanged) onChanged();
}

template <typename Change>
void CDMListView::ChangeRows(Change change) {
  if (onRowsChanging) onRowsChanging();
  change();
  if (onRowsChanged) onRowsChanged();
}

void CDMListView::OnInitialUpdate() {
  if (c_.frame) c_.frame->ShowScreenToolbar(true);
  if (!c_.doc) return c_.ui->Tell(kNoData);
  LoadTitles();
  const shell::AnalysisResult& request = c_.doc->Analysis();
  const std::int32_t show = request.kind == analysis::kDMHit ? request.dmId : c_.doc->DMIdToShow();
  c_.doc->SetDMIdToShow(0);
  if (request.kind == analysis::kDMHit) return EnterHitRateMode();
  if (const int row = RowOfDM(show); show != 0 && row >= 0) {
    selected_ = {row};
    LoadRecipients();
  }
  Changed();
}

void CDMListView::EnterHitRateMode() {
  const shell::AnalysisResult& request = c_.doc->Analysis();
  const int row = RowOfDM(request.dmId);
  if (request.kind != analysis::kDMHit || row < 0) return Changed();
  hitRateMode_ = false;
  selected_ = {row};
  LoadRecipients();
  hitRateMode_ = true;
  hits_ = {request.ids.begin(), request.ids.end()};
  Changed();
}

void CDMListView::LoadTitles() {
  records::DMTitleList read;
  if (c_.doc->Store().GetAllDMTitle(read) != 1) c_.ui->Tell(kNoData);
  ChangeRows([&] {
    titles_.clear();
    selected_.clear();
    c_.doc->DMTitles() = std::move(read);
    for (const auto& title : c_.doc->DMTitles()) titles_.push_back(title.get());
  });
}

void CDMListView::OnClose() {
  ChangeRows([&] {
    recipientRows_.clear();
    recipientSelected_.clear();
    recipients_.clear();
    titles_.clear();
    selected_.clear();
  });
  if (hitRateMode_ && c_.doc) c_.doc->ClearAnalysis();
  hitRateMode_ = false;
}

// --- Rows ---

records::CDMListData* CDMListView::TitleAt(int row) const {
  return row >= 0 && row < TitleCount() ? titles_[static_cast<std::size_t>(row)] : nullptr;
}

std::string CDMListView::TitleText(int row, int column) const {
  const records::CDMListData* t = TitleAt(row);
  return t ? TitleCellText(*t, column) : std::string();
}

std::string TitleCellText(const records::CDMListData& title, int column) {
  const records::CDMListData* t = &title;
  switch (column) {
    case CDMListView::kSentColumn: return t->Sent == 1 ? "1" : "0";
    case CDMListView::kDateColumn: return t->SendDate.Format();
    case CDMListView::kTitleColumn: return t->Title;
    case CDMListView::kContentColumn: return t->Content;
    case CDMListView::kManagerColumn: return t->Manager;
    case CDMListView::kMethodColumn: return t->IsMail() ? "メール送信" : "DM印刷";
    default: return {};
  }
}

bool CDMListView::ShowsSent(int row) const {
  const records::CDMListData* t = TitleAt(row);
  return t && t->Sent == 1;
}

records::CDMListData* CDMListView::SelectedTitle() const {
  return selected_.size() == 1 ? TitleAt(selected_.front()) : nullptr;
}

int CDMListView::RowOfDM(std::int32_t dmId) const {
  for (int r = 0; r < TitleCount(); ++r) {
    if (titles_[static_cast<std::size_t>(r)]->ID == dmId) return r;
  }
  return -1;
}

const records::CDMMngData* CDMListView::RecipientAt(int row) const {
  return row >= 0 && row < RecipientCount() ? recipientRows_[static_cast<std::size_t>(row)] : nullptr;
}

std::string CDMListView::RecipientText(int row, int column) const {
  const records::CDMMngData* r = RecipientAt(row);
  if (!r) return {};
  switch (column) {
    case 0: return r->CustomerID;
    case 1: return r->Name;
    case 2: return r->CompName;
    default: return {};
  }
}

records::IdArray CDMListView::RecipientIds() const {
  records::IdArray ids;
  ids.reserve(recipientRows_.size());
  for (const records::CDMMngData* r : recipientRows_) ids.push_back(r->ID);
  return ids;
}

bool CDMListView::IsHit(int recipientRow) const {
  const records::CDMMngData* r = RecipientAt(recipientRow);
  return hitRateMode_ && r && hits_.contains(r->ID);
}

std::string CDMListView::RecipientsCaption() const {
  const records::CDMListData* t = SelectedTitle();
  if (!t) return kDefaultCaption;
  const std::string what = t->SendDate.IsValid() ? t->SendDate.Format() + " " + t->Title : "";
  return "『" + what + "』　送付対象顧客　：　" + std::to_string(RecipientCount()) + "人";
}

void CDMListView::SetTitleSelection(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::erase_if(rows, [this](int r) { return r < 0 || r >= TitleCount(); });
  if (rows == selected_) return;
  selected_ = std::move(rows);
  LoadRecipients();
}

void CDMListView::SelectOnlyTitle(int row) {
  selected_ = {row};
  LoadRecipients();
}

void CDMListView::SetRecipientSelection(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  std::erase_if(rows, [this](int r) { return r < 0 || r >= RecipientCount(); });
  recipientSelected_ = std::move(rows);
  Changed();
}

void CDMListView::ClearRecipients() {
  ChangeRows([&] {
    recipientRows_.clear();
    recipientSelected_.clear();
    recipients_.clear();
    recipientsOf_ = 0;
  });
}

void CDMListView::LoadRecipients() {
  const records::CDMListData* title = SelectedTitle();
  if (hitRateMode_ && (!title || c_.doc->Analysis().dmId != title->ID)) LeaveHitRateMode();
  if (!title || !c_.doc) {
    ClearRecipients();
    return Changed();
  }
  records::DMUserArray read;
  const int result = c_.doc->Store().GetDMUserInfo(title->ID, read);
  ClearRecipients();
  if (result != 0) {
    ChangeRows([&] {
      recipients_ = std::move(read);
      for (const auto& r : recipients_) recipientRows_.push_back(r.get());
      recipientsOf_ = title->ID;
    });
  } else {
    c_.ui->Tell(kRecipientsUnreadable);
  }
  Changed();
}

void CDMListView::LeaveHitRateMode() {
  if (!hitRateMode_) return;
  hitRateMode_ = false;
  hits_.clear();
  if (c_.doc) c_.doc->ClearAnalysis();
  Changed();
}

void CDMListView::OnTitleHeaderClick(int column) {
  if (column < 0 || column >= kTitleColumnCount) return;
  std::vector<records::CDMListData*> chosen;
  for (int r : selected_) chosen.push_back(TitleAt(r));
  ChangeRows([&] {
    SortRows(titles_, titlesDescending_, [column](records::CDMListData* t) { return TitleCellText(*t, column); });
  });
  titlesDescending_ = !titlesDescending_;
  selected_.clear();
  for (records::CDMListData* t : chosen) selected_.push_back(RowOfDM(t->ID));
  std::sort(selected_.begin(), selected_.end());
  Changed();
}

void CDMListView::OnRecipientHeaderClick(int column) {
  if (column < 0 || column >= kRecipientColumnCount) return;
  std::vector<const records::CDMMngData*> chosen;
  for (int r : recipientSelected_) chosen.push_back(RecipientAt(r));
  ChangeRows([&] {
    SortRows(recipientRows_, recipientsDescending_, [column](const records::CDMMngData* r) {
      return column == 0 ? r->CustomerID : column == 1 ? r->Name : r->CompName;
    });
  });
  recipientsDescending_ = !recipientsDescending_;
  recipientSelected_.clear();
  for (int r = 0; r < RecipientCount(); ++r) {
    if (std::find(chosen.begin(), chosen.end(), recipientRows_[static_cast<std::size_t>(r)]) != chosen.end()) {
      recipientSelected_.push_back(r);
    }
  }
  Changed();
}

// --- Buttons and commands ---

int CDMListView::ButtonCommand(Button button) {
  switch (button) {
    case kAddButton: return cmd::kAddDMTitle;
    case kModifyButton: return cmd::kModifyDMTitle;
    case kDeleteButton: return cmd::kDeleteDMTitle;
    case kCopyButton: return cmd::kCopyDMTitle;
    case kAddRecipientsButton: return cmd::kAddDMRecipients;
    case kRemoveRecipientsButton: return cmd::kRemoveDMRecipients;
    case kHitRateButton: return cmd::kDMHitRate;
  }
  return 0;
}

bool CDMListView::ButtonEnabled(Button button) const {
  if (button == kHitRateButton) return true;
  if (ReadOnly()) return false;
  const std::size_t n = selected_.size();
  switch (button) {
    case kAddButton: return true;
    case kDeleteButton: return n >= 1;
    default: return n == 1;
  }
}

bool CDMListView::IsCommandEnabled(int id) const {
  const std::size_t n = selected_.size();
  switch (id) {
    case cmd::kFilePrint:
    case cmd::kSendMail:
    case cmd::kDMHitRate:
    case cmd::kMenuScreen:
      return true;
    case cmd::kAddDMTitle: return !ReadOnly();
    case cmd::kModifyDMTitle:
    case cmd::kCopyDMTitle:
    case cmd::kAddDMRecipients:
      return !ReadOnly() && n == 1;
    case cmd::kDeleteDMTitle:
    case cmd::kRemoveDMRecipients:
      return !ReadOnly() && n >= 1;
    default: return false;
  }
}

bool CDMListView::OnCommand(int id) {
  switch (id) {
    case cmd::kFilePrint:
    case cmd::kPrint: CDMDelivery(*this, c_).Print(); return true;
    case cmd::kSendMail: CDMDelivery(*this, c_).Mail(); return true;
    case cmd::kDMHitRate: CDMDelivery(*this, c_).HitRate(); return true;
    case cmd::kAddDMTitle:
      if (IsCommandEnabled(id)) AddTitle();
      return true;
    case cmd::kModifyDMTitle: ModifyTitle(); return true;
    case cmd::kDeleteDMTitle:
      if (IsCommandEnabled(id)) DeleteTitles();
      return true;
    case cmd::kCopyDMTitle:
      if (IsCommandEnabled(id)) CopyTitle();
      return true;
    case cmd::kAddDMRecipients:
      if (IsCommandEnabled(id)) AddRecipients();
      return true;
    case cmd::kRemoveDMRecipients:
      if (IsCommandEnabled(id)) RemoveRecipients();
      return true;
    default: return false;
  }
}

shell::MenuItem CDMListView::Item(int id) const {
  shell::MenuItem item;
  item.id = id;
  item.text = std::string(cmd::Find(id)->menuText);
  if (id == cmd::kExit) item.text = "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)";
  item.enabled = id == cmd::kToggleToolbar || id == cmd::kExit || id == cmd::kHelp || id == cmd::kAbout ||
                 IsCommandEnabled(id);
  return item;
}

std::vector<shell::MenuItem> CDMListView::MenuBar() const {
  const auto menu = [this](const char* title, std::initializer_list<int> ids) {
    shell::MenuItem top;
    top.text = title;
    for (int id : ids) top.children.push_back(id ? Item(id) : shell::MenuItem{});
    return top;
  };
  return {
      menu("ﾌｧｲﾙ(&F)", {cmd::kFilePrint, cmd::kSendMail, 0, cmd::kExit}),
      menu("表示(&V)", {cmd::kToggleToolbar, 0, cmd::kMenuScreen}),
      menu("DMタイトル(&D)", {cmd::kAddDMTitle, cmd::kModifyDMTitle, cmd::kDeleteDMTitle, 0, cmd::kCopyDMTitle}),
      menu("顧客(&C)", {cmd::kAddDMRecipients, cmd::kRemoveDMRecipients}),
      menu("ﾍﾙﾌﾟ(&H)", {cmd::kHelp, 0, cmd::kAbout}),
  };
}

void CDMListView::PlaceNewTitle(std::unique_ptr<records::CDMListData> title) {
  records::CDMListData* shown = title.get();
  ChangeRows([&] {
    c_.doc->DMTitles().insert(c_.doc->DMTitles().begin(), std::move(title));
    titles_.insert(titles_.begin(), shown);
  });
  SelectOnlyTitle(0);
}

void CDMListView::AddTitle() {
  CDMTitleDlg dialog(*c_.ui, DMTitleMode::Add, c_.install);
  dialog.Load(nullptr, Now());
  if (!c_.ui->Run(dialog)) return;
  if (!c_.doc) return c_.ui->Tell(kNoData);
  const DMTitleValues& v = dialog.Values();
  std::unique_ptr<records::CDMListData> title;
  {
    const ui::WaitScope wait = c_.ui->Wait();
    title = c_.doc->Store().AddNewDMTitle(v.date, v.title, v.content, v.manager, v.method, nullptr, nullptr);
  }
  if (!title) return c_.ui->Tell(kAddFailed);
  PlaceNewTitle(std::move(title));
}

void CDMListView::CopyTitle() {
  const records::CDMListData* source = SelectedTitle();
  if (!source) return c_.ui->Tell(kSelectTitle);
  CDMTitleDlg dialog(*c_.ui, DMTitleMode::Copy, c_.install);
  dialog.Load(source, Now());
  if (!c_.ui->Run(dialog)) return;
  if (!c_.doc) return c_.ui->Tell(kNoData);
  const DMTitleValues& v = dialog.Values();
  const records::IdArray ids = RecipientIds();
  records::IdArray failed;
  std::unique_ptr<records::CDMListData> title;
  {
    const ui::WaitScope wait = c_.ui->Wait();
    title = c_.doc->Store().AddNewDMTitle(v.date, v.title, v.content, v.manager, v.method, ids.empty() ? nullptr : &ids,
                                          &failed);
  }
  if (!failed.empty()) c_.ui->Tell(failed.size() >= ids.size() ? kCopyAllFailed : kCopySomeFailed);
  if (!title) return c_.ui->Tell(kCopyFailed);
  PlaceNewTitle(std::move(title));
}

void CDMListView::ModifyTitle() {
  const int row = selected_.size() == 1 ? selected_.front() : -1;
  records::CDMListData* title = TitleAt(row);
  if (!title) return c_.ui->Tell(kSelectTitle);
  if (!c_.doc) return c_.ui->Tell(kNoData);
  if (c_.doc->IsReadOnly()) {
    c_.ui->Tell(kModifyReadOnly);
    CDMTitleDlg view(*c_.ui, DMTitleMode::View, c_.install);
    view.Load(title, Now());
    c_.ui->Run(view);
    return;
  }
  CDMTitleDlg dialog(*c_.ui, DMTitleMode::Modify, c_.install);
  dialog.Load(title, Now());
  if (!c_.ui->Run(dialog)) return;
  DMTitleValues v = dialog.Values();
  if (v.sent == 0) v.historyRegistered = 0;  // an unsent title has no sending history
  const bool statusChanged = v.sent != title->Sent || v.historyRegistered != title->HistoryRegistered;
  const bool fieldsChanged = !(v.date == title->SendDate) || v.title != title->Title || v.content != title->Content ||
                             v.manager != title->Manager || v.method != title->SendMethod;
  if (!statusChanged && !fieldsChanged) return;
  if (title->Sent == 1) {
    const char* question = nullptr;
    if (v.sent == 0) {
      question = title->HistoryRegistered == 1 ? kToUnsentWithHistory : kToUnsent;
    } else if (title->HistoryRegistered == 1) {
      question = v.historyRegistered == 1 ? kChangeHistory : kRemoveHistory;
    } else {
      question = v.historyRegistered == 1 ? kAddHistory : kChangeSent;
    }
    if (!c_.ui->Ask(question, Answer::No)) return;
  }
  if (statusChanged) {
    const DMStatus status{v.sent, v.historyRegistered, title->SendMethod};
    if (ChangeStatus(row, status) != 1) return;
  }
  if (!fieldsChanged) return;
  int result = 0;
  {
    const ui::WaitScope wait = c_.ui->Wait();
    result = c_.doc->Store().ModifyDMTitle(title->ID, v.date, v.title, v.content, v.manager, v.method, Now());
  }
  if (result == -1) return c_.ui->Tell(kModifyFailed);
  if (result != 1) return c_.ui->Tell(kModifyNotFound);
  const auto apply = [&v](records::CDMListData& t) {
    t.SendDate = v.date;
    t.Title = v.title;
    t.Content = v.content;
    t.Manager = v.manager;
    t.SendMethod = v.method;
  };
  apply(*title);
  for (const auto& held : c_.doc->DMTitles()) {
    if (held->ID == title->ID && held.get() != title) apply(*held);
  }
  // The store moved the sending entries to the new date: the customers' last-history dates follow.
  if (title->Sent == 1 && title->HistoryRegistered == 1) {
    history::RefreshLastHistoryDate(c_.doc->Customers(), RecipientIds(), Now());
  }
  selected_ = {row};
  Changed();
}

int CDMListView::ChangeStatus(int row, const DMStatus& status) {
  const int result = ChangeDMStatus(*c_.ui, c_.doc, TitleAt(row), status, RecipientIds(), Now());
  Changed();
  return result;
}

void CDMListView::OnTitleDoubleClick() {
  if (SelectedTitle()) ModifyTitle();
}

void CDMListView::OnCheckClick(int row) {
  records::CDMListData* title = TitleAt(row);
  if (!title) return;
  if (title->Sent != 1) return c_.ui->Tell(kCheckNeedsSending);
  if (!c_.doc) return c_.ui->Tell(kNoData);
  if (!c_.ui->Ask(title->HistoryRegistered == 1 ? kToUnsentWithHistory : kToUnsent, Answer::No)) return;
  ChangeStatus(row, DMStatus{0, 0, title->SendMethod});
}

void CDMListView::DeleteTitles() {
  if (selected_.empty()) return c_.ui->Tell(kSelectTitle);
  const char* question = kDeleteSeveral;
  if (selected_.size() == 1) {
    const records::CDMListData* t = TitleAt(selected_.front());
    question = t && t->Sent == 1 ? (t->HistoryRegistered == 1 ? kDeleteSentWithHistory : kDeleteSent) : kDeleteOne;
  }
  if (!c_.ui->Ask(question, Answer::No, Icon::Warning)) return;
  records::IdArray ids, deleted;
  for (int r : selected_) {
    if (const records::CDMListData* t = TitleAt(r)) ids.push_back(t->ID);
  }
  int result = -1;
  {
    const ui::WaitScope wait = c_.ui->Wait();
    result = c_.doc->Store().DeleteDMTitle(ids, deleted);
  }
  if (result == -1) return c_.ui->Tell(kDeleteFailed);
  if (result == 10) c_.ui->Tell(kDeletePartly);
  if (result == 20) c_.ui->Tell(kDeleteHistoryFailed);
  // The selected rows go (a title the store did not find is gone already); the document frees
  // the titles the store deleted. Rows first, so none points at a freed title.
  const std::unordered_set<std::int32_t> gone(deleted.begin(), deleted.end());
  ChangeRows([&] {
    for (auto r = selected_.rbegin(); r != selected_.rend(); ++r) titles_.erase(titles_.begin() + *r);
    selected_.clear();
    std::erase_if(c_.doc->DMTitles(), [&gone](const auto& t) { return gone.contains(t->ID); });
  });
  LoadRecipients();
}

void CDMListView::AddRecipients() {
  records::CDMListData* title = SelectedTitle();
  if (!title) return c_.ui->Tell(kSelectTargetDM);
  if (!c_.doc) return c_.ui->Tell(kNoData);
  if (title->Sent == 1 && !c_.ui->Ask(title->HistoryRegistered == 1 ? kAddToSentWithHistory : kAddToSent)) return;
  const std::optional<CustomerChoice> choice = ChooseCustomers(*c_.ui, *c_.doc, c_.install, CustomerSelectMode::DM);
  if (!choice) return;
  if (choice->ids.empty()) return c_.ui->Tell(kNoCustomers);
  // Customers already receiving this DM are left out.
  const records::IdArray current = RecipientIds();
  const std::unordered_set<std::int32_t> present(current.begin(), current.end());
  records::IdArray ids;
  for (std::int32_t id : choice->ids) {
    if (!present.contains(id) && std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  }
  if (ids.empty()) return;
  records::IdArray failed;
  int result = -1;
  const records::COleDate now = Now();
  {
    const ui::WaitScope wait = c_.ui->Wait();
    result = c_.doc->Store().AddDMTarget(title->ID, ids, failed, now);
  }
  if (result == 0) return c_.ui->Tell(kAddNoSuchDM);
  if (result == -1) return c_.ui->Tell(kAddAllFailed);
  if (result == 10) {
    c_.ui->Tell(kAddSomeFailed);
    const std::unordered_set<std::int32_t> lost(failed.begin(), failed.end());
    std::erase_if(ids, [&lost](std::int32_t id) { return lost.contains(id); });
  }
  if (title->HistoryRegistered == 1) history::RefreshLastHistoryDate(c_.doc->Customers(), ids, now);
  // The rows come from the document's customers, as the store now lists them.
  const std::unordered_set<std::int32_t> added(ids.begin(), ids.end());
  ChangeRows([&] {
    for (const auto& customer : c_.doc->Customers()) {
      if (!added.contains(customer->ID)) continue;
      auto r = std::make_unique<records::CDMMngData>();
      r->ID = customer->ID;
      r->CustomerID = customer->CustomerID;
      r->Name = customer->Name;
      r->CompName = customer->CompName;
      recipientRows_.push_back(r.get());
      recipients_.push_back(std::move(r));
    }
  });
  LeaveHitRateMode();
  Changed();
}

void CDMListView::RemoveRecipients() {
  if (selected_.empty()) return c_.ui->Tell(kRemoveSelectTitle);
  records::CDMListData* title = SelectedTitle();
  if (!title) return c_.ui->Tell(kRemoveNoTitleData);
  if (recipientSelected_.empty()) return c_.ui->Tell(kSelectCustomers);
  const char* question =
      title->Sent == 1 ? (title->HistoryRegistered == 1 ? kRemoveSentWithHistory : kRemoveSent) : kRemoveUnsent;
  if (!c_.ui->Ask(question, Answer::No, Icon::Warning)) return;
  if (!c_.doc) return c_.ui->Tell(kNoDataLine);
  if (title->ID == 0) return c_.ui->Tell(kNoTitleDataLine);
  records::IdArray ids;
  for (auto r = recipientSelected_.rbegin(); r != recipientSelected_.rend(); ++r) ids.push_back(RecipientAt(*r)->ID);
  int result = -1;
  {
    const ui::WaitScope wait = c_.ui->Wait();
    result = c_.doc->Store().DeleteDMTarget(title->ID, ids);
  }
  if (result == 1) {
    const std::unordered_set<std::int32_t> gone(ids.begin(), ids.end());
    ChangeRows([&] {
      std::erase_if(recipientRows_, [&gone](const records::CDMMngData* r) { return gone.contains(r->ID); });
      std::erase_if(recipients_, [&gone](const auto& r) { return gone.contains(r->ID); });
      recipientSelected_.clear();
    });
    LeaveHitRateMode();
  } else if (result == -1) {
    c_.ui->Tell(kRemoveFailed);
  } else if (result == 0) {
    c_.ui->Tell(kRemoveNotFound);
  } else {
    c_.ui->Tell(kRemovePartly);
  }
  Changed();
}

}  // namespace dm
