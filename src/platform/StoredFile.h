#pragma once
// Copying a user's file into one of the data folder's file stores (the pictures of customers and
// history entries) under a name no other stored file has, so a stored file is never replaced.

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// The name a store tries as attempt n: the file name itself for 0, else "<stem>_<n><extension>"
// ("photo.jpg", "photo_1.jpg", "photo_2.jpg", ...).
std::string CandidateName(const std::filesystem::path& fileName, int n);

// Copies the regular file source into folder (created when missing) under the first candidate
// name that is free, and gives that name (no folder). The copy is written and synced under a
// hidden temporary name and then renamed to the free name without replacing, so the folder never
// holds a half-written file under a stored name and an existing file is never touched. Nothing
// (and no leftover) when the source is missing or not a regular file, or any step fails; the
// reason is then in error.
std::optional<std::string> StoreUnderFreeName(const std::filesystem::path& folder,
                                              const std::filesystem::path& source, std::string& error);

}  // namespace platform
