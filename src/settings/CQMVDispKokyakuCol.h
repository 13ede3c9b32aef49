#pragma once
// The customer list's columns, left to right, as column keys, kept in "QMVDispCol.sys" of the
// data folder.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CNeritEnv.h"
#include "settings/CSerializable.h"
#include "settings/SettingsFiles.h"
#include "ui/Ui.h"

namespace settings {

class CQMVDispKokyakuCol : public CSerializable {
 public:
  static constexpr std::string_view kFileName = "QMVDispCol.sys";

  // install: the installation folder whose "datadir.dat" names the data folder.
  explicit CQMVDispKokyakuCol(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  // The keys as a string array.
  void Serialize(CArchive& ar) override;
  std::string_view GetClassName() const override { return "CQMVDispKokyakuCol"; }

  // The file in the data folder; empty when the data folder is not set.
  std::filesystem::path GetFilePath() const;
  // Empties the keys and reads the file: 1, or 0 silently when there is no data folder or the
  // file is missing or does not open, 0 after the file-error message when reading fails.
  int Load();
  // Replaces the file atomically: 1, or 0 silently without data folder, 0 after the file-error
  // message when it cannot be written (the old file stays whole).
  int Save();
  // Removes the first key equal to key: 1, or 0 when there is none.
  int Remove(std::string_view key);

  const std::vector<std::string>& GetKeys() const { return keys_; }
  std::vector<std::string>& GetKeys() { return keys_; }
  // How the last Load went (Missing as well when there was no data folder).
  ReadOutcome LastRead() const { return lastRead_; }

 private:
  ui::Ui& ui_;
  std::filesystem::path install_;
  std::vector<std::string> keys_;
  ReadOutcome lastRead_ = ReadOutcome::Missing;
};

}  // namespace settings
