#include "dm/MailSending.h"

#include "dm/CMailerDlg.h"
#include "history/LastHistoryDate.h"
#include "shell/CTovanaDoc.h"
#include "text/Format.h"

namespace dm {

bool RefuseTooManyRecipients(ui::Ui& ui, std::size_t addresses) {
  if (addresses <= static_cast<std::size_t>(kMailRecipientLimit)) return false;
  ui.Tell(text::Format(kTooManyMailRecipients, kMailRecipientLimit));
  return true;
}

int SendMail(ui::Ui& ui, const std::string& subject, const std::vector<std::string>& addresses,
             const std::filesystem::path& command) {
  if (addresses.empty()) {
    ui.Tell(kNoMailRecipients);
    return 0;
  }
  if (RefuseTooManyRecipients(ui, addresses.size())) return 0;
  platform::MailMessage message{subject, {}, {}};
  (addresses.size() == 1 ? message.to : message.bcc) = addresses;
  platform::MailOutcome outcome;
  {
    const ui::WaitScope wait = ui.Wait();
    outcome = platform::SendToMailClient(message, command);
  }
  switch (outcome) {
    case platform::MailOutcome::Accepted: return 1;
    case platform::MailOutcome::NoClient: ui.Tell(kNoMailClient); return 0;
    case platform::MailOutcome::Failed: ui.Tell(kMailNotSent); return 0;
  }
  return 0;
}

records::CRirekiData MailHistoryEntry(const std::string& subject, const records::COleDate& now) {
  records::CRirekiData entry;
  entry.ActionTitle = kMailHistoryTitle;
  entry.Action = subject;
  entry.Date = now;
  return entry;
}

CustomerMail::CustomerMail(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path command)
    : ui_(ui), doc_(doc), command_(std::move(command)) {}

int CustomerMail::Send(const records::IdArray& selected, const records::COleDate& now,
                       const std::function<void(std::int32_t)>& changed) {
  if (selected.empty()) {
    ui_.Tell(kNoneSelected);
    return 0;
  }
  std::vector<std::string> addresses;
  const int found = doc_.GetMailAddresses(selected, addresses);
  if (RefuseTooManyRecipients(ui_, addresses.size())) return 0;
  if (found == -1) {
    ui_.Tell(kNoAddress);
    return 0;
  }
  if (found == 0 && !ui_.Ask(kSomeWithout)) return 0;
  if (!ui_.Ask(text::Format(kConfirm, static_cast<int>(addresses.size())))) return 0;

  const bool writable = !doc_.IsReadOnly() && !doc_.Store().IsReadOnly();
  CMailerDlg launcher(ui_, true, writable);
  if (!ui_.Run(launcher)) return 0;
  if (SendMail(ui_, launcher.Subject(), addresses, command_) != 1) return 0;
  if (!launcher.History() || !writable) return 1;

  const int stored = doc_.Store().AddNewRireki(selected, MailHistoryEntry(launcher.Subject(), now), now);
  if (stored == -1) {
    ui_.Tell(kHistoryFailed);
  } else if (stored == 10) {
    ui_.Tell(kHistoryPartly);
  } else {
    history::RefreshLastHistoryDate(doc_.Customers(), selected, now, changed);
  }
  return 1;
}

std::optional<std::string> MailToAddress(ui::Ui& ui, const std::string& address, bool readOnly,
                                         const std::filesystem::path& command) {
  CMailerDlg launcher(ui, true, !readOnly);
  if (!ui.Run(launcher)) return std::nullopt;
  if (SendMail(ui, launcher.Subject(), {address}, command) != 1) return std::nullopt;
  if (readOnly || !launcher.History()) return std::nullopt;
  return launcher.Subject();
}

}  // namespace dm
