#include "CatalogueClasses.h"

#include "CategoryRecord.h"
#include "LayoutRecord.h"

namespace lumaro {

const settings::CClassRegistry& CatalogueClasses() {
  static const settings::CClassRegistry classes = [] {
    settings::CClassRegistry r;
    r.Register<DaiRecord>();
    r.Register<ChuRecord>();
    r.Register<ShoRecord>();
    r.Register<LayoutRecord>();
    return r;
  }();
  return classes;
}

}  // namespace lumaro
