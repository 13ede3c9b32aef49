#include "customers/CKokyakuDocOwner.h"

#include <memory>

namespace customers {

int CKokyakuDocOwner::AddKokyaku(records::CKokyaku& customer) {
  auto record = std::make_unique<records::CKokyaku>(customer);
  record->ID = 0;
  const int id = doc_.AddCustomer(record);
  if (id < 1) return id;
  // The document's list now owns the record; its head is the customer just added.
  customer = *doc_.Customers().front();
  selected_ = id;
  return id;
}

int CKokyakuDocOwner::ModifyKokyaku(std::int32_t id, records::CKokyaku& customer) {
  auto record = std::make_unique<records::CKokyaku>(customer);
  const int result = doc_.ModifyCustomer(id, record);
  if (result != 1) return result;
  for (const auto& k : doc_.Customers()) {
    if (k->ID == id) customer = *k;
  }
  selected_ = id;
  return 1;
}

int CKokyakuDocOwner::SelectedIndex() const {
  const auto& list = doc_.Customers();
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i]->ID == selected_) return static_cast<int>(i);
  }
  return -1;
}

std::optional<KokyakuStep> CKokyakuDocOwner::StepKokyaku(int step) {
  const int at = SelectedIndex();
  if (at < 0 || step == 0) return std::nullopt;
  const auto& list = doc_.Customers();
  const int to = at + (step < 0 ? -1 : 1);
  if (to < 0 || to >= static_cast<int>(list.size())) return std::nullopt;
  selected_ = list[static_cast<std::size_t>(to)]->ID;
  const bool further = step < 0 ? to > 0 : to + 1 < static_cast<int>(list.size());
  return KokyakuStep{*list[static_cast<std::size_t>(to)], further};
}

std::optional<KokyakuPlace> CKokyakuDocOwner::SelectKokyaku(std::int32_t id) {
  const std::int32_t before = selected_;
  selected_ = id;
  const int at = SelectedIndex();
  if (at < 0) {
    selected_ = before;
    return std::nullopt;
  }
  const auto& list = doc_.Customers();
  return KokyakuPlace{*list[static_cast<std::size_t>(at)], at > 0, at + 1 < static_cast<int>(list.size())};
}

}  // namespace customers
