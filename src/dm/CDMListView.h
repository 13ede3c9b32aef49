#pragma once
// The direct-mail management screen (screen 5). It brings menu 135 and toolbar 147.

#include <string>

#include "app/CScreen.h"

namespace app {
class CMainFrame;
}

namespace dm {

class CDMListView : public app::CScreen {
 public:
  static constexpr const char* kScreenTitle = "顧客 ソレル－DM送付管理";

  explicit CDMListView(app::CMainFrame& frame) : frame_(frame) {}

  int Number() const override { return kDM; }
  std::string Title() const override { return kScreenTitle; }
  void OnInitialUpdate() override;
  // The screen's own commands come with its contents; until then none runs.
  bool IsCommandEnabled(int) const override { return false; }

 private:
  app::CMainFrame& frame_;
};

}  // namespace dm
