#pragma once
// From a rows table to new customer records: which customer columns the mapping offers, the rule
// each one follows, and the conversion of the rows under those rules (records/KokyakuColumns).

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "io/ImportTable.h"
#include "records/CKokyakuVMData.h"

namespace io {

// For each file column (index 1... as in the rows table; index 0 unused) the customer column mapped
// to it, or empty.
using ImportMapping = std::vector<std::string>;

// True when the mapping dialog offers the customer column: every column but ID, the registration
// dates, the numeric telephone columns, the colour mark, the pictures and the history date.
bool IsImportable(std::string_view column);

// The note "読み込めるデータについて" shows for a customer column; empty for one it does not offer.
std::string_view ImportRule(std::string_view column);

// The data rows of the table (row 0 dropped, and row 1 too unless fromFirstRow) as new customers,
// one per row, in order. Mapped cells go through the field rules; unmapped coded columns take
// their defaults (EntryType individual, TaxMethod not set, CommonMail 1). progress is asked every
// 1,000 rows with the rows done; false stops and gives no records.
records::KokyakuList ConvertRows(const ImportTable& rows, const ImportMapping& mapping, bool fromFirstRow,
                                 const std::function<bool(std::size_t)>& progress = {});

// A new customer with every coded column at its unmapped value.
records::CKokyaku NewImportedCustomer();

// Sets one column from an imported cell under the field rules. A two-digit year ("64/03/26", as
// spreadsheets export their "yy/mm/dd" dates) reads as 1930 to 2029.
void SetImportedColumn(records::CKokyaku& k, std::string_view column, std::string_view cell);

}  // namespace io
