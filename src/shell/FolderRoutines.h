#pragma once
// The folder operations of every command that writes into a folder the user names (backup,
// history deletion, a new data folder, export).

#include <filesystem>
#include <string>
#include <string_view>

#include "ui/Ui.h"

namespace shell {

inline constexpr const char* kAskCreateFolder = "指定されたフォルダは存在しません。\nフォルダを作成しますか？";
inline constexpr const char* kCannotCreateFolder = "フォルダを作成できませんでした。";

enum EnsureFolderResult { kFolderMissing = 0, kFolderExists = 1, kFolderCreated = 2, kFolderDeclined = 3, kFolderFailed = 4 };

// 1 the folder exists; 0 it is missing and mayCreate is off; with askFirst the person is asked
// first and 3 is a No; 2 it was created with every missing parent; 4 after "フォルダを作成
// できませんでした。" (also for a path that names a file, and for a root, which is never created).
int EnsureFolder(ui::Ui& ui, const std::filesystem::path& path, bool mayCreate, bool askFirst);

// Whether folder holds a file (subfolders do not count), of that extension when one is given
// ("qmv" matches "a.qmv" but not "a.qmv2"; compared without case); firstName receives the first
// such name in name order. False for a folder that is missing or cannot be read.
bool FolderHasFiles(const std::filesystem::path& folder, std::string_view extension = {},
                    std::string* firstName = nullptr);

}  // namespace shell
