#include "app/qt/MainFrameWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace app {

namespace {
constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;
}  // namespace

MainFrameWindow::MainFrameWindow(std::function<void()> onClose, QWidget* parent)
    : QMainWindow(parent), onClose_(std::move(onClose)) {
  setWindowTitle(QString::fromUtf8("顧客 ソレル"));
  setAccessibleName(windowTitle());
  resize(kFrameWidth, kFrameHeight);
  CentreOnScreen();
}

void MainFrameWindow::CentreOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.x() + std::max(0, (area.width() - width()) / 2), area.y() + std::max(0, (area.height() - height()) / 2));
}

void MainFrameWindow::ShowMenuScreen() {
  setWindowTitle(QString::fromUtf8("顧客 ソレル－メニュー"));
  setAccessibleName(windowTitle());
  auto* screen = new QWidget(this);
  screen->setAccessibleName(QString::fromUtf8("メニュー"));
  setCentralWidget(screen);
  setFixedSize(kFrameWidth, kFrameHeight);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

void MainFrameWindow::closeEvent(QCloseEvent* event) {
  if (!closed_ && onClose_) onClose_();
  closed_ = true;
  event->accept();
}

}  // namespace app
