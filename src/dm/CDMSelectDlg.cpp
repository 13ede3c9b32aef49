#include "dm/CDMSelectDlg.h"

#include <unordered_set>

#include "dm/CDMTitleDlg.h"
#include "shell/CTovanaDoc.h"

namespace dm {

CDMSelectDlg::CDMSelectDlg(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path install, DMSelectMode mode,
                           records::IdArray customers, Clock clock)
    : ui_(ui), doc_(doc), install_(std::move(install)), mode_(mode), customers_(std::move(customers)),
      clock_(std::move(clock)) {}

void CDMSelectDlg::Open() {
  titles_.clear();
  selected_ = -1;
  if (doc_.Store().GetAllDMTitle(titles_) != 1) ui_.Tell(kNoData);
  std::erase_if(titles_, [](const auto& t) { return t->Sent == 1; });
}

std::string CDMSelectDlg::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount()) return {};
  const records::CDMListData& t = *titles_[static_cast<std::size_t>(row)];
  switch (column) {
    case 0: return t.SendDate.Format();
    case 1: return t.Title;
    case 2: return t.Content;
    case 3: return t.Manager;
    default: return {};
  }
}

bool CDMSelectDlg::OkEnabled() const { return RowCount() > 0 && !doc_.IsReadOnly(); }

void CDMSelectDlg::OnOK() {
  if (!OkEnabled()) return;
  if (selected_ < 0) return ui_.Tell(kSelectTitle);
  const records::CDMListData& title = *titles_[static_cast<std::size_t>(selected_)];
  if (mode_ == DMSelectMode::Add) {
    OkAdd(title);
  } else {
    OkPrint(title);
  }
}

void CDMSelectDlg::OkAdd(const records::CDMListData& title) {
  doc_.SetDMIdToShow(title.ID);
  records::DMUserArray present;
  if (doc_.Store().GetDMUserInfo(title.ID, present) == 0) return ui_.Tell(kNoData);
  std::unordered_set<std::int32_t> skip;
  for (const auto& r : present) skip.insert(r->ID);
  records::IdArray ids;
  for (std::int32_t id : customers_) {
    if (skip.insert(id).second) ids.push_back(id);
  }
  if (!ids.empty()) {
    records::IdArray failed;
    int result = -1;
    {
      const ui::WaitScope wait = ui_.Wait();
      result = doc_.Store().AddDMTarget(title.ID, ids, failed, clock_());
    }
    if (result == -1) ui_.Tell(kAllFailed);
    if (result == 0) ui_.Tell(kNoSuchDM);
    if (result == 10) ui_.Tell(kSomeFailed);
  }
  EndDialog(true);
}

void CDMSelectDlg::OkPrint(const records::CDMListData& title) {
  const records::COleDate now = clock_();
  if (title.Sent != 1 && !doc_.IsReadOnly() && !(title.SendDate.DateOnly() == now.DateOnly())) {
    if (!ui_.Ask(kDateDiffers)) return;
  }
  records::DMUserArray users;
  if (doc_.Store().GetDMUserInfo(title.ID, users) == 0) return ui_.Tell(kNoData);
  recipients_.clear();
  for (const auto& r : users) recipients_.push_back(r->ID);
  chosen_ = title;
  EndDialog(true);
}

void CDMSelectDlg::OnNewTitle() {
  if (!NewTitleShown()) return;
  CDMTitleDlg dialog(ui_, DMTitleMode::Add, install_);
  dialog.Load(nullptr, clock_());
  if (!ui_.Run(dialog)) return;
  if (customers_.empty()) return ui_.Tell(kNoCustomers);
  const DMTitleValues& v = dialog.Values();
  records::IdArray failed;
  std::unique_ptr<records::CDMListData> title;
  {
    const ui::WaitScope wait = ui_.Wait();
    title = doc_.Store().AddNewDMTitle(v.date, v.title, v.content, v.manager, v.method, &customers_, &failed);
  }
  if (!title) return ui_.Tell(kNewFailed);
  doc_.SetDMIdToShow(title->ID);
  if (!failed.empty()) ui_.Tell(failed.size() >= customers_.size() ? kNewAllFailed : kNewSomeFailed);
  EndDialog(true);
}

}  // namespace dm
