#include "settings/FileError.h"

#include <cstring>
#include <string>

namespace settings {

FileError::FileError(const std::filesystem::path& path, std::string_view action, int errorNumber)
    : std::runtime_error("cannot " + std::string(action) + " " + path.string() + ": " +
                         std::strerror(errorNumber)),
      path_(path),
      errorNumber_(errorNumber) {}

}  // namespace settings
