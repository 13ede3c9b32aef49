#pragma once
// The last-history date refresh: after a DM's sending history changed in the database (by the
// store, which also moved RirekiUpDate there), the document's in-memory customers follow, so the
// customer list shows the same "最終履歴更新日" as the database holds.

#include <cstdint>
#include <functional>

#include "records/COleDate.h"
#include "records/CKokyakuVMData.h"

namespace history {

// Sets RirekiUpDate of every customer of `customers` whose ID is in ids to when, and tells
// changed (when given) the ID of each customer it set, so a list can redraw that row. IDs not in
// the list are skipped.
void RefreshLastHistoryDate(records::KokyakuList& customers, const records::IdArray& ids, const records::COleDate& when,
                            const std::function<void(std::int32_t)>& changed = {});

}  // namespace history
