#pragma once
// "ヘルプ目次": the help's HTML pages in the desktop's browser through xdg-open. When the file is
// missing or no program can show it, the person is told where the help file is, so that it can
// still be opened by hand.

#include <filesystem>

#include "ui/Ui.h"

namespace app {

inline constexpr const char* kHelpMissing = "ヘルプファイルが見つかりません。\n%s";
inline constexpr const char* kHelpNoViewer =
    "ヘルプを表示できるプログラムが見つかりません。\n"
    "ヘルプファイルは次の場所にあります。ブラウザで開いてください。\n%s";

// Shows file with opener under a wait cursor. 1 when the opener took it (it ended successfully,
// or still runs after a moment, as a browser it started in its place may); else 0 after the
// message naming the file.
int ShowHelpContents(ui::Ui& ui, const std::filesystem::path& file,
                     const std::filesystem::path& opener = "/usr/bin/xdg-open");

}  // namespace app
