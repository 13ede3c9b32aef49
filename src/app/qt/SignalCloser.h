#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout) close the main window the way the user would, so the
// close handler saves the data. The signal handler only writes a byte to a pipe; the window is
// closed from the event loop.

#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

namespace app {

class SignalCloser : public QObject {
 public:
  explicit SignalCloser(QWidget* window);
  ~SignalCloser() override;

 private:
  void OnSignal();

  QPointer<QWidget> window_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace app
