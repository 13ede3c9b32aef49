// The data backup of a large data folder (100,000 customers, 1,000,000 history entries and 2,000
// pictures, about 1 GB) against a tar of the same folder followed by an fsync of the archive, the
// nearest thing an office would do by hand. Both run warm (the folder read once first), one after
// the other in each round; the counter ratio is backup time / tar time, the target at most 1.2.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "BenchData.h"
#include "maintenance/DataBackup.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPictures = 2000;
constexpr std::uint64_t kFolderBytes = 1ull << 30;

// The bench data folder with settings files and pictures enough to make about 1 GB; built once.
fs::path BackupFolderData() {
  const fs::path database = bench::BenchDataFolder() / "ZQQMV.qmv";
  const fs::path folder = bench::BenchDataFolder().parent_path() / "backup-source";
  const fs::path done = folder / ".complete";
  if (fs::exists(done)) return folder;
  fs::remove_all(folder);
  fs::create_directories(folder / "Picture");
  fs::create_hard_link(database, folder / "ZQQMV.qmv");
  for (const char* name : {"QMVColSet.sys", "QMVDispCol.sys", "RirekiType.dat", "Tantou.dat", "DefOrder.dat"}) {
    std::ofstream(folder / name, std::ios::binary) << std::string(4000, 'x');
  }
  const std::uint64_t rest = kFolderBytes - std::min<std::uint64_t>(kFolderBytes / 2, fs::file_size(database));
  const std::size_t pictureSize = static_cast<std::size_t>(rest / kPictures);
  std::mt19937 rng(28);
  std::string bytes(pictureSize, '\0');
  for (int i = 0; i < kPictures; ++i) {
    for (std::size_t k = 0; k < bytes.size(); k += 4096) bytes[k] = static_cast<char>(rng());
    std::ofstream(folder / "Picture" / ("photo" + std::to_string(i) + ".jpg"), std::ios::binary) << bytes;
  }
  std::ofstream(done) << "";
  return folder;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void SyncFile(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

double TimeTar(const fs::path& data, const fs::path& out) {
  fs::remove_all(out);
  fs::create_directories(out);
  const fs::path archive = out / "data.tar";
  const std::string command = "tar -cf '" + archive.string() + "' --exclude=.complete -C '" + data.string() + "' .";
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "tar failed\n");
  SyncFile(archive);
  return Seconds(std::chrono::steady_clock::now() - start);
}

double TimeBackup(const fs::path& data, const fs::path& out, bool& ok) {
  fs::remove_all(out);
  fs::create_directories(out);
  const auto start = std::chrono::steady_clock::now();
  const maintenance::BackupReport report = maintenance::WriteDataBackup(data, out, "b");
  const double s = Seconds(std::chrono::steady_clock::now() - start);
  ok = report.status == maintenance::BackupStatus::Done && report.pictures == maintenance::PictureStatus::Done;
  return s;
}

void BM_DataBackup(benchmark::State& state) {
  const fs::path data = BackupFolderData();
  const fs::path scratch = data.parent_path() / "backup-out";
  bool ok = true;
  TimeTar(data, scratch);  // warm the page cache with the folder
  double backup = 0, tar = 0;
  int rounds = 0;
  for (auto _ : state) {
    backup += TimeBackup(data, scratch, ok);
    tar += TimeTar(data, scratch);
    ++rounds;
    state.SetIterationTime(backup / rounds);
  }
  fs::remove_all(scratch);
  if (!ok) state.SkipWithError("the backup did not complete");
  state.counters["backup_s"] = backup / rounds;
  state.counters["tar_s"] = tar / rounds;
  state.counters["ratio"] = backup / tar;
  state.counters["bytes"] = static_cast<double>(kFolderBytes);
}
BENCHMARK(BM_DataBackup)->Iterations(3)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
