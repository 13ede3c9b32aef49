#pragma once
// Registers the settings classes that files hold as elements of object collections, so that
// reading recreates them by name. Call once at start-up, before the first settings file is read.

#include "settings/CClassRegistry.h"

namespace settings {

// Adds CQMVComboElem and CQMVCol to classes; a class already there is left as it is, so calling
// it again does no harm.
void RegisterSettingsClasses(CClassRegistry& classes);

}  // namespace settings
