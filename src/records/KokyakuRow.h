#pragma once
// How a customer record meets a row of the Customer table: the statements, the bindings and the
// reading, all driven by the column table.

#include <string>
#include <vector>

#include "records/CKokyaku.h"
#include "records/KokyakuColumns.h"
#include "records/Sqlite.h"

namespace records {

// INSERT of every column but ID, then TEL_Home_X and TEL_Office_X: 72 parameters.
const std::string& KokyakuInsertSql();
// UPDATE of the same 72 columns; parameter 73 is the ID.
const std::string& KokyakuUpdateSql();
// Binds parameters 1 to 72 of either statement.
bool BindKokyaku(sqlite::Statement& statement, const CKokyaku& customer);
// Binds one column's field of a record (text without copying: the record must outlive the step).
bool BindColumn(sqlite::Statement& statement, int index, const CKokyaku& customer, const KokyakuColumn& column);
// The number of parameters BindKokyaku fills.
int KokyakuParameterCount();

// Reads customers from any statement whose result columns are named after customer columns
// (unknown result columns are skipped).
class KokyakuReader {
 public:
  explicit KokyakuReader(const sqlite::Statement& statement);
  void Read(const sqlite::Statement& statement, CKokyaku& customer) const;

 private:
  struct Slot {
    int column;
    const KokyakuColumn* field;
  };
  std::vector<Slot> slots_;
};

// A date as a parameter: its day count, or NULL unless valid.
bool BindDate(sqlite::Statement& statement, int index, const COleDate& date);
COleDate ColumnDate(const sqlite::Statement& statement, int column);

}  // namespace records
