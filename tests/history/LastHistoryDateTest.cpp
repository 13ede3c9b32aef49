#include "history/LastHistoryDate.h"

#include <gtest/gtest.h>

#include <vector>

namespace history {
namespace {

records::KokyakuList Customers(std::vector<std::int32_t> ids) {
  records::KokyakuList list;
  for (std::int32_t id : ids) {
    auto customer = std::make_unique<records::CKokyaku>();
    customer->ID = id;
    list.push_back(std::move(customer));
  }
  return list;
}

TEST(LastHistoryDate, SetsOnlyTheNamedCustomersAndReportsEachOnce) {
  records::KokyakuList customers = Customers({3, 7, 9, 12});
  const records::COleDate when = records::COleDate::FromCivil({2024, 5, 6, 10, 30});
  std::vector<std::int32_t> told;
  RefreshLastHistoryDate(customers, {9, 404, 3}, when, [&](std::int32_t id) { told.push_back(id); });
  EXPECT_EQ(told, (std::vector<std::int32_t>{9, 3}));
  EXPECT_EQ(customers[0]->RirekiUpDate, when);
  EXPECT_TRUE(customers[1]->RirekiUpDate.IsNull());
  EXPECT_EQ(customers[2]->RirekiUpDate, when);
  EXPECT_TRUE(customers[3]->RirekiUpDate.IsNull());
}

TEST(LastHistoryDate, NoIdsOrNoCustomersChangeNothingAndNeedNoCallback) {
  records::KokyakuList customers = Customers({1});
  RefreshLastHistoryDate(customers, {}, records::COleDate::Now());
  EXPECT_TRUE(customers[0]->RirekiUpDate.IsNull());
  records::KokyakuList none;
  RefreshLastHistoryDate(none, {1}, records::COleDate::Now());
  RefreshLastHistoryDate(customers, {1}, records::COleDate::FromCivil(2020, 1, 2));
  EXPECT_EQ(customers[0]->RirekiUpDate, records::COleDate::FromCivil(2020, 1, 2));
}

}  // namespace
}  // namespace history
