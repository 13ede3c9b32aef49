#pragma once
// The main window's model: which screen is shown, which toolbar belongs to it and whether it is
// visible, the window's title and frame style, the one modeless find dialog, and the commands
// every screen shares. The Qt window renders it and swaps its central view when it changes.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "shell/CScreen.h"
#include "ui/Ui.h"

namespace shell {

class CTovanaDoc;

class CMainFrame {
 public:
  static constexpr const char* kTitle = "顧客 ソレル";
  static constexpr int kWidth = 800, kHeight = 600;
  // The toolbars by resource number: 128 customer list, 145 history, 147 DM.
  enum Toolbar : int { kToolbar128 = 0, kToolbar145, kToolbar147, kNoToolbar = -1 };
  static constexpr int kToolbarCount = 3;

  // Makes the model of screen n; null when it cannot be made.
  using ScreenFactory = std::function<std::unique_ptr<CScreen>(int n)>;

  CMainFrame(ui::Ui& ui, ScreenFactory factory);

  void SetScreenFactory(ScreenFactory factory) { factory_ = std::move(factory); }
  // The document that keeps the customer-list variant for the lists; may stay unset.
  void SetDocument(CTovanaDoc* doc) { doc_ = doc; }
  // Creates the menu screen, the first view. False when it cannot be made.
  bool Create();

  int CurrentScreen() const { return current_; }
  CScreen* ActiveScreen() { return screen_.get(); }
  // The customer-list variant (1, 2 or 3) the next customer list opens with.
  int CustomerListVariant() const { return listVariant_; }

  // Shows screen n: nothing for the screen already shown; the old screen stays when the new one
  // cannot be made. True when the screen changed.
  bool SwitchScreen(int n);

  // The toolbar of a screen (kNoToolbar for the menu screen).
  static Toolbar ScreenToolbar(int screen);
  bool ToolbarVisible(int toolbar) const { return toolbar >= 0 && toolbar < kToolbarCount && visible_[toolbar]; }
  // Shows or hides the current screen's toolbar and hides the others.
  void ShowScreenToolbar(bool show);
  // ﾂｰﾙ ﾊﾞｰ: toggles the current screen's toolbar; the check mark follows its visibility.
  void ToggleToolbar();
  bool ToolbarChecked() const { return ToolbarVisible(ScreenToolbar(current_)); }

  std::string Title() const;
  // The menu screen has a fixed frame without maximise box; every other screen may be resized.
  bool Resizable() const { return current_ != CScreen::kMenu; }

  // The find dialog: opened once, closed by itself or by a screen switch.
  bool FindDialogOpen() const { return findOpen_; }
  void OpenFindDialog() {
    findOpen_ = true;
    Changed();
  }
  void OnFindDialogClosing() {
    findOpen_ = false;
    Changed();
  }
  // A find-next of the dialog goes to the screen only on screens 1 to 4.
  void OnFindNext(const FindRequest& request);

  // Whether a command of the menus or toolbars can run now: the frame's own always, the others
  // as the screen says.
  bool IsCommandEnabled(int id) const;
  bool IsCommandChecked(int id) const;
  // The main window closes: the screen shown saves what it keeps between runs.
  void Close();
  // Routes a command: first to the screen, then the frame's own (menu screen, DM screen, exit,
  // toolbar toggle, about). True when someone handled it.
  bool OnCommand(int id);

  // Told after every change the window must render (screen, toolbars, title, find dialog).
  std::function<void()> onChanged;
  // Asked to close the main window (終了).
  std::function<void()> onExit;
  // Asked to show the help contents.
  std::function<void()> onHelp;
  // Told just before a replaced screen is destroyed, so that its view, which renders it, goes first.
  std::function<void(const CScreen&)> onScreenGone;

 private:
  void Changed() {
    if (onChanged) onChanged();
  }

  void SetListVariant(int variant);

  ui::Ui& ui_;
  CTovanaDoc* doc_ = nullptr;
  ScreenFactory factory_;
  std::unique_ptr<CScreen> screen_;
  // The screen replaced last: kept until the next switch, because the switch is usually asked
  // from inside one of its own handlers.
  std::unique_ptr<CScreen> retired_;
  int current_ = CScreen::kMenu;
  int listVariant_ = CScreen::kCustomerList;
  std::array<bool, kToolbarCount> visible_{};
  bool findOpen_ = false;
};

}  // namespace shell
