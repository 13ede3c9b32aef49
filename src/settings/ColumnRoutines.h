#pragma once
// The column lookups every screen shares: which columns may be shown in lists, a column's
// current label, and the customer list's columns resolved against the column set.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CNeritEnv.h"
#include "settings/CQMVCol.h"
#include "ui/Ui.h"

namespace settings {

// 0 for the keys never offered as list or sort columns (ID, the hidden telephone numbers, the
// pictures), 1 for every other key.
int IsDispColumn(std::string_view key);

// The key's label in a freshly loaded column set; empty when the set does not load or has no
// such key.
std::string GetColLabel(ui::Ui& ui, std::string_view key,
                        const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

// Replaces out with copies of the customer list's columns in display order; keys without a
// definition are skipped. Without a readable display file: お客様コード and 氏名, and that choice
// is written as the new display file unless the old one is there but does not open.
void GetDispColumns(ui::Ui& ui, std::vector<std::unique_ptr<CQMVCol>>& out,
                    const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

}  // namespace settings
