#pragma once
// What a start does with the work copy "ZQQMV2.qmv2" of a run that did not end normally (a crash,
// a kill, a power cut, a save that failed at close). The copy holds that run's work up to its last
// reported change, so it is never deleted outright: unless another process holds it, it is moved
// with its journal to a dated folder "Recovered/<yyyymmdd-hhmmss>/ZQQMV.qmv" of the data folder,
// where it can be restored now or opened as past data later. The newest five folders are kept.

#include <ctime>
#include <filesystem>
#include <string>

namespace records {

enum class Leftover {
  Gone,       // no work copy (any more): open the folder as usual
  InUse,      // another process holds it: nothing was touched
  Failed,     // it could not be examined or moved: nothing was lost; `why` says what failed
  Damaged,    // unreadable or not one of our databases: moved to `copy`
  Unchanged,  // the same database as "ZQQMV.qmv": nothing to recover, so it was removed
  HoldsWork,  // sound, and different from "ZQQMV.qmv": moved to `copy`, to be offered
};

struct LeftoverReport {
  Leftover state = Leftover::Gone;
  std::filesystem::path copy;  // the moved copy, for Damaged and HoldsWork
  std::string why;
};

inline constexpr const char* kRecoveredFolderName = "Recovered";
inline constexpr std::size_t kRecoveredKept = 5;

// Examines dataFolder's leftover work copy under SQLite's exclusive lock (which also rolls back a
// transaction it was in the middle of) and moves it out of the way as described above. `now`
// names the dated folder.
LeftoverReport SetAsideWorkCopy(const std::filesystem::path& dataFolder, std::time_t now = std::time(nullptr));

// Removes all but the `keep` newest dated folders under dataFolder/"Recovered".
void PruneRecovered(const std::filesystem::path& dataFolder, std::size_t keep = kRecoveredKept);

}  // namespace records
