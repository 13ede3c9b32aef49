#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <cstdio>
#include <cstring>

#include "app/CLumaroForms.h"
#include "app/CTovanaApp.h"
#include "app/Screens.h"
#include "app/qt/MainFrameWindow.h"
#include "app/qt/SignalCloser.h"
#include "app/qt/ViewRegistry.h"
#include "platform/CNeritEnv.h"
#include "ui/qt/QtUi.h"

namespace {

// Answers --version and --help before any window; true when it did.
bool AnswerCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      const int v = platform::CNeritEnv::kVersion;
      std::printf("tovana (顧客ソレル) %d.%02d\n", v / 100, v % 100);
      return true;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::printf(
          "使い方: tovana [--version] [--help]\n"
          "顧客ソレル: 顧客管理プログラム\n\n"
          "環境変数:\n"
          "  TOVANA_HOME          インストールフォルダ (既定: $XDG_DATA_HOME/tovana)\n"
          "  TOVANA_FACTORY_DIR   初回起動時に展開する工場出荷時のファイル\n"
          "  TOVANA_LOCK_DIR      二重起動を防ぐロックファイルのフォルダ\n");
      return true;
    }
  }
  return false;
}

// The Japanese Gothic the program's texts are drawn in.
void UseJapaneseFont(QApplication& application) {
  for (const char* family : {"Noto Sans CJK JP", "IPAGothic", "IPAexGothic"}) {
    if (QFontDatabase::hasFamily(QString::fromUtf8(family))) {
      QFont font(QString::fromUtf8(family));
      font.setPointSize(10);
      application.setFont(font);
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (AnswerCommandLine(argc, argv)) return 0;
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("tovana"));
  application.setApplicationDisplayName(QString::fromUtf8("顧客ソレル"));
  UseJapaneseFont(application);

  ui::QtUi ui;
  app::RegisterViews(ui);
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
