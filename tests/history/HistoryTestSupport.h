#pragma once
// One customer, 山田　太郎, in a new database, and the history owner the dialogs save through,
// with the clock stopped at kNow.

#include <gtest/gtest.h>

#include <cstdint>

#include "history/CRirekiListOwner.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "settings/SettingsTestSupport.h"

namespace history::test {

inline const records::COleDate kNow = records::COleDate::FromCivil({2026, 12, 8, 10, 30, 0});

class HistoryFolderTest : public settings::test::SettingsFolderTest {
 protected:
  HistoryFolderTest() {
    EXPECT_EQ(records::CQmvFile::CreateDatabaseFile(Data() / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
    EXPECT_EQ(store.InitDB(Data()), 1) << store.DispOleDBErrDlg();
    records::CKokyaku k;
    k.Name = "山田　太郎";
    customer = store.AddNewKokyaku(k);
    EXPECT_EQ(store.GetAllKokyaku(customers), 1);
  }

  records::CKokyakuVMData store;
  records::KokyakuList customers;
  std::int32_t customer = 0;
  CRirekiListOwner owner{ui, store, customers, Data() / "Picture", false, Install(), [] { return kNow; }};
};

}  // namespace history::test
