// The GUI tests run in one QApplication on the offscreen platform, on a 1366×768 laptop screen,
// with the program's own font and Qt's Japanese texts.
#include <QApplication>

#include <gtest/gtest.h>

#include "ui/qt/ApplicationSetup.h"

// Under the sanitizers: Qt's picture plugins load libraries with thread-local storage (the JPEG
// decoder's), and LeakSanitizer's exit-time scan of such dynamically loaded storage crashes with
// this compiler and C library; the storage of the libraries linked at start is still scanned.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TOVANA_GUI_SCREEN);
  QApplication application(argc, argv);
  ui::SetUpApplication(application);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
