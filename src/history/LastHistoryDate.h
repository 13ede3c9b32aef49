#pragma once
// The cached customers' last history date (RirekiUpDate) after history was stored for many of
// them at once: one pass over the cached list, however many customers were concerned.

#include <cstdint>
#include <functional>

#include "records/CKokyaku.h"
#include "records/CKokyakuVMData.h"
#include "records/COleDate.h"

namespace history {

// Sets RirekiUpDate of every cached customer whose ID is in ids to when; changed, when set, is told
// the ID of each customer changed, in the order of the cached list. IDs without a cached
// customer are passed over.
void RefreshLastHistoryDate(records::KokyakuList& customers, const records::IdArray& ids,
                            const records::COleDate& when, const std::function<void(std::int32_t)>& changed = {});

}  // namespace history
