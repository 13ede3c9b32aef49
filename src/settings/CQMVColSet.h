#pragma once
// The column dictionary: one definition per customer column, in the order every chooser lists
// them, kept in "QMVColSet.sys" of the data folder. Each user of labels loads its own copy; a
// change reaches others when they next load the file.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CNeritEnv.h"
#include "settings/CQMVCol.h"
#include "settings/CSerializable.h"
#include "ui/Ui.h"

namespace settings {

class CQMVColSet : public CSerializable {
 public:
  static constexpr std::string_view kFileName = "QMVColSet.sys";
  // The CP932 bytes (five full-width characters) a label may hold and still show whole in the
  // entry dialogs' captions; longer labels are allowed but earn the user a warning.
  static constexpr std::size_t kLabelShownBytes = 10;
  using Columns = std::vector<std::shared_ptr<CQMVCol>>;

  // install: the installation folder whose "datadir.dat" names the data folder. Questions and
  // messages go to ui.
  explicit CQMVColSet(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  // The definitions as an object collection of CQMVCol.
  void Serialize(CArchive& ar) override;
  std::string_view GetClassName() const override { return "CQMVColSet"; }

  // Sets the file path from the data folder: 1, or 0 (path emptied) when the folder is not set.
  int GetFilePath();
  const std::filesystem::path& FilePath() const { return path_; }

  // 1 when the file was read. A missing, unopenable or unreadable file is offered for
  // re-initialisation and read again after it; 0 when the data folder is not set or the user
  // declines or re-initialisation fails. After 0 the set must not be saved.
  int Load();
  // Replaces the file atomically: 1, or 0 when the set was not loaded or the data folder is not
  // set (both silently) or the file cannot be written (after the file-error message; the old file stays whole).
  int Save();
  // Replaces the file at FilePath() (GetFilePath must have run) by the factory set, after asking
  // when ask is set: 1 written, 0 declined or failed (with a message).
  int InitFile(bool ask);

  // The label of the first definition with exactly this key; empty when none has it.
  std::string GetLabel(std::string_view key) const;
  // Renames in memory only: 1, or 0 when no definition has the key or it is not renamable.
  int SetLabel(std::string_view key, std::string label);
  // The first definition with exactly this key, or null.
  const CQMVCol* Find(std::string_view key) const;
  void RemoveAll() { columns_.clear(); }
  const Columns& GetColumns() const { return columns_; }

  // Whether label is longer than kLabelShownBytes.
  static bool IsLabelTooWide(std::string_view label);

 private:
  int ReadFile();

  ui::Ui& ui_;
  std::filesystem::path install_;
  Columns columns_;
  std::filesystem::path path_;
  bool loaded_ = false;  // a set that failed to load is never written over the file
};

}  // namespace settings
