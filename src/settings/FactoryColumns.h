#pragma once
// The factory column set: every customer column once, in the order choosers list them, with the
// label a new installation shows. Re-initialisation writes exactly this.

#include <filesystem>
#include <span>
#include <string_view>

namespace settings {

struct FactoryColumn {
  std::string_view key;
  std::string_view label;
  bool renamable;  // a free item: notes, rankings and main merchandise
};

std::span<const FactoryColumn> FactoryColumns();

// Writes the factory set as a column-set file (atomically). Throws FileError when it cannot.
void StoreFactoryColumnSet(const std::filesystem::path& file);

}  // namespace settings
