#include "history/LastHistoryDate.h"

#include <unordered_map>

namespace history {

void RefreshLastHistoryDate(records::KokyakuList& customers, const records::IdArray& ids, const records::COleDate& when,
                            const std::function<void(std::int32_t)>& changed) {
  if (ids.empty() || customers.empty()) return;
  // A DM may have thousands of recipients among tens of thousands of customers: one pass to index.
  std::unordered_map<std::int32_t, records::CKokyaku*> byId;
  byId.reserve(customers.size());
  for (const auto& customer : customers) {
    if (customer) byId.emplace(customer->ID, customer.get());
  }
  for (std::int32_t id : ids) {
    const auto found = byId.find(id);
    if (found == byId.end()) continue;
    found->second->RirekiUpDate = when;
    if (changed) changed(id);
  }
}

}  // namespace history
