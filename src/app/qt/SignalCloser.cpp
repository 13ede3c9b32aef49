#include "app/qt/SignalCloser.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace app {

namespace {

int gPipe[2] = {-1, -1};

void WriteSignalByte(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(gPipe[0], &byte, 1);
}

}  // namespace

SignalCloser::SignalCloser(QWidget* window) : QObject(window), window_(window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gPipe) != 0) return;
  notifier_ = new QSocketNotifier(gPipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SignalCloser::OnSignal);
  struct sigaction action {};
  action.sa_handler = WriteSignalByte;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

SignalCloser::~SignalCloser() {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
  ::close(gPipe[0]);
  ::close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

void SignalCloser::OnSignal() {
  char byte;
  [[maybe_unused]] const auto read = ::read(gPipe[1], &byte, 1);
  if (window_) window_->close();
}

}  // namespace app
