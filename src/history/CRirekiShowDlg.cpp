#include "history/CRirekiShowDlg.h"

#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"

namespace history {

void OpenHistoryList(ui::Ui& ui, shell::CMainFrame& frame, shell::CTovanaDoc* doc, const RirekiDialogs& dialogs) {
  if (!doc) return ui.Tell("この操作を行うことはできません");
  CRirekiShowDlg how;
  if (!ui.Run(how)) return;
  if (how.Chosen() == CRirekiShowDlg::Choice::Extract) {
    doc->History().clear();  // the extraction's entries go there
    switch (dialogs.extract(ExtractionRequest::HistoryOnly)) {
      case ExtractionOutcome::History: frame.SwitchScreen(shell::CScreen::kHistory); return;
      case ExtractionOutcome::Customers: frame.SwitchScreen(frame.CustomerListVariant()); return;
      default: return;
    }
  }
  // Read first: a failure leaves the document's history list as it was.
  records::RirekiList all;
  int result = -1;
  {
    const ui::WaitScope wait = ui.Wait();
    result = doc->Store().GetAllRireki(all);
  }
  if (result != 1) return ui.Tell("履歴情報を取得できませんでした");
  doc->History() = std::move(all);
  frame.SwitchScreen(shell::CScreen::kHistory);
}

}  // namespace history
