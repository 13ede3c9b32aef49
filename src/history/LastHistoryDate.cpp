#include "history/LastHistoryDate.h"

#include <unordered_set>

namespace history {

void RefreshLastHistoryDate(records::KokyakuList& customers, const records::IdArray& ids,
                            const records::COleDate& when, const std::function<void(std::int32_t)>& changed) {
  if (ids.empty()) return;
  const std::unordered_set<std::int32_t> wanted(ids.begin(), ids.end());
  for (auto& customer : customers) {
    if (!customer || !wanted.contains(customer->ID)) continue;
    customer->RirekiUpDate = when;
    if (changed) changed(customer->ID);
  }
}

}  // namespace history
