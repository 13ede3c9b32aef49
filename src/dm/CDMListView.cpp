#include "dm/CDMListView.h"

#include "shell/CMainFrame.h"

namespace dm {

void CDMListView::OnInitialUpdate() { frame_.ShowScreenToolbar(true); }

}  // namespace dm
