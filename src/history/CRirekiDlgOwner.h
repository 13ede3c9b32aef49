#pragma once
// What the history entry dialog needs of the screen that opened it: saving through the data store
// (which keeps the cached customer's RirekiUpDate and the shown history in step), stepping through
// the shown history, and where pictures are kept. The customer list screen implements it.

#include <cstdint>
#include <filesystem>
#include <memory>

#include "history/CRirekiStepSource.h"
#include "records/CRirekiData.h"

namespace history {

class CRirekiDlgOwner : public CRirekiStepSource {
 public:
  // Stores a new entry for the customer, its picture first brought into the picture folder; the
  // owner takes the record either way. The new history identifier (> 0), or a value below 1 when
  // the data is read-only (after the owner's message) or the store failed.
  virtual int AddRireki(std::int32_t customerId, std::unique_ptr<records::CRirekiData> entry) = 0;
  // Rewrites entry historyId with entry, whose Picture becomes the stored name. 1 on success;
  // any other value is a failure (-1 when read-only, after the owner's message).
  virtual int ModifyRireki(std::int32_t historyId, records::CRirekiData& entry) = 0;
  // True while past data is viewed: nothing may be written.
  virtual bool IsReadOnly() const = 0;
  // The folder that stored picture names are relative to.
  virtual std::filesystem::path PictureFolder() const = 0;
};

}  // namespace history
