#include <QApplication>

#include <cstdio>
#include <string_view>
#include <vector>

#include "app/CLumaroForms.h"
#include "app/CTovanaApp.h"
#include "app/CommandLine.h"
#include "app/Screens.h"
#include "app/qt/MainFrameWindow.h"
#include "app/qt/SignalCloser.h"
#include "app/qt/ViewRegistry.h"
#include "maintenance/Headless.h"
#include "platform/CNeritEnv.h"
#include "printing/qt/FormOutput.h"
#include "ui/qt/ApplicationSetup.h"
#include "ui/qt/QtUi.h"

int main(int argc, char** argv) {
  // The command line is answered before any window, so it works without a display too.
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const app::CommandLine command = app::ReadCommandLine(args);
  switch (command.action) {
    case app::CommandLine::Action::Version: std::fputs(app::VersionText().c_str(), stdout); return 0;
    case app::CommandLine::Action::Help: std::fputs(app::HelpText().c_str(), stdout); return 0;
    case app::CommandLine::Action::Refuse:
      std::fputs((command.error + "\n" + app::UsageLine()).c_str(), stderr);
      return app::kUsageStatus;
    case app::CommandLine::Action::Backup:
      return maintenance::RunHeadlessBackup(platform::CNeritEnv().GetInstallFolder(), command.folder);
    case app::CommandLine::Action::Restore:
      return maintenance::RunHeadlessRestore(platform::CNeritEnv().GetInstallFolder(), command.folder);
    case app::CommandLine::Action::Run: break;
  }
  QApplication application(argc, argv);
  ui::SetUpApplication(application);

  ui::QtUi ui;
  app::RegisterViews(ui);
  printing::InstallQtFormOutput(ui);
  app::CTovanaApp tovana(ui);
  if (!tovana.InitInstance()) return tovana.ExitInstance();

  app::CLumaroForms forms(ui, tovana.InstallFolder());
  std::unique_ptr<shell::CMainFrame> frame = app::MakeMainFrame(ui, tovana, &forms);
  app::MainFrameWindow window(*frame, [&tovana, &frame] {
    frame->Close();
    tovana.OnCloseMainWindow();
  });
  frame->onExit = [&window] { window.close(); };
  ui.SetParent(&window);
  if (!frame->Create()) return tovana.ExitInstance();
  app::SignalCloser closer(&window);
  window.show();
  application.exec();
  return tovana.ExitInstance();
}
