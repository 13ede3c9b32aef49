#pragma once
// One recipient of a direct mail, with the three texts its recipient list shows.

#include <cstdint>
#include <string>

namespace records {

class CDMMngData {
 public:
  friend bool operator==(const CDMMngData&, const CDMMngData&) = default;

  std::int32_t ID = 0;  // the recipient's Customer.ID
  std::string CustomerID, Name, CompName;
};

}  // namespace records
