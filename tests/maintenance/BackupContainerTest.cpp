// The backup files byte by byte: a known small data folder, the picture volumes and their split,
// and every damage a reader must refuse before it writes anything.
#include <gtest/gtest.h>

#include <cerrno>
#include <map>

#include "maintenance/BackupFormat.h"
#include "maintenance/DataBackup.h"
#include "maintenance/DataRestore.h"
#include "platform/FileFaults.h"
#include "platform/TempFolder.h"
#include "text/Cp932.h"

namespace maintenance {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string U32(std::uint32_t v) {
  std::string s;
  PutU32(s, v);
  return s;
}

std::string Sjis(std::string_view utf8) { return text::ToCp932(utf8).value(); }

class BackupContainer : public ::testing::Test {
 protected:
  BackupContainer() {
    fs::create_directories(Data());
    fs::create_directories(Out());
  }
  fs::path Data() const { return temp / "data"; }
  fs::path Out() const { return temp / "out"; }
  void Put(const std::string& name, const std::string& bytes) { WriteBytes(Data() / name, bytes); }
  void PutPicture(const std::string& name, const std::string& bytes) {
    fs::create_directories(Data() / "Picture");
    WriteBytes(Data() / "Picture" / name, bytes);
  }
  BackupReport Backup(std::string_view base = "b") { return WriteDataBackup(Data(), Out(), base); }

  TempFolder temp;
};

TEST_F(BackupContainer, KnownFolderGivesTheseBytes) {
  Put("ZQQMV.qmv", "DB");
  Put("QMVColSet.sys", "COLS");
  Put("DefOrder.dat", "");        // empty: left out
  Put("Unlisted.txt", "nothing");  // not a data file: left out
  const BackupReport report = Backup("顧客_2026129101112");
  ASSERT_EQ(report.status, BackupStatus::Done) << report.why;
  EXPECT_EQ(report.pictures, PictureStatus::None);

  std::string expected = Sjis("顧客ソレル ﾃﾞｰﾀﾊﾞｯｸｱｯﾌﾟ");
  const std::uint32_t total = static_cast<std::uint32_t>(expected.size() + 12 + (4 + 9) + (4 + 13) + (4 + 2) + (4 + 4) + 4);
  expected += U32(1) + U32(total) + U32(2);
  expected += U32(9) + "ZQQMV.qmv" + U32(13) + "QMVColSet.sys";
  expected += U32(2) + "DB" + U32(4) + "COLS";
  expected += U32(0);
  EXPECT_EQ(ReadBytes(Out() / "顧客_2026129101112.qmvdbu"), expected);
  EXPECT_EQ(report.totalLength, total);
  EXPECT_EQ(expected.size(), total);
  EXPECT_EQ(std::distance(fs::directory_iterator(Out()), fs::directory_iterator()), 1);
}

TEST_F(BackupContainer, PicturesGoIntoVolumesBesideTheBackup) {
  Put("ZQQMV.qmv", "DB");
  PutPicture("a.jpg", "AAA");
  PutPicture("写真.png", "");
  fs::create_directories(Data() / "Picture" / "sub");  // not recursive
  WriteBytes(Data() / "Picture" / "sub" / "x.jpg", "X");
  const BackupReport report = Backup();
  ASSERT_EQ(report.status, BackupStatus::Done) << report.why;
  EXPECT_EQ(report.pictures, PictureStatus::Done);
  EXPECT_EQ(report.volumes, 1u);
  const std::string name = Sjis("写真.png");
  EXPECT_EQ(ReadBytes(Out() / "b_1.qmvpbu"), Sjis("顧客ソレル 画像ﾊﾞｯｸｱｯﾌﾟ") + U32(2) + U32(5) + "a.jpg" + U32(3) + "AAA" +
                                                U32(static_cast<std::uint32_t>(name.size())) + name + U32(0));
  const std::string backup = ReadBytes(Out() / "b.qmvdbu");
  EXPECT_EQ(backup.substr(backup.size() - 4), U32(1));
}

TEST(PictureVolumes, SplitAtTheLimitWithAnOversizedPictureAlone) {
  const std::uint64_t empty = PictureVolumeMagic().size() + 4;
  // Each entry of a one-byte name takes 1 + size + 8.
  const auto item = [](std::uint64_t size) { return ContainerItem{"n", size}; };
  struct Case {
    std::uint64_t limit;
    std::vector<std::uint64_t> sizes;
    std::vector<std::vector<std::size_t>> volumes;
  };
  const std::vector<Case> cases = {
      {empty + 20, {11}, {{0}}},                  // exactly at the limit: fits
      {empty + 20, {11, 1}, {{0}, {1}}},          // the next one would pass it
      {empty + 20, {1, 1}, {{0, 1}}},             // 10 + 10
      {empty + 20, {100, 1, 100}, {{0}, {1}, {2}}},  // oversized pictures each alone
      {empty + 20, {}, {}},
  };
  for (const Case& c : cases) {
    std::vector<ContainerItem> items;
    for (auto s : c.sizes) items.push_back(item(s));
    EXPECT_EQ(SplitIntoVolumes(items, c.limit), c.volumes) << "limit " << c.limit << ", " << c.sizes.size() << " pictures";
  }
}

TEST(BackupNames, BaseNameIsUnpaddedLocalTime) {
  std::tm t{};
  t.tm_year = 2026 - 1900, t.tm_mon = 0, t.tm_mday = 5, t.tm_hour = 7, t.tm_min = 3, t.tm_sec = 9, t.tm_isdst = -1;
  EXPECT_EQ(DataBackupBaseName(std::mktime(&t)), "顧客_202615739");
  EXPECT_EQ(PictureVolumeName("顧客_1", 2), "顧客_1_2.qmvpbu");
}

// Damage to a good backup: each is refused before any data file is written.
TEST_F(BackupContainer, DamagedBackupsAreRefusedWithoutTouchingTheData) {
  Put("ZQQMV.qmv", "DB");
  Put("QMVColSet.sys", "COLS");
  ASSERT_EQ(Backup().status, BackupStatus::Done);
  const std::string good = ReadBytes(Out() / "b.qmvdbu");
  const std::size_t magic = DataBackupMagic().size();
  const auto withTotal = [&](std::string bytes) {
    bytes.replace(magic + 4, 4, U32(static_cast<std::uint32_t>(bytes.size())));
    return bytes;
  };
  std::string badName = good;
  badName.replace(magic + 16, 9, "../x.qmv.");  // same length, not a data file
  std::string version2 = good;
  version2.replace(magic, 4, U32(2));
  std::string wrongMagic = good;
  wrongMagic[0] ^= 1;
  const std::map<std::string, std::pair<std::string, RestoreStatus>> cases = {
      {"truncated by one byte", {good.substr(0, good.size() - 1), RestoreStatus::BadFormat}},
      {"extended by one byte", {good + "x", RestoreStatus::BadFormat}},
      {"trailing count missing", {withTotal(good.substr(0, good.size() - 4)), RestoreStatus::BadFormat}},
      {"bytes after the count", {withTotal(good + "xxxx"), RestoreStatus::BadFormat}},
      {"name outside the data files", {badName, RestoreStatus::BadFormat}},
      {"version 2", {version2, RestoreStatus::BadFormat}},
      {"magic differs", {wrongMagic, RestoreStatus::NotBackup}},
      {"shorter than the magic", {good.substr(0, 3), RestoreStatus::NotBackup}},
      {"head only", {good.substr(0, magic + 6), RestoreStatus::BadFormat}},
  };
  Put("ZQQMV.qmv", "now");
  Put("QMVColSet.sys", "current");
  for (const auto& [what, c] : cases) {
    WriteBytes(Out() / "bad.qmvdbu", c.first);
    const RestoreReport report = RestoreFromBackup(Data(), Out() / "bad.qmvdbu");
    EXPECT_EQ(report.status, c.second) << what;
    EXPECT_FALSE(report.touched) << what;
    EXPECT_EQ(ReadBytes(Data() / "ZQQMV.qmv"), "now") << what;
    EXPECT_FALSE(fs::exists(temp / "x.qmv.")) << what;
  }
}

TEST_F(BackupContainer, BackupThenRestoreGivesEveryFileBackByteForByte) {
  std::vector<std::string> names = {"ZQQMV.qmv", "QMVColSet.sys", "QMVDispCol.sys", "RirekiType.dat", "RirekiWord.dat",
                                    "DMType.dat", "KImportant.dat", "KRank1.dat", "KRank2.dat", "KPayMeth.dat",
                                    "KCompType.dat", "Tantou.dat", "QMVExtract.sys", "DefKokyaku.dat", "DefOrder.dat"};
  std::map<std::string, std::string> saved;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string bytes(1000 * (i + 1) + 17, '\0');
    for (std::size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<char>((k * 31 + i) & 0xff);
    Put(names[i], bytes);
    saved[names[i]] = bytes;
  }
  PutPicture("p1.jpg", std::string(5000, 'p'));
  PutPicture("顔.jpg", std::string(7, 'k'));
  ASSERT_EQ(Backup().status, BackupStatus::Done);

  for (const std::string& n : names) Put(n, "changed " + n);
  PutPicture("p1.jpg", "changed");
  PutPicture("later.jpg", "added after the backup");
  const RestoreReport report = RestoreFromBackup(Data(), Out() / "b.qmvdbu");
  ASSERT_EQ(report.status, RestoreStatus::Done) << report.why;
  for (const std::string& n : names) EXPECT_EQ(ReadBytes(Data() / n), saved[n]) << n;
  EXPECT_EQ(ReadBytes(Data() / "Picture" / "p1.jpg"), std::string(5000, 'p'));
  EXPECT_EQ(ReadBytes(Data() / "Picture" / "顔.jpg"), std::string(7, 'k'));
  EXPECT_EQ(ReadBytes(Data() / "Picture" / "later.jpg"), "added after the backup");
}

TEST_F(BackupContainer, AnEmptyDataFileStaysOutAndKeepsItsContentOnRestore) {
  Put("ZQQMV.qmv", "DB");
  Put("Tantou.dat", "");
  ASSERT_EQ(Backup().status, BackupStatus::Done);
  Put("Tantou.dat", "staff added later");
  ASSERT_EQ(RestoreFromBackup(Data(), Out() / "b.qmvdbu").status, RestoreStatus::Done);
  EXPECT_EQ(ReadBytes(Data() / "Tantou.dat"), "staff added later");
}

TEST_F(BackupContainer, NoDataFilesIsReportedAndNothingWritten) {
  Put("DefOrder.dat", "");
  EXPECT_EQ(Backup().status, BackupStatus::NoFiles);
  EXPECT_TRUE(fs::is_empty(Out()));
}

TEST_F(BackupContainer, PictureVolumeDamageIsReportedPerKind) {
  Put("ZQQMV.qmv", "DB");
  PutPicture("a.jpg", "AAAA");
  ASSERT_EQ(Backup().status, BackupStatus::Done);
  const std::string volume = ReadBytes(Out() / "b_1.qmvpbu");
  const std::size_t magic = PictureVolumeMagic().size();
  std::string escaping = volume;
  escaping.replace(magic + 8, 5, "../aa");
  struct Case {
    const char* what;
    std::optional<std::string> bytes;  // nullopt: no volume file
    PictureRestoreError error;
  };
  const std::vector<Case> cases = {
      {"missing", std::nullopt, PictureRestoreError::VolumeMissing},
      {"magic short", volume.substr(0, 4), PictureRestoreError::BadFormat},
      {"magic differs", "X" + volume.substr(1), PictureRestoreError::NotPictures},
      {"count short", volume.substr(0, magic + 2), PictureRestoreError::BadFormat},
      {"picture short", volume.substr(0, volume.size() - 1), PictureRestoreError::BadFormat},
      {"name leaves the folder", escaping, PictureRestoreError::BadFormat},
  };
  for (const Case& c : cases) {
    fs::remove(Out() / "b_1.qmvpbu");
    if (c.bytes) WriteBytes(Out() / "b_1.qmvpbu", *c.bytes);
    const RestoreReport report = RestoreFromBackup(Data(), Out() / "b.qmvdbu");
    EXPECT_EQ(report.status, RestoreStatus::PicturesFailed) << c.what;
    EXPECT_EQ(report.picture, c.error) << c.what;
  }
  EXPECT_FALSE(fs::exists(Data() / "aa"));
}

TEST_F(BackupContainer, AFullDiskWhileWritingVolumesStillCompletesTheDataBackupWithoutPictures) {
  Put("ZQQMV.qmv", "DB");
  PutPicture("a.jpg", "AAAA");
  testing_support::ScopedFileFault full(platform::FileOp::Write, 1, ENOSPC, ".qmvpbu");
  const BackupReport report = Backup();
  EXPECT_TRUE(full.Fired());
  ASSERT_EQ(report.status, BackupStatus::Done) << report.why;
  EXPECT_EQ(report.pictures, PictureStatus::DiskFull);
  const std::string backup = ReadBytes(Out() / "b.qmvdbu");
  EXPECT_EQ(backup.substr(backup.size() - 4), U32(0));
  EXPECT_EQ(ReadBytes(Data() / "ZQQMV.qmv"), "DB");
}

TEST_F(BackupContainer, AStoppedBackupLeavesNoFile) {
  Put("ZQQMV.qmv", std::string(100, 'd'));
  PutPicture("a.jpg", "AAAA");
  int calls = 0;
  const BackupReport report = WriteDataBackup(Data(), Out(), "b", [&calls](auto, auto, auto, auto) { return ++calls < 3; });
  EXPECT_EQ(report.status, BackupStatus::Stopped);
  EXPECT_TRUE(fs::is_empty(Out()));
}

}  // namespace
}  // namespace maintenance
