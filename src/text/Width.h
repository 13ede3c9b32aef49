#pragma once
// Width and numeral conversions of Japanese text (all UTF-8 in, UTF-8 out).

#include <string>
#include <string_view>

namespace text {

// "０"-"９" become "0"-"9"; everything else is kept.
std::string FullWidthDigitsToAscii(std::string_view utf8);

// The full-width forms of ASCII ("Ｓ", "４", "／", "，", "．", "－", ...) become ASCII and the
// ideographic space a space, as a typed number or date is read; everything else is kept.
std::string FullWidthAsciiToAscii(std::string_view utf8);

// "0"-"9" become "０"-"９"; everything else is kept.
std::string AsciiDigitsToFullWidth(std::string_view utf8);

// Half-width katakana and their punctuation become full width; a voiced (ﾞ) or semi-voiced (ﾟ)
// mark after a kana that takes it merges into one character (ｶﾞ to ガ, ﾊﾟ to パ, ｳﾞ to ヴ).
std::string HalfKanaToFullWidth(std::string_view utf8);

// Each digit, ASCII or full width, written as its kanji numeral ("2024" to "二〇二四").
std::string DigitsToKanji(std::string_view utf8);

}  // namespace text
