#pragma once
// The read-only history dialog: one entry shown as it is stored, with 閉じる and the two step
// buttons, which step through the list of the screen that opened it. Nothing here writes.

#include <filesystem>
#include <string>

#include "history/CRirekiStepSource.h"
#include "records/CRirekiData.h"
#include "ui/Ui.h"

namespace history {

class CRirekiRefDlg : public ui::CDialogModel {
 public:
  // source may be null (no stepping); stored picture names are found in pictureFolder.
  CRirekiRefDlg(CRirekiStepSource* source, std::filesystem::path pictureFolder);

  void LoadEntry(const records::CRirekiData& entry) { entry_ = entry; }
  void SetStepEnabled(bool previous, bool next);

  std::string Title() const override { return "履歴の参照"; }
  const records::CRirekiData& Entry() const { return entry_; }
  // The date parts; 0 each when the entry has no date.
  int Year() const { return Part(&records::CivilTime::year); }
  int Month() const { return Part(&records::CivilTime::month); }
  int Day() const { return Part(&records::CivilTime::day); }
  int Hour() const { return Part(&records::CivilTime::hour); }
  int Minute() const { return Part(&records::CivilTime::minute); }
  // "%.2f" without trailing zeros and point: 1500.00 shows 1500, 12.50 shows 12.5.
  std::string AmountText() const { return records::AmountText(entry_.Money); }
  std::filesystem::path PicturePath() const;
  bool PreviousEnabled() const { return previousEnabled_; }
  bool NextEnabled() const { return nextEnabled_; }

  void OnPrevious() { Step(-1); }
  void OnNext() { Step(+1); }
  void OnClose() { EndDialog(false); }

 private:
  int Part(int records::CivilTime::* part) const;
  void Step(int step);

  CRirekiStepSource* source_;
  std::filesystem::path pictureFolder_;
  records::CRirekiData entry_;
  bool previousEnabled_ = false, nextEnabled_ = false;
};

}  // namespace history
