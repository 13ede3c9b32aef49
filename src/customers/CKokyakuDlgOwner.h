#pragma once
// What the customer entry dialogs need of the screen that opened them: saving through it (so its
// rows stay equal to the database), stepping through its customers, the read-only flag, where
// pictures are found and the lookups. The customer list screen and the menu screen implement it.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "records/CKokyaku.h"

namespace lookup {
class CLookupFacility;
}

namespace customers {

// The customer a step reached, and whether a further step the same way is possible.
struct KokyakuStep {
  records::CKokyaku customer;
  bool further = false;
};

// The customer selected by its ID, and whether it has a predecessor and a successor.
struct KokyakuPlace {
  records::CKokyaku customer;
  bool hasPrevious = false;
  bool hasNext = false;
};

class CKokyakuDlgOwner {
 public:
  virtual ~CKokyakuDlgOwner() = default;
  // Adds the customer (pictures stored first) and selects it. The new ID (> 0), customer then
  // holding what was stored; a value below 1 when the store failed or the data is read-only.
  virtual int AddKokyaku(records::CKokyaku& customer) = 0;
  // Rewrites customer id with customer. 1, customer then holding what was stored; any other
  // value is a failure.
  virtual int ModifyKokyaku(std::int32_t id, records::CKokyaku& customer) = 0;
  // Moves the selection one customer back (step < 0) or on (step > 0); nullopt, the selection
  // unchanged, when nothing is selected or there is no such neighbour.
  virtual std::optional<KokyakuStep> StepKokyaku(int step) = 0;
  // Selects the customer with this ID; nullopt when the list does not hold it.
  virtual std::optional<KokyakuPlace> SelectKokyaku(std::int32_t id) = 0;
  // True while past data is viewed: nothing may be written.
  virtual bool IsReadOnly() const = 0;
  // The folder that stored picture names are relative to.
  virtual std::filesystem::path PictureFolder() const = 0;
  // The postal and phone lookups; null when the program has none (the lookups then refuse).
  virtual lookup::CLookupFacility* Lookups() = 0;
};

}  // namespace customers
