#include "platform/ChildProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {
namespace {

// In the child: becomes user (if given), or ends the child with 254.
void BecomeUser(uid_t user) {
  if (user == static_cast<uid_t>(-1)) return;
  if (::setgid(user) != 0 || ::setuid(user) != 0) ::_exit(254);
}

}  // namespace

bool CanSwitchUser() { return ::geteuid() == 0; }

int RunInChild(const std::function<int()>& body, uid_t user) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    BecomeUser(user);
    ::_exit(body() & 0xFF);
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

CLingeringChild::CLingeringChild(const std::function<int()>& body, uid_t user) {
  int fds[2];
  if (::pipe(fds) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::close(fds[0]);
    BecomeUser(user);
    const unsigned char result = static_cast<unsigned char>(body());
    (void)!::write(fds[1], &result, 1);
    for (;;) ::pause();
  }
  ::close(fds[1]);
  unsigned char result = 0;
  if (pid_ > 0 && ::read(fds[0], &result, 1) == 1) result_ = result;
  ::close(fds[0]);
}

CLingeringChild::~CLingeringChild() { Kill(); }

void CLingeringChild::Kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace testing_support
