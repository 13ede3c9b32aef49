#pragma once
// The byte source or sink under an archive: an open file or a memory buffer.

#include <cstddef>

namespace settings {

class CByteStream {
 public:
  virtual ~CByteStream() = default;

  // Reads up to size bytes into data and returns how many; 0 only at the end of the data.
  // Throws FileError when the read fails.
  virtual std::size_t Read(char* data, std::size_t size) = 0;

  // Writes all size bytes, or throws FileError.
  virtual void Write(const char* data, std::size_t size) = 0;
};

}  // namespace settings
