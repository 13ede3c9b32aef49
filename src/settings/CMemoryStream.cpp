#include "settings/CMemoryStream.h"

#include <algorithm>
#include <cstring>

namespace settings {

std::size_t CMemoryStream::Read(char* data, std::size_t size) {
  const std::size_t n = std::min(size, bytes_.size() - readPos_);
  std::memcpy(data, bytes_.data() + readPos_, n);
  readPos_ += n;
  return n;
}

void CMemoryStream::Write(const char* data, std::size_t size) { bytes_.append(data, size); }

}  // namespace settings
