#include "lumaro/CLayoutInfo.h"

namespace lumaro {

CLayoutInfo::CLayoutInfo(const CLayoutInfo& other) { *this = other; }

CLayoutInfo& CLayoutInfo::operator=(const CLayoutInfo& other) {
  Title = other.Title;
  LayoutID = other.LayoutID;
  MotoLayoutID = other.MotoLayoutID;
  PaperCodes = other.PaperCodes;
  Sheet = other.Sheet;
  Fields = other.Fields;
  FreeText = other.FreeText;
  Vertical = other.Vertical;
  ExcelName = other.ExcelName;
  Renzoku = other.Renzoku;
  FormGenre = other.FormGenre;
  ZipBoxes = other.ZipBoxes;
  Text5 = other.Text5;
  return *this;
}

}  // namespace lumaro
