#include "LayoutRecord.h"

namespace lumaro {

void LayoutRecord::Serialize(settings::CArchive& ar) {
  if (ar.IsStoring()) {
    ar.StoreInt32(1);
  } else {
    node_->Version = ar.LoadInt32();
    if (node_->Version > 1) return;
  }
  CLayoutInfo& l = *node_;
  ar.Exchange(l.Title);
  ar.Exchange(l.LayoutID);
  ar.Exchange(l.MotoLayoutID);
  ar.Exchange(l.PaperCodes);
  ar.Exchange(l.Sheet);
  ar.Exchange(l.Fields);
  ar.Exchange(l.FreeText);
  ar.Exchange(l.Vertical);
  ar.Exchange(l.ExcelName);
  ar.Exchange(l.Renzoku);
  ar.Exchange(l.FormGenre);
  ar.Exchange(l.ZipBoxes);
  ar.Exchange(l.Text5);
}

}  // namespace lumaro
