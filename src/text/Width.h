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

// "a"-"z" and "A"-"Z" become "ａ"-"ｚ" and "Ａ"-"Ｚ"; everything else is kept.
std::string AsciiLettersToFullWidth(std::string_view utf8);

// A full-width katakana followed by the spacing voiced mark "゛" or semi-voiced mark "゜" becomes
// the one voiced or semi-voiced katakana ("カ゛" to "ガ", "ハ゜" to "パ", "ウ゛" to "ヴ"); a mark
// after anything that does not take it is kept as it is.
std::string MergeVoicingMarks(std::string_view utf8);

// Each digit, ASCII or full width, written as its kanji numeral ("2024" to "二〇二四").
std::string DigitsToKanji(std::string_view utf8);

// A reading as furigana fields keep it: hiragana and full-width katakana become half-width
// katakana, a voiced or semi-voiced kana two characters (ガ to ｶﾞ, ぱ to ﾊﾟ, ヴ to ｳﾞ), the
// long-vowel mark, kana punctuation and the ideographic space their half-width forms. Kana with
// no half-width form (ヵ, ヶ, ヮ, ヰ, ヱ) stay full-width katakana; everything else is kept.
std::string ToHalfWidthKatakana(std::string_view utf8);

// Whether the text is all kana as an input method composes it before conversion: hiragana,
// katakana of either width, the long-vowel and voicing marks and spaces. False for empty text.
bool IsKanaOnly(std::string_view utf8);

}  // namespace text
