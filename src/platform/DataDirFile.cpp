#include "platform/DataDirFile.h"

#include <fstream>
#include <iterator>

#include "platform/DurableFile.h"
#include "text/Cp932.h"

namespace platform {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

std::string DataDirBytes(const std::filesystem::path& folder) {
  const std::string utf8 = folder.string();
  if (text::RoundTripsCp932(utf8)) return *text::ToCp932(utf8);
  return std::string(kUtf8Mark) + utf8;
}

std::string DataDirFromBytes(std::string_view bytes) {
  const bool utf8 = bytes.starts_with(kUtf8Mark);
  if (utf8) bytes.remove_prefix(kUtf8Mark.size());
  bytes = bytes.substr(0, bytes.find_first_of("\r\n"));
  return utf8 ? std::string(bytes) : text::FromCp932(bytes);
}

bool WriteDataDirFile(const std::filesystem::path& file, const std::filesystem::path& folder,
                      std::string& error) {
  return WriteFileDurably(file, DataDirBytes(folder), error);
}

std::optional<std::string> ReadDataDirFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return DataDirFromBytes(bytes);
}

}  // namespace platform
