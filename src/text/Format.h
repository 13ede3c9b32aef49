#pragma once
// The system's message patterns, filled safely: each "%s" or "%d" takes the next argument in
// order (text or a whole number), "%%" is a percent sign. A pattern never reads past its arguments:
// a placeholder without an argument stays as written, an argument without a placeholder is dropped.

#include <concepts>
#include <span>
#include <string>
#include <string_view>

namespace text {

std::string FormatArgs(std::string_view pattern, std::span<const std::string_view> args);

namespace detail {
inline std::string_view AsText(std::string_view s) { return s; }
inline std::string_view AsText(const std::string& s) { return s; }
inline std::string_view AsText(const char* s) { return s; }
template <std::integral N>
std::string AsText(N n) {
  return std::to_string(n);
}
}  // namespace detail

template <typename... Args>
std::string Format(std::string_view pattern, const Args&... args) {
  const std::string texts[] = {std::string(detail::AsText(args))..., std::string()};
  std::string_view views[sizeof...(Args) + 1];
  for (std::size_t i = 0; i < sizeof...(Args); ++i) views[i] = texts[i];
  return FormatArgs(pattern, std::span<const std::string_view>(views, sizeof...(Args)));
}

}  // namespace text
