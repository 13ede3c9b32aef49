// The GUI tests run in one QApplication on the offscreen platform, on a 1366×768 laptop screen,
// with the program's own font and Qt's Japanese texts.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ui/qt/ApplicationSetup.h"

int main(int argc, char** argv) {
  // A runtime folder of their own where the session gives none: without one, the picture dialog
  // test's process crashed LeakSanitizer's exit-time scan on a bad dynamic-TLS entry.
  QTemporaryDir runtime;
  if (qgetenv("XDG_RUNTIME_DIR").isEmpty() && runtime.isValid()) qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TOVANA_GUI_SCREEN);
  QApplication application(argc, argv);
  ui::SetUpApplication(application);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
