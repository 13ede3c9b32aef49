#pragma once
// A list of history entries that a history dialog steps through: the card pane's history of the
// shown customer, or the history list screen. Entries are handed out as copies, because the list
// may be rebuilt after a save.

#include <cstdint>
#include <optional>

#include "records/CRirekiData.h"

namespace history {

// The entry a step reached, and whether a further step the same way is possible.
struct RirekiStep {
  records::CRirekiData entry;
  bool further = false;
};

// The entry selected by its identifier, and whether it has a predecessor and a successor.
struct RirekiPlace {
  records::CRirekiData entry;
  bool hasPrevious = false;
  bool hasNext = false;
};

class CRirekiStepSource {
 public:
  virtual ~CRirekiStepSource() = default;
  // Moves the selection one entry back (step < 0) or on (step > 0) and returns that entry;
  // nullopt, the selection unchanged, when nothing is selected or there is no such neighbour.
  virtual std::optional<RirekiStep> StepRireki(int step) = 0;
  // Selects the entry with this history identifier; nullopt when the list does not hold it.
  virtual std::optional<RirekiPlace> SelectRireki(std::int32_t historyId) = 0;
};

}  // namespace history
