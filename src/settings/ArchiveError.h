#pragma once
// The bytes of a settings archive are not what its reader expects. Thrown only inside settings
// code; the code that handles the file catches it and shows that file's message.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace settings {

class ArchiveError : public std::runtime_error {
 public:
  enum class Kind {
    EndOfFile,  // the data ends inside a value: the file was cut short
    BadFormat,  // a tag, index or length that no writer produces
    BadClass,   // a class name no registered class bears, or of 64 bytes or more, or an object
                // of a class other than the one expected there
    BadSchema,  // a class record whose schema number differs from the class's own
  };

  ArchiveError(Kind kind, std::uint64_t offset, const std::string& detail);

  Kind GetKind() const noexcept { return kind_; }
  // The archive position (bytes from the start) at which the fault was found.
  std::uint64_t GetOffset() const noexcept { return offset_; }
  // Every kind but EndOfFile: the file is damaged or not of this kind, rather than cut short.
  bool IsFormatError() const noexcept { return kind_ != Kind::EndOfFile; }

 private:
  Kind kind_;
  std::uint64_t offset_;
};

}  // namespace settings
