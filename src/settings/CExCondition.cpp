#include "settings/CExCondition.h"

#include "settings/CArchive.h"

namespace settings {

void CExCondition::Serialize(CArchive& ar) {
  ar.Exchange(resultType);
  ar.Exchange(displayColumns);
  ar.Exchange(sql);
  ar.Exchange(name);
  ar.Exchange(conditionA);
  ar.Exchange(conditionB);
  ar.Exchange(conditionC);
}

}  // namespace settings
