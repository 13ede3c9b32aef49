#pragma once
// The five catalogue files on disk: each holds one object array in the settings archive encoding,
// of top categories (with their middle and bottom categories and layouts inside) or of layouts.
// The archive code is the program's own, linked into this library privately; its class registry
// here knows only the four catalogue classes.

#include <filesystem>

#include "CatalogueTree.h"
#include "lumaro/CLumaro.h"

namespace lumaro {

enum class ReadResult {
  Loaded,
  Missing,     // no file of that name
  CannotOpen,  // there, but not a file that opens for reading
  Failed,      // cut short, damaged, or a read failed half-way
};

enum class WriteResult {
  Written,
  CannotCreate,  // the new file cannot be created beside the old one
  Failed,        // writing, syncing or replacing failed; the old file is as it was
};

// Reading fills into only when the whole file read back; otherwise into is left empty.
ReadResult ReadTreeFile(const std::filesystem::path& file, DaiList& into);
ReadResult ReadLayoutFile(const std::filesystem::path& file, CLumaro::LayoutList& into);

// Replaces the file: a new file beside it, synced, renamed over the old one.
WriteResult WriteTreeFile(const std::filesystem::path& file, const DaiList& tree);
WriteResult WriteLayoutFile(const std::filesystem::path& file, const CLumaro::LayoutList& layouts);

}  // namespace lumaro
