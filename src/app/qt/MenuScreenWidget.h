#pragma once
// The menu screen on Qt: paints the tabs and the twelve buttons of app::CTovanaView in their
// states, passes the mouse to the model, and carries the form list and the preview. Each tab and
// button is also a focusable child, so the keyboard and screen readers reach them by caption.

#include <QWidget>

#include <vector>

#include "app/CTovanaView.h"

class QFileSystemWatcher;
class QLabel;
class QTreeWidget;

namespace shell {
class CMainFrame;
}  // namespace shell

namespace app {

class MenuScreenWidget : public QWidget {
 public:
  MenuScreenWidget(CTovanaView& model, shell::CMainFrame& frame, QWidget* parent);
  ~MenuScreenWidget() override { model_.onChanged = nullptr; }

  CTovanaView& Model() { return model_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void BuildControls();
  void Sync();
  void FillFormList();
  void ShowPreview();
  void ShowPendingPopup();
  void PaintHeader(QPainter& p);
  void WatchOriginals();
  QString OriginalsStamp() const;
  void WatchOriginalsFile();
  void OriginalsMayHaveChanged();

  CTovanaView& model_;
  shell::CMainFrame& frame_;
  std::vector<QWidget*> tabs_, buttons_;
  QTreeWidget* forms_ = nullptr;
  QLabel* preview_ = nullptr;
  int shownGeneration_ = -1;
  QFileSystemWatcher* watcher_ = nullptr;
  QString originalsStamp_;
};

}  // namespace app
