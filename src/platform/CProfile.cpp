#include "platform/CProfile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/DurableFile.h"
#include "platform/Environment.h"
#include "platform/InstallLayout.h"

namespace platform {
namespace {

// True when the value, written as an entry, reads back the same: false for text that is not
// UTF-8, which the parser skips as a broken line.
bool ReadsBackUnchanged(std::string_view value) {
  CIniText probe;
  probe.Set("s", "e", value);
  return CIniText::Parse(probe.Serialise()).Find("s", "e") == value;
}

}  // namespace

std::filesystem::path CProfile::UserFile() {
  const std::filesystem::path config = ConfigHome();
  return config.empty() ? config : config / "NADIRA" / "Sorelle" / "KokyakuVM.ini";
}

std::filesystem::path CProfile::MachineFile(const CNeritEnv& env) {
  return MachineIniFile(env.GetInstallFolder());
}

CProfile::CProfile(std::filesystem::path file) : file_(std::move(file)) {
  std::ifstream in(file_, std::ios::binary);
  if (!in) {
    if (errno != ENOENT) error_ = "cannot read " + file_.string() + ": " + std::strerror(errno);
    return;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  text_ = CIniText::Parse(bytes);
}

int CProfile::GetInt(std::string_view section, std::string_view entry, int defaultValue) const {
  const std::optional<std::string> text = text_.Find(section, entry);
  if (!text || text->empty()) return defaultValue;
  const char* first = text->data();
  const char* last = text->data() + text->size();
  int value = 0;
  const auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && end == last ? value : defaultValue;
}

std::string CProfile::GetString(std::string_view section, std::string_view entry,
                                std::string_view defaultValue) const {
  return text_.Find(section, entry).value_or(std::string(defaultValue));
}

bool CProfile::WriteInt(std::string_view section, std::string_view entry, int value) {
  return WriteString(section, entry, std::to_string(value));
}

bool CProfile::WriteString(std::string_view section, std::string_view entry, std::string_view value) {
  if (!CheckNames(section, entry)) return false;
  if (!ReadsBackUnchanged(value)) {
    error_ = "the value of " + std::string(entry) + " is not UTF-8 text";
    return false;
  }
  CIniText changed = text_;
  changed.Set(section, entry, value);
  return Store(changed);
}

bool CProfile::RemoveEntry(std::string_view section, std::string_view entry) {
  if (!CheckNames(section, entry)) return false;
  CIniText changed = text_;
  return !changed.Remove(section, entry) || Store(changed);
}

bool CProfile::RemoveSection(std::string_view section) {
  if (!CheckNames(section, "entry")) return false;
  CIniText changed = text_;
  return !changed.RemoveSection(section) || Store(changed);
}

bool CProfile::CheckNames(std::string_view section, std::string_view entry) {
  if (CIniText::IsValidSectionName(section) && CIniText::IsValidEntryName(entry)) return true;
  error_ = "invalid profile name [" + std::string(section) + "] " + std::string(entry);
  return false;
}

bool CProfile::Store(const CIniText& changed) {
  std::error_code ec;
  std::filesystem::create_directories(file_.parent_path(), ec);
  if (ec) {
    error_ = "cannot create " + file_.parent_path().string() + ": " + ec.message();
    return false;
  }
  if (!WriteFileDurably(file_, changed.Serialise(), error_)) return false;
  text_ = changed;
  error_.clear();
  return true;
}

}  // namespace platform
