#pragma once
// Mail to customers through the user's mail client: the sending routine every mail goes through
// (its checks and messages), mail to the customers selected in the customer list with its history
// entry, and mail to one address from the customer card.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/MailClient.h"
#include "records/CKokyakuVMData.h"
#include "records/COleDate.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace dm {

inline constexpr int kMailRecipientLimit = 1000;
inline constexpr const char* kNoMailRecipients = "メール送信の対象者が指定されていません";
inline constexpr const char* kTooManyMailRecipients =
    "メール送信の対象者が多すぎます。一括で送信できるのは %d 人までです。\n送信対象者を減らしてください。";
inline constexpr const char* kMailNotSent = "送信できませんでした";
inline constexpr const char* kNoMailClient =
    "メールソフトが見つかりませんでした。\n"
    "デスクトップの設定で、メールを書くソフト（メールクライアント）を指定してください。";
inline constexpr const char* kMailHistoryTitle = "メール送信";

// The limit message when addresses are more than the client takes at once; true when it was told.
bool RefuseTooManyRecipients(ui::Ui& ui, std::size_t addresses);

// The sending routine: one address goes To, several all go Bcc so customers never see each other's
// addresses. 1 when the client took the message; else 0, after a message unless there was none.
int SendMail(ui::Ui& ui, const std::string& subject, const std::vector<std::string>& addresses,
             const std::filesystem::path& command = platform::MailCommand());

// Mail to customers selected in the customer list ("メール送信..."), with the history entry
// "メール送信" for every one of them when asked. changed is told each cached customer whose
// last-history date moved. 1 when the mail went out, else 0.
class CustomerMail {
 public:
  static constexpr const char* kNoneSelected = "メールを送る顧客を選択してください。";
  static constexpr const char* kNoIds = "送付対象者のメールアドレスが取得できませんでした。\n";
  static constexpr const char* kNoAddress = "送付対象者にメールアドレスがありません。\nメールを送れません。\n";
  static constexpr const char* kSomeWithout =
      "一部の送付対象者のメールアドレスがありませんが、このまま続けますか？\n※履歴に登録する場合は、全送付対象者の履歴に登録されます。";
  static constexpr const char* kConfirm = "%d件の顧客にメールを送ります。よろしいですか？";
  static constexpr const char* kHistoryFailed = "顧客への履歴登録に失敗しました。\n";
  static constexpr const char* kHistoryPartly = "一部の顧客への履歴登録に失敗しました。\n";

  CustomerMail(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path command = platform::MailCommand());
  int Send(const records::IdArray& selected, const records::COleDate& now,
           const std::function<void(std::int32_t)>& changed = {});

 private:
  ui::Ui& ui_;
  shell::CTovanaDoc& doc_;
  std::filesystem::path command_;
};

// Mail to one address from the card: the launcher, then the client with the address as To. The
// subject when the mail went out and a history entry was asked for (never on read-only data);
// nullopt otherwise.
std::optional<std::string> MailToAddress(ui::Ui& ui, const std::string& address, bool readOnly,
                                         const std::filesystem::path& command = platform::MailCommand());

// The history entry a mail leaves: "メール送信" with the subject as its details, dated now.
records::CRirekiData MailHistoryEntry(const std::string& subject, const records::COleDate& now);

}  // namespace dm
