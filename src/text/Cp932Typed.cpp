#include "text/Cp932Typed.h"

#include "text/Cp932.h"

namespace text {

std::string FromCp932AsTyped(std::string_view cp932) {
  std::string utf8 = FromCp932(cp932);
  constexpr std::string_view kFullwidthTilde = "\xEF\xBD\x9E", kWaveDash = "\xE3\x80\x9C";
  for (std::size_t at = utf8.find(kFullwidthTilde); at != std::string::npos; at = utf8.find(kFullwidthTilde, at + 3)) {
    utf8.replace(at, 3, kWaveDash);
  }
  return utf8;
}

}  // namespace text
