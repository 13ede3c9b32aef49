#pragma once
// Write-access probes for start-up's workspace check. Only the results; start-up shows the
// messages.

#include <filesystem>

namespace platform {

// True when folder does not exist, or when "dmy.txt" could be created in it (exclusively),
// closed and removed again. A "dmy.txt" left by an interrupted probe is removed first, so it
// never makes a writable folder look read-only.
bool ProbeFolderWritable(const std::filesystem::path& folder);

// True when the existing file can be opened for writing (it is neither created nor changed).
bool CanOpenForWriting(const std::filesystem::path& file);

}  // namespace platform
