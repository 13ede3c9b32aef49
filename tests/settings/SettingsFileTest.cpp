#include "settings/CSettingsFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "settings/ArchiveError.h"
#include "settings/FileError.h"
#include "settings/ArchiveTestSupport.h"

namespace settings::test {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "settings-file-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void WriteOld(const fs::path& file) { CSettingsFile::Store(file, [](CArchive& ar) { ar.StoreString("old"); }); }
  std::size_t EntriesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

TEST_F(SettingsFile, MenuStateFileIsTwoBare32BitValues) {
  const fs::path file = folder_ / "EndInfo.dat";
  CSettingsFile::Store(file, [](CArchive& ar) {
    ar.StoreInt32(2);
    ar.StoreInt32(40001);
  });
  EXPECT_EQ(ReadAll(file), Bytes({0x02, 0x00, 0x00, 0x00, 0x41, 0x9C, 0x00, 0x00}));
  std::int32_t tab = 0, form = 0;
  CSettingsFile::Load(file, [&](CArchive& ar) {
    ar.Exchange(tab);
    ar.Exchange(form);
  });
  EXPECT_EQ(tab, 2);
  EXPECT_EQ(form, 40001);
}

TEST_F(SettingsFile, ObjectAtTheTopOfAFileIsItsFieldsOnly) {
  const fs::path file = folder_ / "DefOrder.dat";
  TestComboElem elem("abc", 5);
  CSettingsFile::Store(file, elem);
  EXPECT_EQ(ReadAll(file), Bytes({0x03, 'a', 'b', 'c', 0x05, 0, 0, 0}));
  TestComboElem read;
  CSettingsFile::Load(file, read);
  EXPECT_EQ(read.text, "abc");
  EXPECT_EQ(read.number, 5);
}

TEST_F(SettingsFile, ChoiceListLargerThanTheBufferSurvivesTheFile) {
  std::vector<std::shared_ptr<TestComboElem>> elems;
  for (int i = 0; i < 2000; ++i) elems.push_back(std::make_shared<TestComboElem>("担当者" + std::to_string(i), i));
  const fs::path file = folder_ / "Tantou.dat";
  CSettingsFile::Store(file, [&](CArchive& ar) { ar.StoreObjects(elems); });
  std::vector<std::shared_ptr<TestComboElem>> read;
  CSettingsFile::Load(file, [&](CArchive& ar) { read = ar.LoadObjects<TestComboElem>(); }, TestClasses());
  ASSERT_EQ(read.size(), elems.size());
  EXPECT_EQ(read[1999]->text, "担当者1999");
  EXPECT_EQ(read[1999]->number, 1999);
}

TEST_F(SettingsFile, MissingFileIsAFileErrorAndShortFileAnArchiveError) {
  try {
    CSettingsFile::Load(folder_ / "QMVColSet.sys", [](CArchive& ar) { ar.LoadInt32(); });
    FAIL() << "a missing file was read";
  } catch (const FileError& e) {
    EXPECT_EQ(e.GetErrorNumber(), ENOENT);
  }
  const fs::path file = folder_ / "EndInfo.dat";
  CSettingsFile::Store(file, [](CArchive& ar) { ar.StoreInt32(2); });
  EXPECT_THROW(CSettingsFile::Load(file, [](CArchive& ar) { ar.LoadInt32(), ar.LoadInt32(); }), ArchiveError);
  EXPECT_THROW(CSettingsFile::Load(folder_, [](CArchive& ar) { ar.LoadInt32(); }), FileError);  // a folder
}

TEST_F(SettingsFile, WriterThatFailsHalfWayLeavesTheOldFileWhole) {
  const fs::path file = folder_ / "RirekiType.dat";
  WriteOld(file);
  const std::string old = ReadAll(file);
  EXPECT_THROW(CSettingsFile::Store(file,
                                    [](CArchive& ar) {
                                      ar.StoreString(std::string(10000, 'n'));  // flushed in part
                                      throw std::runtime_error("stop");
                                    }),
               std::runtime_error);
  EXPECT_EQ(ReadAll(file), old);
  EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(SettingsFile, DiskThatFillsUpLeavesTheOldFileWholeAndReportsAFileError) {
  const fs::path file = folder_ / "DMType.dat";
  WriteOld(file);
  const std::string old = ReadAll(file);
  // A file size limit makes writes fail as on a full disk (EFBIG in place of ENOSPC).
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedSignal = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  int error = 0;
  try {
    CSettingsFile::Store(file, [](CArchive& ar) { ar.StoreString(std::string(10000, 'n')); });
  } catch (const FileError& e) {
    error = e.GetErrorNumber();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, savedSignal);
  EXPECT_EQ(error, EFBIG);
  EXPECT_EQ(ReadAll(file), old);
  EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(SettingsFile, FileThatCannotBeReplacedIsAFileErrorAndNoTemporaryRemains) {
  const fs::path taken = folder_ / "KRank1.dat";
  fs::create_directory(taken);
  fs::create_directory(taken / "inside");  // a non-empty folder cannot be renamed over
  EXPECT_THROW(CSettingsFile::Store(taken, [](CArchive& ar) { ar.StoreInt32(1); }), FileError);
  EXPECT_EQ(EntriesInFolder(), 1u);
  EXPECT_THROW(CSettingsFile::Store(folder_ / "no-such-folder" / "KRank2.dat", [](CArchive& ar) { ar.StoreInt32(1); }),
               FileError);
  EXPECT_EQ(EntriesInFolder(), 1u);
}

}  // namespace
}  // namespace settings::test
