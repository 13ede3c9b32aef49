#pragma once
// The content of "datadir.dat": one line naming the data folder, its full path without a final
// "/", written without a line end. The text is CP932. A path CP932 cannot hold exactly (a user
// name with "é", a rare kanji) is written as the UTF-8 byte-order mark followed by UTF-8, so no
// folder is ever recorded wrongly; EF BB never begins a CP932 path, so the two cannot be confused.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The bytes of datadir.dat naming folder (taken as given).
std::string DataDirBytes(const std::filesystem::path& folder);

// The recorded folder text (UTF-8) from the bytes: up to the first line end, if any.
std::string DataDirFromBytes(std::string_view bytes);

// Replaces file durably with DataDirBytes(folder). False with a reason in error when it could not.
bool WriteDataDirFile(const std::filesystem::path& file, const std::filesystem::path& folder,
                      std::string& error);

// The recorded folder text (UTF-8, as written: callers classify and trim it); nullopt when the
// file is missing or cannot be read.
std::optional<std::string> ReadDataDirFile(const std::filesystem::path& file);

}  // namespace platform
