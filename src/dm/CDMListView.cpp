#include "dm/CDMListView.h"

#include "app/CMainFrame.h"

namespace dm {

void CDMListView::OnInitialUpdate() { frame_.ShowScreenToolbar(true); }

}  // namespace dm
