#pragma once
// A document on a new data folder: the factory column labels, a new empty database opened by
// InitDB, and a user profile in the temporary folder.

#include <gtest/gtest.h>

#include "platform/CProfile.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "settings/SettingsTestSupport.h"
#include "shell/CTovanaDoc.h"

namespace shell::test {

class DocumentFolderTest : public settings::test::SettingsFolderTest {
 protected:
  DocumentFolderTest() {
    PlaceColumnSet();
    EXPECT_EQ(records::CQmvFile::CreateDatabaseFile(Data() / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
    doc.SetDataFolder(Data());
    EXPECT_EQ(doc.Store().InitDB(Data()), 1) << doc.Store().DispOleDBErrDlg();
  }

  platform::CProfile profile{temp / "user.ini"};
  CTovanaDoc doc{ui, Install(), &profile};
};

}  // namespace shell::test
