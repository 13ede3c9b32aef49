#include "platform/MailClient.h"

#include <chrono>
#include <cstdlib>

#include "platform/RunProgram.h"

namespace platform {

namespace {

// xdg-email returns at once for clients that fork and waits for those that do not.
constexpr std::chrono::milliseconds kPatience(5000);
// xdg-email: no program for mailto: addresses.
constexpr int kNoHandler = 3;

}  // namespace

std::filesystem::path MailCommand() {
  if (const char* set = std::getenv("TOVANA_MAIL_COMMAND"); set && *set) return set;
  return FindOnPath("xdg-email");
}

std::vector<std::string> MailArguments(const MailMessage& message) {
  std::vector<std::string> arguments{"--utf8"};
  if (!message.subject.empty()) arguments.insert(arguments.end(), {"--subject", message.subject});
  for (const std::string& address : message.to) arguments.insert(arguments.end(), {"--to", address});
  for (const std::string& address : message.bcc) arguments.insert(arguments.end(), {"--bcc", address});
  return arguments;
}

MailOutcome SendToMailClient(const MailMessage& message, const std::filesystem::path& command) {
  if (command.empty()) return MailOutcome::NoClient;
  const int exit = RunProgramWaiting(command, JoinArguments(MailArguments(message)), kPatience);
  if (exit == 0 || exit == kStillRunning) return MailOutcome::Accepted;
  if (exit == kNotStarted || exit == kNoHandler) return MailOutcome::NoClient;
  return MailOutcome::Failed;
}

}  // namespace platform
