#pragma once
// One choice list (history summary, keywords, DM content, ranks, payment, business type, staff),
// numbered 0 to 8, each in its own file of the data folder. A list starts with its defaults and
// grows as users type new values. The file holds the entries as an object collection only.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CNeritEnv.h"
#include "settings/CQMVComboElem.h"
#include "settings/CSerializable.h"
#include "ui/Ui.h"

namespace settings {

class CQMVComboData : public CSerializable {
 public:
  enum List : int {
    kRirekiType = 0, kRirekiWord, kDMType, kImportant, kRank1, kRank2, kPayMethod, kCompType, kTantou,
  };
  static constexpr int kListCount = 9;
  using Entries = std::vector<std::shared_ptr<CQMVComboElem>>;

  // install: the installation folder whose "datadir.dat" names the data folder. Questions and
  // messages go to ui.
  explicit CQMVComboData(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  // The entries as an object collection.
  void Serialize(CArchive& ar) override;
  std::string_view GetClassName() const override { return "CQMVComboData"; }

  // 1 when the list is loaded. A missing file gets the defaults, saved at once; a file that does
  // not open or read back is replaced by the defaults only when the user agrees. 0 when the data
  // folder is not set, the number is not 0 to 8, the user declines or the defaults cannot be saved.
  int Load(int list);
  // Replaces the file atomically with the entries. 1, or 0 when the list is not loaded or the
  // file cannot be written (the old file is left whole).
  int Save();
  // Appends text as an editable entry and saves at once: the result of Save. 0 (nothing changed)
  // when not loaded, text is empty or longer than the list's byte limit.
  int AddEntry(std::string_view text);
  void RemoveAll() { entries_.clear(); }

  const Entries& GetEntries() const { return entries_; }
  Entries& GetEntries() { return entries_; }
  // Whether an entry has exactly this text (byte-wise).
  bool Contains(std::string_view text) const;
  int GetList() const { return list_; }
  bool IsLoaded() const { return loaded_; }
  // The file of the last Load; empty when the data folder was not set.
  const std::filesystem::path& GetFilePath() const { return path_; }

  // The file name of a list; empty for a number out of range.
  static std::string_view FileName(int list);
  // The most CP932 bytes an entry of the list may hold; 0 for a number out of range.
  static std::size_t TextLimit(int list);
  // The list's name in the editor's texts. rankingLabel: the current label of Ranking1 (list 4)
  // or Ranking2 (list 5), which name those lists; the factory label stands in when it is empty.
  static std::string DisplayName(int list, std::string_view rankingLabel = {});

 private:
  int LoadDefaults();
  int AskToReset();

  ui::Ui& ui_;
  std::filesystem::path install_;
  Entries entries_;
  int list_ = -1;
  std::filesystem::path path_;
  bool loaded_ = false;
};

}  // namespace settings
