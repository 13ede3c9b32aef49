#pragma once
// Code-point stepping over UTF-8, shared by the text conversions.

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

inline constexpr char32_t kReplacement = 0xFFFD;

// The code point at pos, advancing pos past it. A malformed byte gives U+FFFD and advances by one.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);

void AppendUtf8(std::string& out, char32_t cp);

}  // namespace text
