#include "history/CRirekiRefDlg.h"

#include <utility>

#include "history/PictureStore.h"

namespace history {

CRirekiRefDlg::CRirekiRefDlg(CRirekiStepSource* source, std::filesystem::path pictureFolder)
    : source_(source), pictureFolder_(std::move(pictureFolder)) {}

void CRirekiRefDlg::SetStepEnabled(bool previous, bool next) {
  previousEnabled_ = previous;
  nextEnabled_ = next;
}

int CRirekiRefDlg::Part(int records::CivilTime::* part) const {
  return entry_.Date.IsValid() ? entry_.Date.ToCivil().*part : 0;
}

std::filesystem::path CRirekiRefDlg::PicturePath() const { return PictureFilePath(pictureFolder_, entry_.Picture); }

void CRirekiRefDlg::Step(int step) {
  if (!source_) return;
  const auto stepped = source_->StepRireki(step);
  if (!stepped) return;
  entry_ = stepped->entry;
  if (step < 0) {
    SetStepEnabled(stepped->further, true);
  } else {
    SetStepEnabled(true, stepped->further);
  }
}

}  // namespace history
