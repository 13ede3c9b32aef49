#include "settings/SettingsClasses.h"

#include "settings/CQMVCol.h"
#include "settings/CQMVComboElem.h"

namespace settings {

namespace {

template <class T>
void RegisterOnce(CClassRegistry& classes) {
  const T probe{};
  if (classes.Find(probe.GetClassName()) == nullptr) classes.Register<T>();
}

}  // namespace

void RegisterSettingsClasses(CClassRegistry& classes) {
  RegisterOnce<CQMVComboElem>(classes);
  RegisterOnce<CQMVCol>(classes);
}

}  // namespace settings
