#include "platform/StoredFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <thread>

#include "platform/FileFaults.h"
#include "platform/TempFolder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScopedFileFault;
using testing_support::TempFolder;
using testing_support::WriteBytes;
using Names = std::vector<std::string>;

class StoredFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(store_);
    fs::create_directories(chosen_);
    WriteBytes(source_, "new picture");
  }

  std::optional<std::string> Store(const fs::path& source) { return StoreUnderFreeName(store_, source, error_); }
  Names StoreNames() const {
    Names names;
    for (const auto& entry : fs::directory_iterator(store_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder root_;
  fs::path store_ = root_ / "Picture";
  fs::path chosen_ = root_ / "選んだ写真";
  fs::path source_ = chosen_ / "photo.jpg";
  std::string error_;
};

TEST(StoredFileNames, NumberGoesBetweenStemAndLastExtension) {
  EXPECT_EQ(CandidateName("photo.jpg", 0), "photo.jpg");
  EXPECT_EQ(CandidateName("photo.jpg", 1), "photo_1.jpg");
  EXPECT_EQ(CandidateName("写真.2024.bmp", 12), "写真.2024_12.bmp");
  EXPECT_EQ(CandidateName("README", 2), "README_2");
}

TEST_F(StoredFileTest, TakenNamesAreSkippedAndNeverOverwritten) {
  WriteBytes(store_ / "photo.jpg", "first");
  WriteBytes(store_ / "photo_1.jpg", "second");
  fs::create_symlink(root_ / "gone.jpg", store_ / "photo_2.jpg");  // dangling, still a taken name
  EXPECT_EQ(Store(source_), "photo_3.jpg") << error_;
  EXPECT_EQ(ReadBytes(store_ / "photo_3.jpg"), "new picture");
  EXPECT_EQ(ReadBytes(store_ / "photo.jpg"), "first");
  EXPECT_EQ(ReadBytes(store_ / "photo_1.jpg"), "second");
  EXPECT_EQ(StoreNames(), (Names{"photo.jpg", "photo_1.jpg", "photo_2.jpg", "photo_3.jpg"}));
  EXPECT_EQ(ReadBytes(source_), "new picture");
}

TEST_F(StoredFileTest, MissingFolderIsCreatedAndLargeFilesArriveWhole) {
  std::string big(300 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 % 251);
  WriteBytes(source_, big);
  const fs::path nested = root_ / "新しいデータ" / "Picture";
  EXPECT_EQ(StoreUnderFreeName(nested, source_, error_), "photo.jpg") << error_;
  EXPECT_EQ(ReadBytes(nested / "photo.jpg"), big);
}

TEST_F(StoredFileTest, MissingOrNonRegularSourceStoresNothing) {
  for (const fs::path& source : {chosen_ / "missing.jpg", chosen_, fs::path("/dev/null")}) {
    SCOPED_TRACE(source.string());
    error_.clear();
    EXPECT_EQ(Store(source), std::nullopt);
    EXPECT_FALSE(error_.empty());
  }
  EXPECT_TRUE(StoreNames().empty());
}

TEST_F(StoredFileTest, FolderThatIsAFileFails) {
  WriteBytes(root_ / "Blocked", "a file");
  EXPECT_EQ(StoreUnderFreeName(root_ / "Blocked", source_, error_), std::nullopt);
  EXPECT_EQ(StoreUnderFreeName(root_ / "Blocked" / "Picture", source_, error_), std::nullopt);
  EXPECT_EQ(ReadBytes(root_ / "Blocked"), "a file");
}

TEST_F(StoredFileTest, AnyFailedStepLeavesNoFileBehind) {
  struct Case {
    const char* name;
    FileOp op;
    int nth;
  };
  WriteBytes(store_ / "photo.jpg", "first");
  for (const Case& c : {Case{"the copy cannot be synced", FileOp::Sync, 1},
                        Case{"the rename fails", FileOp::Rename, 1},
                        Case{"the folder cannot be synced after the rename", FileOp::Sync, 2}}) {
    SCOPED_TRACE(c.name);
    {
      ScopedFileFault fault(c.op, c.nth, EIO);
      EXPECT_EQ(Store(source_), std::nullopt);
      EXPECT_TRUE(fault.Fired());
    }
    EXPECT_EQ(StoreNames(), Names{"photo.jpg"});
    EXPECT_EQ(ReadBytes(store_ / "photo.jpg"), "first");
  }
  EXPECT_EQ(Store(source_), "photo_1.jpg") << error_;
}

TEST_F(StoredFileTest, ConcurrentStoresOfOneNameEachGetTheirOwnFile) {
  constexpr int kThreads = 4, kEach = 5;
  std::vector<fs::path> sources;
  for (int t = 0; t < kThreads; ++t) {
    fs::create_directories(chosen_ / std::to_string(t));
    sources.push_back(chosen_ / std::to_string(t) / "photo.jpg");
    WriteBytes(sources.back(), "from thread " + std::to_string(t));
  }
  std::vector<Names> stored(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      std::string error;
      for (int i = 0; i < kEach; ++i) {
        if (auto name = StoreUnderFreeName(store_, sources[t], error)) stored[t].push_back(*name);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  std::set<std::string> all;
  for (int t = 0; t < kThreads; ++t) {
    ASSERT_EQ(stored[t].size(), static_cast<std::size_t>(kEach));
    for (const std::string& name : stored[t]) {
      EXPECT_TRUE(all.insert(name).second) << name << " given twice";
      EXPECT_EQ(ReadBytes(store_ / name), "from thread " + std::to_string(t)) << name;
    }
  }
  EXPECT_EQ(StoreNames().size(), static_cast<std::size_t>(kThreads * kEach));
}

}  // namespace
}  // namespace platform
