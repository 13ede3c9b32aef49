#include "CategoryRecord.h"

#include "settings/ArchiveError.h"

namespace lumaro {

void RejectNullEntry() {
  throw settings::ArchiveError(settings::ArchiveError::Kind::BadFormat, 0, "a null entry in a catalogue list");
}

}  // namespace lumaro
