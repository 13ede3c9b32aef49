#include "settings/CQMVComboElem.h"

#include "settings/CArchive.h"

namespace settings {

void CQMVComboElem::Serialize(CArchive& ar) {
  ar.Exchange(text_);
  ar.Exchange(editable_);
}

}  // namespace settings
