#pragma once
// Reading and writing a whole settings file: the file is opened, wrapped in an archive with the
// 4096-byte buffer, serialised and closed.
//
// Writing is atomic: the values go to a new file in the same folder, which is flushed, synced
// and renamed over the old one. A crash, a full disk or any failure leaves the old file whole.

#include <filesystem>
#include <functional>

#include "settings/CArchive.h"
#include "settings/CClassRegistry.h"
#include "settings/CSerializable.h"

namespace settings {

class CSettingsFile {
 public:
  using Body = std::function<void(CArchive&)>;

  // Reads the file with body. Throws FileError when the file cannot be opened or read, and
  // passes on the ArchiveError of a body that finds bytes it does not expect.
  static void Load(const std::filesystem::path& file, const Body& body,
                   const CClassRegistry& classes = CClassRegistry::Program());

  // Replaces the file with what body writes. Throws FileError when the new file cannot be
  // created, written, synced or renamed into place; on that or any exception from body the new
  // file is removed, the old one is left as it was, and the exception passes on.
  static void Store(const std::filesystem::path& file, const Body& body);

  // A settings object at the top of a file: its fields only, no class record.
  static void Load(const std::filesystem::path& file, CSerializable& object,
                   const CClassRegistry& classes = CClassRegistry::Program());
  static void Store(const std::filesystem::path& file, CSerializable& object);
};

}  // namespace settings
