#include "dm/DMStatus.h"

#include "history/LastHistoryDate.h"
#include "shell/CTovanaDoc.h"
#include "ui/Ui.h"

namespace dm {

int ChangeDMStatus(ui::Ui& ui, shell::CTovanaDoc* doc, records::CDMListData* title, const DMStatus& status,
                   const records::IdArray& recipients, const records::COleDate& now,
                   const std::function<void(std::int32_t)>& customerChanged) {
  if (!doc) return ui.Tell(kNoData), -1;
  if (!title) return ui.Tell(kNoTitleData), -1;
  const int result = doc->Store().SetStatusDMTitle(title->ID, status.sent, status.historyRegistered, status.method, now);
  if (result == 1) {
    const auto apply = [&status](records::CDMListData& t) {
      t.Sent = status.sent;
      t.HistoryRegistered = status.historyRegistered;
      t.SendMethod = status.method;
    };
    apply(*title);
    for (const auto& held : doc->DMTitles()) {
      if (held && held->ID == title->ID) apply(*held);
    }
    if (status.historyRegistered == 1) history::RefreshLastHistoryDate(doc->Customers(), recipients, now, customerChanged);
  } else if (result == 0) {
    ui.Tell(kStatusNoSuchDM);
  } else {
    ui.Tell(kStatusNotChanged);
  }
  return result;
}

}  // namespace dm
