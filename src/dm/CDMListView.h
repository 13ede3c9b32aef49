#pragma once
// The direct-mail management screen (screen 5). It brings menu 135 and toolbar 147.

#include <string>

#include "shell/CScreen.h"

namespace shell {
class CMainFrame;
}

namespace dm {

class CDMListView : public shell::CScreen {
 public:
  static constexpr const char* kScreenTitle = "顧客 ソレル－DM送付管理";

  explicit CDMListView(shell::CMainFrame& frame) : frame_(frame) {}

  int Number() const override { return kDM; }
  std::string Title() const override { return kScreenTitle; }
  void OnInitialUpdate() override;
  // The screen's own commands come with its contents; until then none runs.
  bool IsCommandEnabled(int) const override { return false; }

 private:
  shell::CMainFrame& frame_;
};

}  // namespace dm
