#pragma once
// One extraction condition: what it selects, the columns its result shows, its SQL and the up to
// three conditions it was built from. Each condition array is [0] field expression, [1] value,
// [2] operator template, and [3] "AND" or "OR" only when a next condition follows.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/CSerializable.h"

namespace settings {

class CExCondition : public CSerializable {
 public:
  enum ResultType : std::int32_t { kCustomers = 0, kHistory = 1 };

  void Serialize(CArchive& ar) override;
  std::string_view GetClassName() const override { return "CExCondition"; }

  // Result type 0 and every string and array emptied.
  void Clear() { *this = CExCondition(); }
  void CopyFrom(const CExCondition& other) { *this = other; }
  friend bool operator==(const CExCondition& a, const CExCondition& b) {
    return a.resultType == b.resultType && a.displayColumns == b.displayColumns && a.sql == b.sql &&
           a.name == b.name && a.conditionA == b.conditionA && a.conditionB == b.conditionB &&
           a.conditionC == b.conditionC;
  }

  std::int32_t resultType = kCustomers;
  std::vector<std::string> displayColumns;  // empty: the list's normal columns
  std::string sql;
  std::string name;                         // empty until saved
  std::vector<std::string> conditionA, conditionB, conditionC;
};

}  // namespace settings
