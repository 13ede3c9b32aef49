#pragma once
// A byte stream over a memory buffer: an archive written here can be inspected, damaged and read.

#include <cstddef>
#include <string>

#include "settings/CByteStream.h"

namespace settings {

class CMemoryStream final : public CByteStream {
 public:
  CMemoryStream() = default;
  // Reading starts at the first of these bytes.
  explicit CMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}

  std::size_t Read(char* data, std::size_t size) override;
  // Appends to the buffer; never fails.
  void Write(const char* data, std::size_t size) override;

  // Everything written or given so far.
  const std::string& Bytes() const noexcept { return bytes_; }

 private:
  std::string bytes_;
  std::size_t readPos_ = 0;
};

}  // namespace settings
