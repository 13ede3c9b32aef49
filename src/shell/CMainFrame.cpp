#include "shell/CMainFrame.h"

#include "platform/CNeritEnv.h"
#include "shell/CAboutDlg.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"

namespace shell {

namespace {

bool IsCustomerList(int screen) { return screen >= CScreen::kCustomerList && screen <= CScreen::kCustomerCard2; }

}  // namespace

CMainFrame::CMainFrame(ui::Ui& ui, ScreenFactory factory) : ui_(ui), factory_(std::move(factory)) {}

bool CMainFrame::Create() {
  if (!factory_) return false;
  screen_ = factory_(CScreen::kMenu);
  if (!screen_) return false;
  current_ = CScreen::kMenu;
  {
    const ui::WaitScope wait = ui_.Wait();
    screen_->OnInitialUpdate();
  }
  Changed();
  return true;
}

bool CMainFrame::SwitchScreen(int n) {
  if (n == current_ || n < CScreen::kMenu || n > CScreen::kDM || !factory_) return false;
  const int oldVariant = listVariant_;
  if (IsCustomerList(current_)) SetListVariant(current_);
  if (IsCustomerList(n)) SetListVariant(n);
  std::unique_ptr<CScreen> next = factory_(n);
  if (!next) {
    SetListVariant(oldVariant);  // the old screen stays as it was
    return false;
  }
  screen_->OnClose();
  current_ = n;
  if (retired_ && onScreenGone) onScreenGone(*retired_);
  retired_ = std::move(screen_);
  screen_ = std::move(next);
  findOpen_ = false;
  {
    const ui::WaitScope wait = ui_.Wait();
    screen_->OnInitialUpdate();
  }
  Changed();
  return true;
}

void CMainFrame::SetListVariant(int variant) {
  listVariant_ = variant;
  if (doc_) doc_->SetCustomerListVariant(variant);
}

CMainFrame::Toolbar CMainFrame::ScreenToolbar(int screen) {
  if (IsCustomerList(screen)) return kToolbar128;
  if (screen == CScreen::kHistory) return kToolbar145;
  if (screen == CScreen::kDM) return kToolbar147;
  return kNoToolbar;
}

void CMainFrame::ShowScreenToolbar(bool show) {
  visible_.fill(false);
  const Toolbar toolbar = ScreenToolbar(current_);
  if (toolbar != kNoToolbar) visible_[toolbar] = show;
  Changed();
}

void CMainFrame::ToggleToolbar() {
  const Toolbar toolbar = ScreenToolbar(current_);
  if (toolbar == kNoToolbar) return;
  visible_[toolbar] = !visible_[toolbar];
  Changed();
}

std::string CMainFrame::Title() const { return screen_ ? screen_->Title() : kTitle; }

void CMainFrame::OnFindNext(const FindRequest& request) {
  if (screen_ && current_ >= CScreen::kCustomerList && current_ <= CScreen::kHistory) screen_->OnFind(request);
}

bool CMainFrame::IsCommandEnabled(int id) const {
  switch (id) {
    case cmd::kMenuScreen:
    case cmd::kDMScreen:
    case cmd::kExit:
    case cmd::kToggleToolbar:
    case cmd::kHelp:
    case cmd::kAbout:
      return true;
    default:
      return screen_ && screen_->IsCommandEnabled(id);
  }
}

bool CMainFrame::IsCommandChecked(int id) const {
  if (id == cmd::kToggleToolbar) return ToolbarChecked();
  return screen_ && screen_->IsCommandChecked(id);
}

void CMainFrame::Close() {
  if (screen_) screen_->OnClose();
}

bool CMainFrame::OnCommand(int id) {
  if (screen_ && screen_->OnCommand(id)) return true;
  switch (id) {
    case cmd::kMenuScreen:
      SwitchScreen(CScreen::kMenu);
      return true;
    case cmd::kDMScreen:
      SwitchScreen(CScreen::kDM);
      return true;
    case cmd::kExit:
      if (onExit) onExit();
      return true;
    case cmd::kToggleToolbar:
      ToggleToolbar();
      return true;
    case cmd::kHelp:
      if (onHelp) onHelp();
      return true;
    case cmd::kAbout: {
      CAboutDlg about(platform::CNeritEnv::kVersion);
      ui_.Run(about);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace shell
