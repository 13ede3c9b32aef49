#pragma once
// The entry dialogs' owner over the document: saves through its AddCustomer and ModifyCustomer
// and steps through its customer list in the list's order. The customer list screen reuses it.

#include <cstdint>
#include <optional>

#include "customers/CKokyakuDlgOwner.h"
#include "shell/CTovanaDoc.h"

namespace customers {

class CKokyakuDocOwner : public CKokyakuDlgOwner {
 public:
  // doc and lookups (may be null) must outlive the owner.
  CKokyakuDocOwner(shell::CTovanaDoc& doc, lookup::CLookupFacility* lookups) : doc_(doc), lookups_(lookups) {}

  int AddKokyaku(records::CKokyaku& customer) override;
  int ModifyKokyaku(std::int32_t id, records::CKokyaku& customer) override;
  std::optional<KokyakuStep> StepKokyaku(int step) override;
  std::optional<KokyakuPlace> SelectKokyaku(std::int32_t id) override;
  bool IsReadOnly() const override { return doc_.IsReadOnly(); }
  std::filesystem::path PictureFolder() const override { return doc_.PictureFolder(); }
  lookup::CLookupFacility* Lookups() override { return lookups_; }

  // The selected customer's ID; 0 when none.
  std::int32_t Selected() const { return selected_; }

 private:
  // The selected customer's place in the document's list; -1 when it is not there.
  int SelectedIndex() const;

  shell::CTovanaDoc& doc_;
  lookup::CLookupFacility* lookups_;
  std::int32_t selected_ = 0;
};

}  // namespace customers
