// The original-form backup: which files it takes, the container's bytes, and a restore that
// writes only the original-form files of the installation, all or none.
#include <gtest/gtest.h>

#include "maintenance/OriginalForms.h"
#include "platform/TempFolder.h"
#include "text/Cp932.h"

namespace maintenance {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class OriginalFormFiles : public ::testing::Test {
 protected:
  OriginalFormFiles() {
    fs::create_directories(Install() / "Data" / "MyData");
    fs::create_directories(Install() / "Data" / "Org");
    WriteBytes(Install() / "Data" / "MyData" / "Original.dat", "LIST");
    WriteBytes(Install() / "Data" / "Org" / "OrgNum.dat", "N");
    WriteBytes(Install() / "Data" / "Org" / "40001.org", "FORM1");
  }
  fs::path Install() const { return temp / "install"; }
  TempFolder temp;
};

TEST_F(OriginalFormFiles, OnlyExistingFilesOfTheFormsAreTaken) {
  EXPECT_EQ(OriginalFormNames(Install(), {40001, 40002}),
            (std::vector<std::string>{"\\Data\\MyData\\Original.dat", "\\Data\\Org\\OrgNum.dat", "\\Data\\Org\\40001.org"}));
}

TEST_F(OriginalFormFiles, StoredNamesOutsideTheFormFilesHaveNoPlace) {
  for (const char* name : {"\\Data\\Org\\..\\..\\x.org", "\\Data\\Org\\.org", "/etc/passwd", "\\Data\\Org\\4a.org",
                           "\\Data\\MyData\\Lumaro.dat", ""}) {
    EXPECT_FALSE(OriginalFormPath(Install(), name).has_value()) << name;
  }
  EXPECT_EQ(OriginalFormPath(Install(), "\\Data\\Org\\40001.org"), Install() / "Data" / "Org" / "40001.org");
}

TEST_F(OriginalFormFiles, BackupBytesAndRestoreRoundTrip) {
  const fs::path file = temp / "o.qmvobu";
  std::string why;
  const auto names = OriginalFormNames(Install(), {40001});
  ASSERT_EQ(WriteOriginalBackup(Install(), names, file, why), OriginalResult::Done) << why;
  std::string expected = text::ToCp932("顧客ソレル ｵﾘｼﾞﾅﾙﾌｫｰﾑﾊﾞｯｸｱｯﾌﾟ").value();
  // "\Data\MyData\Original.dat" 25 bytes, "\Data\Org\OrgNum.dat" 20, "\Data\Org\40001.org" 19.
  const std::size_t total = expected.size() + 12 + (4 + 25) + (4 + 20) + (4 + 19) + (4 + 4) + (4 + 1) + (4 + 5);
  PutU32(expected, 1);
  PutU32(expected, static_cast<std::uint32_t>(total));
  PutU32(expected, 3);
  for (const std::string& n : names) {
    PutU32(expected, static_cast<std::uint32_t>(n.size()));
    expected += n;
  }
  for (const char* c : {"LIST", "N", "FORM1"}) {
    PutU32(expected, static_cast<std::uint32_t>(std::string(c).size()));
    expected += c;
  }
  EXPECT_EQ(ReadBytes(file), expected);

  WriteBytes(Install() / "Data" / "Org" / "40001.org", "CHANGED");
  fs::remove(Install() / "Data" / "Org" / "OrgNum.dat");
  ASSERT_EQ(RestoreOriginalBackup(Install(), file, why), OriginalResult::Done) << why;
  EXPECT_EQ(ReadBytes(Install() / "Data" / "Org" / "40001.org"), "FORM1");
  EXPECT_EQ(ReadBytes(Install() / "Data" / "Org" / "OrgNum.dat"), "N");
}

TEST_F(OriginalFormFiles, DamagedBackupsChangeNothing) {
  const fs::path file = temp / "o.qmvobu";
  std::string why;
  ASSERT_EQ(WriteOriginalBackup(Install(), OriginalFormNames(Install(), {40001}), file, why), OriginalResult::Done);
  const std::string good = ReadBytes(file);
  std::string escaping = good;
  const std::size_t at = escaping.find("\\Data\\Org\\40001.org");
  escaping.replace(at, 19, "\\Data\\Org\\..\\..\\.org");
  const std::pair<std::string, OriginalResult> cases[] = {
      {good.substr(0, good.size() - 1), OriginalResult::BadFormat},
      {good + "x", OriginalResult::BadFormat},
      {"Z" + good.substr(1), OriginalResult::NotBackup},
      {escaping, OriginalResult::BadFormat},
  };
  WriteBytes(Install() / "Data" / "Org" / "40001.org", "NOW");
  for (const auto& [bytes, result] : cases) {
    WriteBytes(file, bytes);
    EXPECT_EQ(RestoreOriginalBackup(Install(), file, why), result);
    EXPECT_EQ(ReadBytes(Install() / "Data" / "Org" / "40001.org"), "NOW");
  }
}

}  // namespace
}  // namespace maintenance
