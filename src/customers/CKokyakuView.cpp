#include "customers/CKokyakuView.h"

#include "app/CMainFrame.h"

namespace customers {

CKokyakuView::CKokyakuView(app::CMainFrame& frame, int variant)
    : frame_(frame), variant_(variant >= kCustomerList && variant <= kCustomerCard2 ? variant : kCustomerList) {}

void CKokyakuView::OnInitialUpdate() { frame_.ShowScreenToolbar(true); }

}  // namespace customers
