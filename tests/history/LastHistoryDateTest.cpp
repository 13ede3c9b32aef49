// The cached customers' last history date after history was stored for many at once.
#include "history/LastHistoryDate.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace history {
namespace {

using records::COleDate;

TEST(LastHistoryDate, OnlyTheNamedCustomersMoveAndEachIsToldOnceInListOrder) {
  const COleDate old = COleDate::FromCivil(2020, 1, 1), when = COleDate::FromCivil({2026, 12, 9, 8, 0, 0});
  struct Case {
    const char* name;
    records::IdArray ids;
    std::vector<std::int32_t> told;
  };
  const std::vector<Case> cases = {
      {"none", {}, {}},
      {"some, out of order", {5, 1}, {1, 5}},
      {"twice and unknown", {3, 3, 99}, {3}},
      {"all", {5, 4, 3, 2, 1}, {1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    records::KokyakuList customers;
    for (std::int32_t id = 1; id <= 5; ++id) {
      customers.push_back(std::make_unique<records::CKokyaku>());
      customers.back()->ID = id;
      customers.back()->RirekiUpDate = old;
    }
    customers.push_back(nullptr);  // a freed slot is passed over
    std::vector<std::int32_t> told;
    RefreshLastHistoryDate(customers, c.ids, when, [&told](std::int32_t id) { told.push_back(id); });
    EXPECT_EQ(told, c.told);
    for (const auto& k : customers) {
      if (!k) continue;
      const bool named = std::find(c.ids.begin(), c.ids.end(), k->ID) != c.ids.end();
      EXPECT_EQ(k->RirekiUpDate, named ? when : old) << k->ID;
    }
  }
  records::KokyakuList one;
  one.push_back(std::make_unique<records::CKokyaku>());
  one.back()->ID = 7;
  RefreshLastHistoryDate(one, {7}, when);  // no one to tell
  EXPECT_EQ(one.back()->RirekiUpDate, when);
}

}  // namespace
}  // namespace history
