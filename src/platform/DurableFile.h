#pragma once
// Durable file replacement: write a temporary file beside the target, fsync it, rename it over the
// target, fsync the folder. After a crash at any moment the target is either the old or the new
// file, whole. Every call returns false with a readable reason in `error` and never throws.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

enum class FileOp { Write, Sync, Rename };

// Test hook: when set, it runs before every write, fsync (of a file or a folder) and rename done
// here, and a non-zero errno it returns makes that operation fail as if the system had reported
// it. Null by default, which costs one atomic load per operation. Returns the previous hook.
using FileFaultHook = int (*)(FileOp op, const std::filesystem::path& path);
FileFaultHook SetFileFaultHook(FileFaultHook hook);
// 0 to go ahead, or the errno the test hook wants this operation on path to fail with; for other
// writers of files that must honour the hook.
int InjectedError(FileOp op, const std::filesystem::path& path);

// The temporary name used for replacing target: "<name>.saving" in the same folder. Only one
// writer per target is expected, so a file by this name is always a leftover of a failed save.
std::filesystem::path SavingPathFor(const std::filesystem::path& target);

// fsync of a file's data and size.
bool SyncFile(const std::filesystem::path& file, std::string& error);
// fsync of a folder, which makes a rename or a removal inside it durable.
bool SyncFolder(const std::filesystem::path& folder, std::string& error);

// Renames from over to (same file system), then syncs the folder of to. When the rename fails
// both files are as before; when only the folder sync fails, to already holds the new file.
bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& error);

// Renames from to to only when to does not exist (a folder too), then syncs the folder of to.
// False with EEXIST's reason when to exists; from is then left as it was.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to,
                     std::string& error);

// Writes bytes to SavingPathFor(target), syncs it and replaces target with it. On failure target
// is unchanged (unless only the final folder sync failed) and the temporary file is removed.
// The new file gets the permission bits mode (less the umask) from its creation on.
bool WriteFileDurably(const std::filesystem::path& target, std::string_view bytes,
                      std::string& error, unsigned mode = 0644);

// A set of files that belong together, each replaced whole by its bytes, all or none: every new
// file is written and synced beside its target first, and only then are they renamed into place.
// When any write fails, no target is touched. When a rename fails, the targets already replaced
// get their old files back (a target that did not exist is removed again). A crash while the
// renames run can still leave some replaced; the old files are then kept as "<name>.previous".
// Targets must be distinct; on success no temporary file is left.
using FileBytes = std::pair<std::filesystem::path, std::string>;
bool WriteFilesDurably(const std::vector<FileBytes>& files, std::string& error, unsigned mode = 0644);

// Creates a new empty file; false when it already exists (or cannot be created). The check and
// the creation are one step, so of two processes racing for the name exactly one succeeds.
bool CreateNewFile(const std::filesystem::path& file, std::string& error);

// Removes a file if it is there. True when it is gone afterwards.
bool RemoveIfPresent(const std::filesystem::path& file, std::string& error);

}  // namespace platform
