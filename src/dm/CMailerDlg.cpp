#include "dm/CMailerDlg.h"

#include "text/Cp932.h"

namespace dm {

CMailerDlg::CMailerDlg(ui::Ui& ui, bool history, bool historyEnabled)
    : ui_(ui), history_(history), historyEnabled_(historyEnabled) {}

void CMailerDlg::OnOK() {
  if (text::Cp932Length(subject_) > kSubjectBytes) {
    ui_.Tell(kSubjectTooLong);
    focusSubject_ = true;
    return;
  }
  EndDialog(true);
}

}  // namespace dm
