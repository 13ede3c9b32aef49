#pragma once
// The customer list screen (screens 1 to 3: without the card pane, with it on its first page, on
// its second page). It brings menu 133 and toolbar 128.

#include <string>

#include "app/CScreen.h"

namespace app {
class CMainFrame;
}

namespace customers {

class CKokyakuView : public app::CScreen {
 public:
  static constexpr const char* kScreenTitle = "顧客 ソレル－顧客一覧";

  // variant: 1, 2 or 3, the screen number the list is shown as.
  CKokyakuView(app::CMainFrame& frame, int variant);

  int Number() const override { return variant_; }
  std::string Title() const override { return kScreenTitle; }
  void OnInitialUpdate() override;
  // The screen's own commands come with its contents; until then none runs.
  bool IsCommandEnabled(int) const override { return false; }
  // Whether the card pane shows, and on which page (1 or 2; 0 without the pane).
  int CardPage() const { return variant_ - 1; }

 private:
  app::CMainFrame& frame_;
  int variant_;
};

}  // namespace customers
