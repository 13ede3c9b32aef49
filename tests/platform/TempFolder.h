#pragma once
// A fresh folder under the system temporary folder, removed with everything in it at scope end.

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

class TempFolder {
 public:
  TempFolder();
  // Under parent instead of the system temporary folder.
  explicit TempFolder(const std::filesystem::path& parent);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }
  // The names of the entries in the folder, sorted.
  std::vector<std::string> Names() const;

 private:
  std::filesystem::path path_;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace testing_support
