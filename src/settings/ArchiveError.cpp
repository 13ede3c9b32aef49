#include "settings/ArchiveError.h"

namespace settings {

namespace {

const char* KindText(ArchiveError::Kind kind) {
  switch (kind) {
    case ArchiveError::Kind::EndOfFile: return "unexpected end of archive";
    case ArchiveError::Kind::BadFormat: return "malformed archive";
    case ArchiveError::Kind::BadClass: return "unknown class in archive";
    case ArchiveError::Kind::BadSchema: return "wrong schema in archive";
  }
  return "archive error";
}

}  // namespace

ArchiveError::ArchiveError(Kind kind, std::uint64_t offset, const std::string& detail)
    : std::runtime_error(std::string(KindText(kind)) + " at byte " + std::to_string(offset) +
                         (detail.empty() ? "" : ": " + detail)),
      kind_(kind),
      offset_(offset) {}

}  // namespace settings
