#pragma once
// The main window, rendering shell::CMainFrame: the current screen's view in the middle, its menu
// bar and toolbar, the title, a fixed frame on the menu screen, and the modeless find dialog.

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "shell/CMainFrame.h"

class QAction;
class QToolBar;

namespace app {

class FindDialogWidget;

class MainFrameWindow : public QMainWindow {
 public:
  // onClose runs the close handler of the program (saving the data); the window then closes.
  MainFrameWindow(shell::CMainFrame& frame, std::function<void()> onClose, QWidget* parent = nullptr);
  ~MainFrameWindow() override;

  // Centres the window on its screen, as the frame is placed when it is created.
  void CentreOnScreen();
  QToolBar* Toolbar(int toolbar) const { return toolbars_[toolbar]; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildToolbars();
  void BuildMenuBar(int screen);
  // ﾌｧｲﾙ, 表示 and ﾍﾙﾌﾟ, for a screen that brings no menus of its own yet.
  static std::vector<shell::MenuItem> CommonMenus(int screen);
  QAction* CommandAction(int id, QObject* parent);
  void Sync();
  void SyncFrameStyle();
  void SyncFindDialog();

  shell::CMainFrame& frame_;
  std::function<void()> onClose_;
  bool closed_ = false;
  std::array<QToolBar*, shell::CMainFrame::kToolbarCount> toolbars_{};
  QAction* toggleToolbar_ = nullptr;
  const shell::CScreen* shownScreen_ = nullptr;
  // The view of the screen replaced last, hidden: its handler may be the one that asked for the
  // switch, so it goes only when the frame lets go of that screen.
  std::unique_ptr<QWidget> retiredView_;
  const shell::CScreen* retiredScreen_ = nullptr;
  int menuScreen_ = -1;
  QPointer<FindDialogWidget> find_;
};

}  // namespace app
