#pragma once
// Forked children for tests that need a second process (or a second user: as root, a child can
// become the unprivileged user "nobody").

#include <sys/types.h>

#include <functional>

namespace testing_support {

inline constexpr uid_t kNobody = 65534;

// True when this process may switch a child to another user.
bool CanSwitchUser();

// Runs body in a child process (as user when given) and returns what it returned (0 to 255),
// or -1 when the child did not end normally.
int RunInChild(const std::function<int()>& body, uid_t user = static_cast<uid_t>(-1));

// A child that runs body (as user when given), reports its result and then stays alive until
// it is killed; killed at the latest when this object goes.
class CLingeringChild {
 public:
  explicit CLingeringChild(const std::function<int()>& body, uid_t user = static_cast<uid_t>(-1));
  ~CLingeringChild();
  CLingeringChild(const CLingeringChild&) = delete;
  CLingeringChild& operator=(const CLingeringChild&) = delete;

  // What body returned; -1 when the child died first.
  int Result() const { return result_; }
  // Kills it with SIGKILL and waits for it to be gone.
  void Kill();

 private:
  pid_t pid_ = -1;
  int result_ = -1;
};

}  // namespace testing_support
