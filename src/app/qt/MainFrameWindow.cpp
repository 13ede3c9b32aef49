#include "app/qt/MainFrameWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

#include <initializer_list>

#include "app/qt/FindDialogWidget.h"
#include "app/qt/ScreenViews.h"
#include "shell/Commands.h"
#include "ui/qt/Controls.h"
#include "ui/qt/IconSet.h"
#include "ui/qt/QtUi.h"

namespace app {

using shell::CMainFrame;
using shell::CScreen;
using shell::MenuItem;
namespace cmd = shell::cmd;

namespace {

ui::Glyph GlyphOf(int id) {
  switch (id) {
    case cmd::kMenuScreen: return ui::Glyph::Home;
    case cmd::kAddCustomer: return ui::Glyph::AddPerson;
    case cmd::kCard: return ui::Glyph::Card;
    case cmd::kPrint:
    case cmd::kFilePrint: return ui::Glyph::Print;
    case cmd::kSendMail: return ui::Glyph::Mail;
    case cmd::kExtract: return ui::Glyph::Filter;
    case cmd::kRainbow: return ui::Glyph::Rainbow;
    case cmd::kDMScreen: return ui::Glyph::DM;
    case cmd::kHelp: return ui::Glyph::Help;
    default: return ui::Glyph::Exit;
  }
}

// The buttons of toolbars 128, 145 and 147; 0 is a separator.
const std::initializer_list<int> kToolbarButtons[CMainFrame::kToolbarCount] = {
    {cmd::kMenuScreen, 0, cmd::kAddCustomer, cmd::kCard, 0, cmd::kPrint, cmd::kSendMail, 0, cmd::kExtract,
     cmd::kRainbow, cmd::kDMScreen, 0, cmd::kHelp, cmd::kExit},
    {cmd::kMenuScreen, 0, cmd::kPrint, 0, cmd::kExtract, cmd::kRainbow, 0, cmd::kHelp, cmd::kExit},
    {cmd::kMenuScreen, 0, cmd::kFilePrint, cmd::kSendMail, 0, cmd::kHelp, cmd::kExit},
};
constexpr const char* kToolbarNames[CMainFrame::kToolbarCount] = {"顧客一覧のツールバー", "履歴一覧のツールバー",
                                                                 "DM送付管理のツールバー"};

}  // namespace

MainFrameWindow::MainFrameWindow(CMainFrame& frame, std::function<void()> onClose, QWidget* parent)
    : QMainWindow(parent), frame_(frame), onClose_(std::move(onClose)) {
  setWindowTitle(QString::fromUtf8(CMainFrame::kTitle));
  setAccessibleName(windowTitle());
  resize(CMainFrame::kWidth, CMainFrame::kHeight);
  CentreOnScreen();
  BuildToolbars();
  frame_.onChanged = [this] { Sync(); };
  frame_.onScreenGone = [this](const CScreen& screen) {
    if (&screen == retiredScreen_) retiredView_.reset();
  };
  Sync();
}

MainFrameWindow::~MainFrameWindow() {
  frame_.onChanged = nullptr;
  frame_.onScreenGone = nullptr;
}

void MainFrameWindow::CentreOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.x() + std::max(0, (area.width() - width()) / 2), area.y() + std::max(0, (area.height() - height()) / 2));
}

QAction* MainFrameWindow::CommandAction(int id, QObject* parent) {
  const auto command = cmd::Find(id);
  auto* action = new QAction(QString::fromUtf8(command->menuText.data(), command->menuText.size()), parent);
  action->setData(id);
  connect(action, &QAction::triggered, this, [this, id] {
    if (!ui::ModalDialogOpen()) frame_.OnCommand(id);
  });
  return action;
}

void MainFrameWindow::BuildToolbars() {
  for (int t = 0; t < CMainFrame::kToolbarCount; ++t) {
    auto* bar = new QToolBar(QString::fromUtf8(kToolbarNames[t]), this);
    bar->setAccessibleName(bar->windowTitle());
    bar->setIconSize(QSize(37, 37));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setMovable(true);
    for (int id : kToolbarButtons[t]) {
      if (id == 0) {
        bar->addSeparator();
        continue;
      }
      QAction* action = CommandAction(id, bar);
      const auto command = cmd::Find(id);
      action->setIcon(ui::GlyphIcon(GlyphOf(id)));
      action->setToolTip(QString::fromUtf8(command->tip.data(), command->tip.size()));
      bar->addAction(action);
    }
    // Qt's own button for the buttons that no longer fit the window has no caption.
    if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
      more->setAccessibleName(QStringLiteral("その他のボタン"));
    }
    addToolBar(Qt::TopToolBarArea, bar);
    bar->hide();
    toolbars_[t] = bar;
  }
}

void MainFrameWindow::BuildMenuBar(int screen) {
  menuScreen_ = screen;
  QMenuBar* bar = menuBar();
  bar->clear();
  toggleToolbar_ = nullptr;
  if (screen == CScreen::kMenu) return;
  std::vector<MenuItem> menus = frame_.ActiveScreen() ? frame_.ActiveScreen()->MenuBar() : std::vector<MenuItem>{};
  if (menus.empty()) menus = CommonMenus(screen);
  for (const MenuItem& top : menus) {
    QMenu* menu = bar->addMenu(ui::ToQString(top.text));
    for (const MenuItem& item : top.children) {
      if (item.id == 0) {
        menu->addSeparator();
        continue;
      }
      QAction* action = CommandAction(item.id, menu);
      action->setText(ui::ToQString(item.text));
      action->setCheckable(item.radio || item.id == cmd::kToggleToolbar || item.id == cmd::kCard);
      menu->addAction(action);
      if (item.id == cmd::kToggleToolbar) toggleToolbar_ = action;
    }
    // Greying and check marks are read when the menu opens, as the screen is then.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
      for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        const int id = action->data().toInt();
        action->setEnabled(frame_.IsCommandEnabled(id));
        if (action->isCheckable()) action->setChecked(frame_.IsCommandChecked(id));
      }
    });
  }
}

std::vector<MenuItem> MainFrameWindow::CommonMenus(int screen) {
  const auto item = [](int id) {
    MenuItem m;
    m.id = id;
    m.text = std::string(cmd::Find(id)->menuText);
    return m;
  };
  const auto menu = [](const char* title, std::vector<MenuItem> children) {
    MenuItem m;
    m.text = title;
    m.children = std::move(children);
    return m;
  };
  std::vector<MenuItem> view = {item(cmd::kToggleToolbar), MenuItem{}, item(cmd::kMenuScreen)};
  if (screen != CScreen::kDM) view.push_back(item(cmd::kDMScreen));
  return {menu("ﾌｧｲﾙ(&F)", {item(cmd::kExit)}), menu("表示(&V)", std::move(view)),
          menu("ﾍﾙﾌﾟ(&H)", {item(cmd::kHelp), MenuItem{}, item(cmd::kAbout)})};
}

void MainFrameWindow::Sync() {
  CScreen* screen = frame_.ActiveScreen();
  const bool newScreen = screen && screen != shownScreen_;
  if (newScreen) {
    retiredView_.reset(takeCentralWidget());  // no longer a child, so hidden
    retiredScreen_ = shownScreen_;
    setCentralWidget(MakeScreenView(*screen, frame_, this));
    shownScreen_ = screen;
  }
  if (menuScreen_ != frame_.CurrentScreen()) BuildMenuBar(frame_.CurrentScreen());
  for (int t = 0; t < CMainFrame::kToolbarCount; ++t) {
    toolbars_[t]->setVisible(frame_.ToolbarVisible(t));
    for (QAction* action : toolbars_[t]->actions()) {
      if (!action->isSeparator()) action->setEnabled(frame_.IsCommandEnabled(action->data().toInt()));
    }
  }
  if (toggleToolbar_) toggleToolbar_->setChecked(frame_.ToolbarChecked());
  setWindowTitle(ui::ToQString(frame_.Title()));
  setAccessibleName(windowTitle());
  SyncFrameStyle();
  if (newScreen && screen->OpensMaximised() && isVisible()) showMaximized();
  SyncFindDialog();
}

void MainFrameWindow::SyncFrameStyle() {
  const bool resizable = frame_.Resizable();
  const bool wasVisible = isVisible();
  if (resizable) {
    setMinimumSize(480, 360);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    showNormal();
    setFixedSize(CMainFrame::kWidth, CMainFrame::kHeight);
  }
  if (windowFlags().testFlag(Qt::WindowMaximizeButtonHint) != resizable) {
    setWindowFlag(Qt::WindowMaximizeButtonHint, resizable);
    if (wasVisible) show();  // a change of flags hides the window
  }
}

void MainFrameWindow::SyncFindDialog() {
  if (frame_.FindDialogOpen() && !find_) {
    find_ = new FindDialogWidget(frame_, this);
    find_->show();
  } else if (!frame_.FindDialogOpen() && find_) {
    find_->deleteLater();
    find_ = nullptr;
  }
}

void MainFrameWindow::closeEvent(QCloseEvent* event) {
  if (!closed_ && onClose_) onClose_();
  closed_ = true;
  event->accept();
}

}  // namespace app
