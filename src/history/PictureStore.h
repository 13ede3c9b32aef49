#pragma once
// Bringing a chosen picture file into a picture folder, shared by every record that holds a
// picture name.

#include <filesystem>
#include <string>

namespace history {

// A source with a folder part is copied into folder (created when missing) under its own name, or
// "name_1.ext", "name_2.ext", ... while that name is taken; an existing file is never overwritten.
// Returns the name the record is to hold: the bare stored name; or source unchanged when it is
// empty, already a bare name, missing, or the copy failed (no partial copy is left behind).
std::string StorePictureFile(const std::filesystem::path& folder, const std::string& source);

// Where a held picture name is found: a bare name inside folder, a path as it is; empty for none.
std::filesystem::path PictureFilePath(const std::filesystem::path& folder, const std::string& name);

}  // namespace history
