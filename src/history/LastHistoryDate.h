#pragma once
// After history was written for many customers at once (a print, a mailing), the cached
// customers carry the new last-history date, so the list shows it without reloading.

#include <cstdint>
#include <functional>

#include "records/CKokyakuVMData.h"
#include "records/COleDate.h"

namespace history {

// Sets RirekiUpDate of every customer of customers whose ID is in ids to when; changed is told
// the ID of each customer changed (a list redraws its row).
void RefreshLastHistoryDate(records::KokyakuList& customers, const records::IdArray& ids, const records::COleDate& when,
                            const std::function<void(std::int32_t)>& changed = {});

}  // namespace history
