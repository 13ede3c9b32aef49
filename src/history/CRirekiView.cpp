#include "history/CRirekiView.h"

#include "shell/CMainFrame.h"

namespace history {

void CRirekiView::OnInitialUpdate() { frame_.ShowScreenToolbar(true); }

}  // namespace history
