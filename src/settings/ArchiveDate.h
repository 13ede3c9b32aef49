#pragma once
// A date as the archive holds it: the OLE date's status (0 = valid) and its value, a double of
// days since 1899-12-30. The records layer converts between this and its own date type.

#include <cstdint>

namespace settings {

struct ArchiveDate {
  std::int32_t status = 0;
  double value = 0.0;

  friend bool operator==(const ArchiveDate&, const ArchiveDate&) = default;
};

}  // namespace settings
