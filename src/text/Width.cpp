#include "text/Width.h"

#include <iterator>

#include "text/Utf8.h"

namespace text {

namespace {

// Full-width forms of U+FF61 to U+FF9F, in code order.
constexpr char16_t kFullKana[] = {0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

constexpr char32_t kVoicedMark = 0xFF9E;
constexpr char32_t kSemiVoicedMark = 0xFF9F;

bool TakesVoicedMark(char32_t full) {
  return (full >= 0x30AB && full <= 0x30C8 && full != 0x30C3) || (full >= 0x30CF && full <= 0x30DB);
}

bool TakesSemiVoicedMark(char32_t full) { return full >= 0x30CF && full <= 0x30DB; }

template <typename Map>
std::string MapCodePoints(std::string_view utf8, Map map) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    AppendUtf8(out, map(NextCodePoint(utf8, pos)));
  }
  return out;
}

// The half-width form of a character of kFullKana; 0 when it has none.
char32_t HalfOf(char32_t full) {
  for (std::size_t i = 0; i < std::size(kFullKana); ++i) {
    if (kFullKana[i] == full) return 0xFF61 + static_cast<char32_t>(i);
  }
  return 0;
}

}  // namespace

std::string FullWidthDigitsToAscii(std::string_view utf8) {
  return MapCodePoints(utf8, [](char32_t cp) { return cp >= U'０' && cp <= U'９' ? U'0' + (cp - U'０') : cp; });
}

std::string FullWidthAsciiToAscii(std::string_view utf8) {
  return MapCodePoints(utf8, [](char32_t cp) -> char32_t {
    if (cp >= 0xFF01 && cp <= 0xFF5E) return cp - 0xFF01 + U'!';
    return cp == 0x3000 ? U' ' : cp;
  });
}

std::string AsciiDigitsToFullWidth(std::string_view utf8) {
  return MapCodePoints(utf8, [](char32_t cp) { return cp >= U'0' && cp <= U'9' ? U'０' + (cp - U'0') : cp; });
}

std::string HalfKanaToFullWidth(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, pos);
    if (cp < 0xFF61 || cp > 0xFF9F) {
      AppendUtf8(out, cp);
      continue;
    }
    char32_t full = kFullKana[cp - 0xFF61];
    std::size_t next = pos;
    const char32_t mark = pos < utf8.size() ? NextCodePoint(utf8, next) : 0;
    if (mark == kVoicedMark && full == U'ウ') {
      full = U'ヴ', pos = next;
    } else if (mark == kVoicedMark && TakesVoicedMark(full)) {
      full += 1, pos = next;
    } else if (mark == kSemiVoicedMark && TakesSemiVoicedMark(full)) {
      full += 2, pos = next;
    }
    AppendUtf8(out, full);
  }
  return out;
}

std::string AsciiLettersToFullWidth(std::string_view utf8) {
  return MapCodePoints(utf8, [](char32_t cp) -> char32_t {
    if (cp >= U'a' && cp <= U'z') return U'ａ' + (cp - U'a');
    if (cp >= U'A' && cp <= U'Z') return U'Ａ' + (cp - U'A');
    return cp;
  });
}

std::string MergeVoicingMarks(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, pos);
    std::size_t next = pos;
    const char32_t mark = pos < utf8.size() ? NextCodePoint(utf8, next) : 0;
    // Only a plain kana takes a mark: ガ followed by ゛ must not become ギ.
    const bool plain = HalfOf(cp) != 0;
    if (mark == U'゛' && cp == U'ウ') {
      cp = U'ヴ', pos = next;
    } else if (mark == U'゛' && plain && TakesVoicedMark(cp)) {
      cp += 1, pos = next;
    } else if (mark == U'゜' && plain && TakesSemiVoicedMark(cp)) {
      cp += 2, pos = next;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::string ToHalfWidthKatakana(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, pos);
    if (cp >= U'ぁ' && cp <= U'ゖ') cp += U'ァ' - U'ぁ';  // hiragana to katakana
    if (cp == U'　') {
      out += ' ';
    } else if (const char32_t half = HalfOf(cp)) {
      AppendUtf8(out, half);
    } else if (cp == U'ヴ' || cp == U'ヷ' || cp == U'ヺ') {
      AppendUtf8(out, HalfOf(cp == U'ヴ' ? U'ウ' : cp == U'ヷ' ? U'ワ' : U'ヲ'));
      AppendUtf8(out, kVoicedMark);
    } else if (TakesVoicedMark(cp - 1) && HalfOf(cp - 1)) {
      AppendUtf8(out, HalfOf(cp - 1));
      AppendUtf8(out, kVoicedMark);
    } else if (TakesSemiVoicedMark(cp - 2) && HalfOf(cp - 2)) {
      AppendUtf8(out, HalfOf(cp - 2));
      AppendUtf8(out, kSemiVoicedMark);
    } else {
      AppendUtf8(out, cp);
    }
  }
  return out;
}

bool IsKanaOnly(std::string_view utf8) {
  if (utf8.empty()) return false;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, pos);
    const bool kana = (cp >= U'ぁ' && cp <= U'ゟ') || (cp >= U'゠' && cp <= U'ヿ') || (cp >= 0xFF66 && cp <= 0xFF9F) ||
                      cp == U' ' || cp == U'　';
    if (!kana) return false;
  }
  return true;
}

std::string DigitsToKanji(std::string_view utf8) {
  static constexpr char32_t kKanji[] = {U'〇', U'一', U'二', U'三', U'四', U'五', U'六', U'七', U'八', U'九'};
  return MapCodePoints(utf8, [](char32_t cp) {
    if (cp >= U'0' && cp <= U'9') return kKanji[cp - U'0'];
    if (cp >= U'０' && cp <= U'９') return kKanji[cp - U'０'];
    return cp;
  });
}

}  // namespace text
