// The document's bulk change of customers, kept apart from the one-customer operations.
#include <unordered_set>

#include "records/KokyakuColumns.h"
#include "shell/CTovanaDoc.h"

namespace shell {

int CTovanaDoc::ModifyCustomers(const records::IdArray& ids, records::IdArray& changed, std::string_view column,
                                const records::COleDate& now, std::string_view text, const std::int32_t* colour) {
  FinishLoading();
  if (!CanChangeCustomers()) return -1;
  const std::size_t before = changed.size();
  const int result = store_.ModifyKokyaku(ids, changed, column, now, text, colour);
  if (result == -1 || changed.size() == before) return result;
  const std::unordered_set<std::int32_t> done(changed.begin() + static_cast<std::ptrdiff_t>(before), changed.end());
  const records::KokyakuColumn* c = records::FindKokyakuColumn(column);
  const bool isColour = c && c->kind == records::ColumnKind::Colour;
  for (auto& customer : customers_) {
    if (!customer || !done.contains(customer->ID)) continue;
    // The same value the store wrote: the colour as given, a text through the column's own rule.
    if (isColour) {
      customer->ColorMark = *colour;
    } else {
      records::SetColumnFromText(*customer, column, text);
    }
    customer->LastUpDate = now;
  }
  return result;
}

}  // namespace shell
