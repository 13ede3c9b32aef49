#pragma once
// The history list screen (screen 4). It brings menu 134 and toolbar 145.

#include <string>

#include "shell/CScreen.h"

namespace shell {
class CMainFrame;
}

namespace history {

class CRirekiView : public shell::CScreen {
 public:
  static constexpr const char* kScreenTitle = "顧客 ソレル－履歴一覧";

  explicit CRirekiView(shell::CMainFrame& frame) : frame_(frame) {}

  int Number() const override { return kHistory; }
  std::string Title() const override { return kScreenTitle; }
  void OnInitialUpdate() override;
  // The screen's own commands come with its contents; until then none runs.
  bool IsCommandEnabled(int) const override { return false; }

 private:
  shell::CMainFrame& frame_;
};

}  // namespace history
