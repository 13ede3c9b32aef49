#pragma once
// CP932 text read the way it was typed: for files brought in from outside.

#include <string>
#include <string_view>

namespace text {

// As FromCp932, but 81 60 reads as the wave dash 〜 (U+301C), as JIS names it and as Japanese
// input methods here type it, not as Windows' fullwidth tilde ～ (U+FF5E): text read from a CP932
// file then equals the same text typed in, or read from a Unicode copy of the file.
std::string FromCp932AsTyped(std::string_view cp932);

}  // namespace text
