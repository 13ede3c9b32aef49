#include "settings/CQMVCol.h"

#include "settings/CArchive.h"

namespace settings {

void CQMVCol::Serialize(CArchive& ar) {
  ar.Exchange(key_);
  ar.Exchange(label_);
  ar.Exchange(renamable_);
}

}  // namespace settings
