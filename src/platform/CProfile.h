#pragma once
// The profile: what the system keeps in the registry, kept in INI files (format in CIniText.h).
//  - User profile, the framework key "NADIRA\Sorelle\KokyakuVM": UserFile(), with its sections
//    ("Settings", "Settings-KList", "Settings-RList", ...) and entries ("CardType", "cardwid").
//  - Machine profile: MachineFile(), one section per machine key below "SOFTWARE\", named as the
//    key is ("NADIRA\Sorelle\Common\ZQTel").
// The file is read when the profile is constructed; a missing or unreadable file reads as empty,
// so every Get gives its default. Every write replaces the file durably at once (DurableFile);
// a failed write leaves file and profile as they were and returns false with LastError().

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/CIniText.h"
#include "platform/CNeritEnv.h"

namespace platform {

class CProfile {
 public:
  // $XDG_CONFIG_HOME/NADIRA/Sorelle/KokyakuVM.ini (~/.config/...); empty without a home folder.
  static std::filesystem::path UserFile();
  // <installation>/Data/MyData/machine.ini.
  static std::filesystem::path MachineFile(const CNeritEnv& env);

  explicit CProfile(std::filesystem::path file);

  const std::filesystem::path& File() const { return file_; }

  // The value, or defaultValue when the entry is absent or (GetInt) not a whole decimal int.
  int GetInt(std::string_view section, std::string_view entry, int defaultValue) const;
  std::string GetString(std::string_view section, std::string_view entry,
                        std::string_view defaultValue = {}) const;

  // Set the entry, creating the file and its folders when needed. False when the names are not
  // valid (CIniText::IsValid...Name), the value is not UTF-8, or the file could not be written.
  bool WriteInt(std::string_view section, std::string_view entry, int value);
  bool WriteString(std::string_view section, std::string_view entry, std::string_view value);
  // Remove an entry or a whole section; true also when it was absent.
  bool RemoveEntry(std::string_view section, std::string_view entry);
  bool RemoveSection(std::string_view section);

  // Why the last write failed, or why the file could not be read at construction.
  const std::string& LastError() const { return error_; }

 private:
  bool CheckNames(std::string_view section, std::string_view entry);
  bool Store(const CIniText& changed);

  std::filesystem::path file_;
  CIniText text_;
  std::string error_;
};

}  // namespace platform
