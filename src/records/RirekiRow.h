#pragma once
// How a history entry meets a row of the Rireki table.

#include <string_view>
#include <vector>

#include "records/CRirekiData.h"
#include "records/Sqlite.h"

namespace records {

// The columns of Rireki a history record is read from, in this order, for SELECTs of our own.
inline constexpr std::string_view kRirekiColumns =
    "Rireki.ID, Rireki.CustomerID, Rireki.Date, Rireki.ActionTitle, Rireki.Action, Rireki.Money, "
    "Rireki.Keyword, Rireki.TantouName, Rireki.Picture";

// Reads history entries from any statement whose result columns are named after Rireki columns.
class RirekiReader {
 public:
  explicit RirekiReader(const sqlite::Statement& statement);
  void Read(const sqlite::Statement& statement, CRirekiData& entry) const;

 private:
  enum class Field { ID, CustomerID, Date, ActionTitle, Action, Money, Keyword, TantouName, Picture };
  struct Slot {
    int column;
    Field field;
  };
  std::vector<Slot> slots_;
};

}  // namespace records
