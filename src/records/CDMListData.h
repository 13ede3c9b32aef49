#pragma once
// One direct-mail title.

#include <cstdint>
#include <string>

#include "records/COleDate.h"

namespace records {

class CDMListData {
 public:
  friend bool operator==(const CDMListData&, const CDMListData&) = default;

  // The send method of a mailed DM; every other value means a printed one.
  static constexpr std::int32_t kMail = 1;

  COleDate SendDate;                     // 送付日 (the extraction dialect calls it DMList.Date)
  std::int32_t ID = 0;                   // DMList.ID
  std::int32_t SendMethod = 0;           // 1 メール送信, otherwise DM印刷
  std::int32_t Sent = 0;                 // 1 送付済み
  std::string Manager;                   // 送付管理者, 30 bytes
  std::string Title;                     // DMタイトル, 100 bytes
  std::string Content;                   // 内容, 50 bytes
  std::int32_t HistoryRegistered = 0;    // 1 = written into each recipient's history

  bool IsMail() const { return SendMethod == kMail; }
};

inline constexpr std::size_t kDMManagerLimit = 30;
inline constexpr std::size_t kDMTitleLimit = 100;
inline constexpr std::size_t kDMContentLimit = 50;

}  // namespace records
