// Starts the program's window on a temporary workspace, looks at it and closes it the way the
// user does.
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/CLumaroForms.h"
#include "app/CTovanaApp.h"
#include "app/Screens.h"
#include "app/qt/MainFrameWindow.h"
#include "app/qt/ViewRegistry.h"
#include "platform/InstallLayout.h"
#include "platform/TempFolder.h"
#include "qt/GuiTestSupport.h"
#include "ui/qt/QtUi.h"

namespace {

namespace fs = std::filesystem;

using gui_test::SaveScreenshot;

TEST(StartupSmoke, MainWindowOpensOnTheMenuScreenAndClosingSavesTheData) {
  testing_support::TempFolder temp;
  setenv("TOVANA_HOME", (temp / "tovana").c_str(), 1);
  setenv("TOVANA_LOCK_DIR", (temp / "locks").c_str(), 1);
  fs::create_directories(temp / "run");
  setenv("XDG_RUNTIME_DIR", (temp / "run").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (temp / "config").c_str(), 1);

  ui::QtUi ui;
  app::RegisterViews(ui);
  app::CTovanaApp tovana(ui);
  ASSERT_TRUE(tovana.InitInstance());
  const fs::path data = tovana.Document()->DataFolder();
  {
    app::CLumaroForms forms(ui, tovana.InstallFolder());
    std::unique_ptr<app::CMainFrame> frame = app::MakeMainFrame(ui, tovana, &forms);
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
    EXPECT_TRUE(fs::exists(data / "ZQQMV2.qmv2"));
    SaveScreenshot(window, "startup-menu.png");
    window.close();
  }
  EXPECT_FALSE(fs::exists(data / "ZQQMV2.qmv2"));
  EXPECT_TRUE(fs::exists(data / "ZQQMV.qmv"));
  tovana.ExitInstance();
  for (const char* name : {"TOVANA_HOME", "TOVANA_LOCK_DIR", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"}) unsetenv(name);
}

}  // namespace
