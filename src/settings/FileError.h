#pragma once
// A settings file that cannot be opened, read, written or replaced. Thrown only inside settings
// code; the code that handles the file catches it and shows that file's message.

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace settings {

class FileError : public std::runtime_error {
 public:
  // action names what failed ("open", "write", ...); errorNumber is the errno of the failure.
  FileError(const std::filesystem::path& path, std::string_view action, int errorNumber);

  const std::filesystem::path& GetPath() const noexcept { return path_; }
  int GetErrorNumber() const noexcept { return errorNumber_; }

 private:
  std::filesystem::path path_;
  int errorNumber_;
};

}  // namespace settings
