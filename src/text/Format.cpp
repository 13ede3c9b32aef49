#include "text/Format.h"

namespace text {

std::string FormatArgs(std::string_view pattern, std::span<const std::string_view> args) {
  std::string out;
  out.reserve(pattern.size() + 32);
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const char d = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (c == '%' && d == '%') {
      out += '%';
      ++i;
    } else if (c == '%' && (d == 's' || d == 'd') && next != args.end()) {
      out += *next++;
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace text
