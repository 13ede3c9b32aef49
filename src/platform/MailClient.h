#pragma once
// The user's mail client, reached through xdg-email: it opens the client's compose window with the
// subject and recipients filled in, and the user sends from there. TOVANA_MAIL_COMMAND names
// another program taking the same arguments (tests record the call with it).

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

struct MailMessage {
  std::string subject;
  std::vector<std::string> to;
  std::vector<std::string> bcc;
};

enum class MailOutcome {
  Accepted,  // the client has the message (its compose window open)
  NoClient,  // no mail command, or no mail client configured on the desktop
  Failed,    // the client was found but could not take the message
};

// $TOVANA_MAIL_COMMAND when set and not empty, else xdg-email on PATH; empty when neither.
std::filesystem::path MailCommand();

// The command's arguments: every address and the subject as the value of an option, so none can
// be read as an option or a file to attach.
std::vector<std::string> MailArguments(const MailMessage& message);

// Hands the message to command and waits a moment for its answer; a client still running then
// holds the message.
MailOutcome SendToMailClient(const MailMessage& message, const std::filesystem::path& command = MailCommand());

}  // namespace platform
