#pragma once
// The class registry of the catalogue files.

#include "settings/CClassRegistry.h"

namespace lumaro {

// The registry the catalogue files are read with: the four record classes and nothing else.
const settings::CClassRegistry& CatalogueClasses();

}  // namespace lumaro
