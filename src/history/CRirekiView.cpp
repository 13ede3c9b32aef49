#include "history/CRirekiView.h"

#include "app/CMainFrame.h"

namespace history {

void CRirekiView::OnInitialUpdate() { frame_.ShowScreenToolbar(true); }

}  // namespace history
