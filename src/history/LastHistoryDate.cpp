#include "history/LastHistoryDate.h"

#include <unordered_set>

namespace history {

void RefreshLastHistoryDate(records::KokyakuList& customers, const records::IdArray& ids, const records::COleDate& when,
                            const std::function<void(std::int32_t)>& changed) {
  const std::unordered_set<std::int32_t> wanted(ids.begin(), ids.end());
  for (const auto& k : customers) {
    if (!k || !wanted.contains(k->ID)) continue;
    k->RirekiUpDate = when;
    if (changed) changed(k->ID);
  }
}

}  // namespace history
