#pragma once
// The backup files' byte layouts. Data backups (".qmvdbu") and original-form backups (".qmvobu")
// share one container: the magic text, then unsigned 32-bit little-endian numbers: version 1, the
// total length of the file, the file count N, N names (length, CP932 bytes), N contents (size,
// bytes), and for a data backup the number of picture volumes written beside it. A picture
// volume (".qmvpbu") is its magic text, a count M and M entries (name length, name, size,
// bytes), with no version and no total length. These are stored files: never change them.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace maintenance {

inline constexpr std::uint32_t kContainerVersion = 1;
// A picture volume closes before it would grow past this, unless one picture alone is larger.
inline constexpr std::uint64_t kVolumeLimit = 524'288'000;

inline constexpr const char* kDataBackupExtension = "qmvdbu";
inline constexpr const char* kPictureVolumeExtension = "qmvpbu";
inline constexpr const char* kOriginalBackupExtension = "qmvobu";

// The magic texts as stored (CP932, half-width katakana).
const std::string& DataBackupMagic();
const std::string& OriginalBackupMagic();
const std::string& PictureVolumeMagic();

void PutU32(std::string& out, std::uint32_t value);
std::uint32_t GetU32(const char* bytes);

// One file of a container: its stored name (CP932 bytes) and its size.
struct ContainerItem {
  std::string name;
  std::uint64_t size = 0;
};

// magic + 12 + Σ(4 + L) + Σ(4 + S), plus 4 for a data backup's volume count.
std::uint64_t ContainerLength(std::string_view magic, const std::vector<ContainerItem>& items, bool dataBackup);
// Everything before the first file's content: magic, version 1, total, count, name table.
// The caller has checked that total fits in 32 bits.
std::string ContainerHead(std::string_view magic, const std::vector<ContainerItem>& items, std::uint64_t total);

// Splits pictures (their stored names and sizes, in order) into volumes: the indexes of each.
std::vector<std::vector<std::size_t>> SplitIntoVolumes(const std::vector<ContainerItem>& pictures,
                                                       std::uint64_t limit = kVolumeLimit);

// "顧客_%d%d%d%d%d%d" of the local time at `now` (year, month, day, hour, minute, second, unpadded).
std::string DataBackupBaseName(std::time_t now);
// "<base>_<n>.qmvpbu".
std::string PictureVolumeName(std::string_view base, int number);

// The parsed head of a container: its files' names and sizes and where the first content starts.
struct ContainerHeadInfo {
  std::uint32_t version = 0;
  std::uint32_t total = 0;
  std::vector<ContainerItem> items;
};

}  // namespace maintenance
