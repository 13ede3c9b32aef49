// The main window on a started program, closed the way the user does: every menu-screen tab, every screen reached by mouse,
// keyboard and menu, with its title, frame style and toolbar; screenshots of each.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <lumaro/CLumaro.h>

#include "app/CLumaroForms.h"
#include "app/CTovanaApp.h"
#include "app/Screens.h"
#include "app/qt/MainFrameWindow.h"
#include "app/qt/MenuScreenWidget.h"
#include "app/qt/ViewRegistry.h"
#include "platform/TempFolder.h"
#include "qt/GuiTestSupport.h"
#include "ui/qt/QtUi.h"

namespace {

namespace fs = std::filesystem;
using gui_test::SaveScreenshot;

class MainFrameSmoke : public ::testing::Test {
 protected:
  MainFrameSmoke() {
    setenv("TOVANA_HOME", (temp / "tovana").c_str(), 1);
    setenv("TOVANA_LOCK_DIR", (temp / "locks").c_str(), 1);
    fs::create_directories(temp / "run");
    setenv("XDG_RUNTIME_DIR", (temp / "run").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (temp / "config").c_str(), 1);
    app::RegisterViews(ui);
  }
  ~MainFrameSmoke() override {
    for (const char* name : {"TOVANA_HOME", "TOVANA_LOCK_DIR", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"}) unsetenv(name);
  }
  app::MenuScreenWidget* Menu(app::MainFrameWindow& window) {
    return dynamic_cast<app::MenuScreenWidget*>(window.centralWidget());
  }
  QAction* MenuAction(app::MainFrameWindow& window, const char* text) {
    for (QAction* top : window.menuBar()->actions()) {
      if (!top->menu()) continue;
      for (QAction* a : top->menu()->actions()) {
        if (a->text() == QString::fromUtf8(text)) return a;
      }
    }
    return nullptr;
  }

  // The first interface under from, depth first, with this role and name.
  static QAccessibleInterface* FindAccessible(QAccessibleInterface* from, QAccessible::Role role, const QString& name) {
    if (!from) return nullptr;
    if (from->role() == role && from->text(QAccessible::Name) == name) return from;
    for (int i = 0; i < from->childCount(); ++i) {
      if (QAccessibleInterface* found = FindAccessible(from->child(i), role, name)) return found;
    }
    return nullptr;
  }
  // The items of a menu interface: name, and whether they are greyed and checked.
  struct Item {
    QString name;
    bool greyed, checked;
    int children;
  };
  static std::vector<Item> Items(QAccessibleInterface* menu) {
    std::vector<Item> items;
    for (int i = 0; i < menu->childCount(); ++i) {
      QAccessibleInterface* item = menu->child(i);
      if (item->role() != QAccessible::MenuItem) continue;
      items.push_back({item->text(QAccessible::Name), bool(item->state().disabled), bool(item->state().checked),
                       item->childCount()});
    }
    return items;
  }
  static Item Named(const std::vector<Item>& items, const char* name) {
    for (const Item& item : items) {
      if (item.name == QString::fromUtf8(name)) return item;
    }
    ADD_FAILURE() << "no item " << name;
    return {};
  }

  testing_support::TempFolder temp;
  ui::QtUi ui;
};

TEST_F(MainFrameSmoke, AnOpenPopUpMenuIsInTheAccessibilityTreeWithItsItemsAndGreying) {
  app::CTovanaApp tovana(ui);
  ASSERT_TRUE(tovana.InitInstance());
  {
    app::CLumaroForms forms(ui, tovana.InstallFolder());
    std::unique_ptr<shell::CMainFrame> frame = app::MakeMainFrame(ui, tovana, &forms);
    app::MainFrameWindow window(*frame, [&tovana, &frame] {
      frame->Close();
      tovana.OnCloseMainWindow();
    });
    ui.SetParent(&window);
    ASSERT_TRUE(frame->Create());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);

    // Opens the pop-up of a button by keyboard and reads the tree while it is open.
    const auto readWhileOpen = [&](const char* caption) {
      std::vector<Item> items;
      bool found = false;
      QTimer::singleShot(0, [&] {
        QAccessibleInterface* button = FindAccessible(root, QAccessible::ButtonMenu, QString::fromUtf8(caption));
        QAccessibleInterface* menu = button && button->childCount() == 1 ? button->child(0) : nullptr;
        if (menu) {
          EXPECT_EQ(menu->role(), QAccessible::PopupMenu);
          EXPECT_EQ(menu->text(QAccessible::Name), QString::fromUtf8(caption));
          EXPECT_TRUE(button->state().expanded);
          found = true;
          items = Items(menu);
          // A sub-menu's items are reached through its item.
          for (int i = 0; i < menu->childCount(); ++i) {
            QAccessibleInterface* item = menu->child(i);
            if (item->childCount() == 0) continue;
            for (const Item& sub : Items(item->child(0))) items.push_back(sub);
          }
        }
        if (QWidget* open = QApplication::activePopupWidget()) open->close();
      });
      auto* control = gui_test::Find(*Menu(window), QString::fromUtf8(caption));
      control->setFocus();
      QTest::keyClick(control, Qt::Key_Return);
      EXPECT_TRUE(found) << caption << ": the open menu hangs under its button as a pop-up menu";
      QAccessibleInterface* button = FindAccessible(root, QAccessible::ButtonMenu, QString::fromUtf8(caption));
      EXPECT_TRUE(button && button->childCount() == 0) << caption << ": a closed menu leaves the tree";
      return items;
    };

    const std::vector<Item> settings = readWhileOpen("設定");
    ASSERT_FALSE(settings.empty());
    EXPECT_FALSE(Named(settings, "自社担当者の設定...").greyed);
    EXPECT_TRUE(Named(settings, "顧客一覧の事前抽出設定を解除").greyed) << "nothing to remove";
    EXPECT_TRUE(Named(settings, "ｵﾘｼﾞﾅﾙﾌｫｰﾑ名の変更・削除...").greyed) << "no original forms";
    EXPECT_EQ(Named(settings, "顧客カードのタイプ").children, 1);
    EXPECT_TRUE(Named(settings, "通常タイプ").checked);

    const std::vector<Item> tools = readWhileOpen("ツール");
    EXPECT_TRUE(Named(tools, "現在のﾃﾞｰﾀに戻す").greyed) << "the data is current";
    EXPECT_FALSE(Named(tools, "ﾃﾞｰﾀのﾊﾞｯｸｱｯﾌﾟ").greyed);

    const std::vector<Item> help = readWhileOpen("ヘルプ");
    ASSERT_EQ(help.size(), 2u);
    EXPECT_EQ(help[0].name, QString::fromUtf8("ヘルプ目次"));
    EXPECT_EQ(help[1].name, QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報..."));
    EXPECT_EQ(frame->CurrentScreen(), shell::CScreen::kMenu) << "closing the menu chose nothing";
    window.close();
  }
  tovana.ExitInstance();
}

TEST_F(MainFrameSmoke, EveryTabAndScreenShowsWithItsTitleFrameAndToolbar) {
  app::CTovanaApp tovana(ui);
  ASSERT_TRUE(tovana.InitInstance());
  const fs::path data = tovana.Document()->DataFolder();
  {
    app::CLumaroForms forms(ui, tovana.InstallFolder());
    std::unique_ptr<shell::CMainFrame> frame = app::MakeMainFrame(ui, tovana, &forms);
    app::MainFrameWindow window(*frame, [&tovana, &frame] {
      frame->Close();
      tovana.OnCloseMainWindow();
    });
    frame->onExit = [&window] { window.close(); };
    ui.SetParent(&window);
    ASSERT_TRUE(frame->Create());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("顧客 ソレル－メニュー"));
    EXPECT_EQ(window.size(), QSize(800, 600));
    EXPECT_TRUE(fs::exists(data / "ZQQMV2.qmv2")) << "the program works on its copy";
    SaveScreenshot(window, "startup-menu.png");

    // Each tab by mouse: the list shows that tab's forms.
    for (int tab = 0; tab < app::CTovanaView::kTabCount; ++tab) {
      app::MenuScreenWidget* menu = Menu(window);
      ASSERT_NE(menu, nullptr);
      const app::Rect r = app::CTovanaView::TabRect(tab);
      QTest::mouseClick(menu, Qt::LeftButton, {}, QPoint(r.x + r.w / 2, r.y + r.h / 2));
      EXPECT_EQ(menu->Model().SelectedTab(), tab);
      auto* list = menu->findChild<QTreeWidget*>();
      EXPECT_EQ(list->topLevelItemCount(), static_cast<int>(menu->Model().Forms().size()));
      if (tab < 4) {
        EXPECT_GT(list->topLevelItemCount(), 0) << "tab " << tab;
      }
      EXPECT_EQ(list->columnCount(), tab == 4 ? 1 : 3);
      SaveScreenshot(window, ("menu-tab-" + std::to_string(tab) + ".png").c_str());
    }

    // Another program adds an original form: the list of tab 4 (selected now) follows.
    {
      lumaro::CLumaro other(tovana.InstallFolder());
      ASSERT_EQ(other.ReadDataFile(), 1);
      ASSERT_EQ(other.SetPickUp("私の宛名ラベル", forms.Forms(0).front().id, 40001), 1);
    }
    auto* originals = Menu(window)->findChild<QTreeWidget*>();
    QTRY_COMPARE(originals->topLevelItemCount(), 1);
    EXPECT_EQ(originals->topLevelItem(0)->text(0), QString::fromUtf8("私の宛名ラベル"));

    // 顧客一覧 by keyboard: focus the button and press Enter.
    const QPointer<QWidget> menuView = Menu(window);
    auto* listButton = gui_test::Find(*Menu(window), QString::fromUtf8("顧客一覧"));
    ASSERT_NE(listButton, nullptr);
    {
      // While a dialog waits for its answer, a press that reaches the window anyway does nothing.
      QDialog question(&window);
      question.setModal(true);
      question.show();
      listButton->click();
      EXPECT_EQ(frame->CurrentScreen(), shell::CScreen::kMenu);
    }
    listButton->setFocus();
    QTest::keyClick(listButton, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("顧客 ソレル－顧客一覧"));
    EXPECT_TRUE(window.Toolbar(shell::CMainFrame::kToolbar128)->isVisible());
    EXPECT_FALSE(window.Toolbar(shell::CMainFrame::kToolbar145)->isVisible());
    for (auto* button : window.Toolbar(shell::CMainFrame::kToolbar128)->findChildren<QToolButton*>()) {
      EXPECT_FALSE(button->accessibleName().isEmpty() && button->text().isEmpty()) << "a toolbar button without a caption";
    }
    EXPECT_TRUE(window.menuBar()->isVisible());
    EXPECT_TRUE(window.isMaximized()) << "the customer list opens maximised";
    ASSERT_FALSE(menuView.isNull()) << "the view whose button asked for the switch outlives the switch";
    EXPECT_FALSE(menuView->isVisible());
    EXPECT_EQ(window.maximumWidth(), QWIDGETSIZE_MAX) << "list screens may be resized";
    SaveScreenshot(window, "screen-customer-list.png");

    QAction* toggle = MenuAction(window, "ﾂｰﾙ ﾊﾞｰ(&T)");
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(window.Toolbar(shell::CMainFrame::kToolbar128)->isVisible());
    EXPECT_FALSE(toggle->isChecked());

    frame->SwitchScreen(shell::CScreen::kHistory);
    EXPECT_TRUE(menuView.isNull()) << "the menu screen's view went with its screen, not later";
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("顧客 ソレル－履歴一覧"));
    EXPECT_TRUE(window.Toolbar(shell::CMainFrame::kToolbar145)->isVisible());
    SaveScreenshot(window, "screen-history.png");

    // Back to the menu through the menu bar: fixed 800 x 600 again.
    MenuAction(window, "メニュー画面へ")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("顧客 ソレル－メニュー"));
    EXPECT_EQ(window.size(), QSize(800, 600));
    for (int t = 0; t < shell::CMainFrame::kToolbarCount; ++t) EXPECT_FALSE(window.Toolbar(t)->isVisible());

    // DM送付管理 by mouse.
    const app::Rect dm = app::CTovanaView::ButtonRect(app::CTovanaView::kDMManagement);
    QTest::mouseClick(Menu(window), Qt::LeftButton, {}, QPoint(dm.x + 10, dm.y + 10));
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("顧客 ソレル－DM送付管理"));
    EXPECT_TRUE(window.Toolbar(shell::CMainFrame::kToolbar147)->isVisible());
    SaveScreenshot(window, "screen-dm.png");
    window.close();
  }
  // Closing as the user does saved the data and removed the work copy.
  EXPECT_FALSE(fs::exists(data / "ZQQMV2.qmv2"));
  EXPECT_TRUE(fs::exists(data / "ZQQMV.qmv"));
  tovana.ExitInstance();
}

}  // namespace
