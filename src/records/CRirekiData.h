#pragma once
// One history entry of a customer: a contact, a print, a mailing.

#include <cstdint>
#include <string>

#include "records/COleDate.h"

namespace records {

class CRirekiData {
 public:
  void Clear() { *this = CRirekiData(); }
  friend bool operator==(const CRirekiData&, const CRirekiData&) = default;

  std::string Action;       // 詳細, 2000 bytes
  std::string ActionTitle;  // 概要, 100 bytes
  std::int32_t CustomerID = 0;
  COleDate Date;            // to the minute, years 100 to 9999
  std::int32_t ID = 0;
  std::string Keyword;      // 255 bytes
  double Money = 0;         // -1e8 to 1e12
  std::string Picture;      // file name in the picture store
  std::string TantouName;   // 30 bytes
};

inline constexpr std::size_t kActionLimit = 2000;
inline constexpr std::size_t kActionTitleLimit = 100;
inline constexpr std::size_t kKeywordLimit = 255;
inline constexpr std::size_t kRirekiTantouLimit = 30;

// An amount as the program shows it: "%.2f" without trailing zeros or point; 0 shows "0".
std::string AmountText(double amount);

}  // namespace records
