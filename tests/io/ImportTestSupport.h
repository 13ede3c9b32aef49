#pragma once
// What the import tests share: the real files made by other programs (../shared/testdata beside
// the worktree, or $TOVANA_TESTDATA), and bytes written to a file in a temporary folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "text/Cp932.h"

namespace io::test {

inline std::filesystem::path TestData() {
  if (const char* set = std::getenv("TOVANA_TESTDATA")) return set;
  return TOVANA_TESTDATA_DIR;
}

#define SKIP_WITHOUT_TESTDATA()                                                                 \
  do {                                                                                          \
    if (!std::filesystem::is_directory(::io::test::TestData())) GTEST_SKIP() << "no test data"; \
  } while (0)

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string Cp932(std::string_view utf8) {
  auto bytes = text::ToCp932(utf8);
  EXPECT_TRUE(bytes.has_value()) << utf8;
  return bytes.value_or(std::string());
}

}  // namespace io::test
