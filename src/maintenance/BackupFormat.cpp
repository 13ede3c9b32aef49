#include "maintenance/BackupFormat.h"

#include "text/Cp932.h"
#include "text/Format.h"

namespace maintenance {

namespace {

std::string Cp932(std::string_view utf8) { return text::ToCp932(utf8).value_or(std::string()); }

}  // namespace

const std::string& DataBackupMagic() {
  static const std::string magic = Cp932("顧客ソレル ﾃﾞｰﾀﾊﾞｯｸｱｯﾌﾟ");
  return magic;
}

const std::string& OriginalBackupMagic() {
  static const std::string magic = Cp932("顧客ソレル ｵﾘｼﾞﾅﾙﾌｫｰﾑﾊﾞｯｸｱｯﾌﾟ");
  return magic;
}

const std::string& PictureVolumeMagic() {
  static const std::string magic = Cp932("顧客ソレル 画像ﾊﾞｯｸｱｯﾌﾟ");
  return magic;
}

void PutU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

std::uint32_t GetU32(const char* bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

std::uint64_t ContainerLength(std::string_view magic, const std::vector<ContainerItem>& items, bool dataBackup) {
  std::uint64_t total = magic.size() + 12;
  for (const ContainerItem& item : items) total += 4 + item.name.size() + 4 + item.size;
  return total + (dataBackup ? 4 : 0);
}

std::string ContainerHead(std::string_view magic, const std::vector<ContainerItem>& items, std::uint64_t total) {
  std::string head(magic);
  PutU32(head, kContainerVersion);
  PutU32(head, static_cast<std::uint32_t>(total));
  PutU32(head, static_cast<std::uint32_t>(items.size()));
  for (const ContainerItem& item : items) {
    PutU32(head, static_cast<std::uint32_t>(item.name.size()));
    head += item.name;
  }
  return head;
}

std::vector<std::vector<std::size_t>> SplitIntoVolumes(const std::vector<ContainerItem>& pictures,
                                                       std::uint64_t limit) {
  std::vector<std::vector<std::size_t>> volumes;
  const std::uint64_t empty = PictureVolumeMagic().size() + 4;
  std::uint64_t running = 0;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const std::uint64_t adds = pictures[i].name.size() + pictures[i].size + 8;
    // The first picture opens the first volume; one that would take a volume past the limit
    // opens the next, so a picture larger than the limit still goes, alone, into a volume.
    if (volumes.empty() || running + adds > limit) {
      volumes.emplace_back();
      running = empty;
    }
    volumes.back().push_back(i);
    running += adds;
  }
  return volumes;
}

std::string DataBackupBaseName(std::time_t now) {
  std::tm t{};
  localtime_r(&now, &t);
  return text::Format("顧客_%d%d%d%d%d%d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                      t.tm_sec);
}

std::string PictureVolumeName(std::string_view base, int number) {
  return text::Format("%s_%d.", base, number) + kPictureVolumeExtension;
}

}  // namespace maintenance
