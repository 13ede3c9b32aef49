#include <QApplication>

#include "app/qt/MainFrameWindow.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  app::MainFrameWindow window([] {});
  window.show();
  return application.exec();
}
