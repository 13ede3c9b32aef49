#pragma once
// What the history list hands to form printing: the distinct customers of the selected entries
// and, for a customer card with its history (form genre 4), each customer's selected entries.

#include <vector>

#include "history/CRirekiList.h"
#include "ui/Ui.h"

namespace history {

struct RirekiPrintSelection {
  // The customers of the selected rows, each once, in the order their first row is listed; a row
  // whose customer is not in the customer list adds none.
  std::vector<const records::CKokyaku*> customers;
  // Per customer, in the same order, its selected entries in list order (for form genre 4).
  std::vector<std::vector<const records::CRirekiData*>> entries;
};

RirekiPrintSelection CollectPrintSelection(const CRirekiList& list);

// Once the print dialog asked for a history entry of the print: tells the user when it will show
// (writable data) or that it cannot be left (read-only data, the print goes on without it).
// Whether the entry is to be left.
bool LeaveHistoryNotice(ui::Ui& ui, bool readOnly);

}  // namespace history
