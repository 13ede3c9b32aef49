#pragma once
// The first start: when the installation folder holds no installation yet (it does not exist,
// is empty, or has neither Data/MyData/acck.sys nor Data/MyData/datadir.dat), lays it out from
// the factory folder. A folder holding an installation is never touched, even one missing files.
//
// The layout is built in a hidden sibling ".<name>.installing", every file and folder synced,
// then renamed to the installation folder in one step; so a crash or a failure at any moment
// leaves either no installation or a complete one. A folder that already holds other files
// keeps them: the rest is moved in beside them, the two files that mark an installation last. A leftover sibling from an earlier
// interrupted start is removed first. Two starts at once are serialised by a lock on the parent
// folder; the second finds the installation in place.
//
// The new installation holds the factory tree (every file and sub-folder, made writable for
// the user), the whole workspace folder tree, an empty Data/MyData/acck.sys, the default data
// folder Data/UserData with a copy of the factory database, Data/MyData/datadir.dat naming it,
// and Data/MyData/machine.ini (the factory's, if it has one).

#include <filesystem>
#include <string>

#include "platform/CNeritEnv.h"

namespace platform {

enum class InstallResult {
  Existing,  // the installation folder already held an installation; nothing was done
  LaidOut,   // it held none and now holds a complete one
  Failed,    // it still holds none: Message() is the text to show, Detail() the reason
};

class CInstaller {
 public:
  // Shown when the factory folder or its database is missing.
  static constexpr const char* kFactoryMissingMessage =
      "インストール用のファイルが見つからないため『顧客ソレル』を起動できません\n"
      "再インストールしてください。";
  // Shown, followed by a line with the installation folder, when the layout itself failed.
  static constexpr const char* kLayoutFailedMessage =
      "『顧客ソレル』のフォルダを作成できないため起動できません\n";

  explicit CInstaller(const CNeritEnv& env);
  CInstaller(std::filesystem::path install, std::filesystem::path factory);

  InstallResult EnsureInstalled();

  // After Failed: the message for the person, and the technical reason (for a log).
  const std::string& Message() const { return message_; }
  const std::string& Detail() const { return detail_; }

 private:
  InstallResult Fail(std::string message, std::string detail);
  InstallResult LayOutUnderLock();
  bool FactoryIsComplete() const;
  bool LayOut(const std::filesystem::path& staging);
  bool CopyFactoryTree(const std::filesystem::path& staging);
  bool CreateWorkspace(const std::filesystem::path& staging);
  bool CreateDefaultDataFolder(const std::filesystem::path& staging);
  bool WriteMachineProfile(const std::filesystem::path& staging);
  bool MoveIntoPlace(const std::filesystem::path& staging);
  bool MergeInto(const std::filesystem::path& staging);
  bool SyncTree(const std::filesystem::path& root);
  bool CopyOneFile(const std::filesystem::path& from, const std::filesystem::path& to);

  std::filesystem::path install_;
  std::filesystem::path factory_;
  std::string message_;
  std::string detail_;
};

}  // namespace platform
