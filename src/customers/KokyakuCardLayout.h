#pragma once
// Where each of the 71 customer columns stands on the two detail pages of the card pane, in
// pixels before scrolling, and the watermark a page carries. The table is fixed: every column
// appears exactly once, on page 1 (詳細) or page 2 (詳細２).

#include <span>
#include <string>
#include <string_view>

#include "records/CKokyaku.h"

namespace customers {

// Where a field's label stands: in the 100 pixels left of its value, above it (pictures), or
// nowhere (a field that reads as part of its neighbour, such as the honorific after the name).
enum class CardLabel { Left, Above, None };

struct KokyakuCardField {
  std::string_view column;
  int page;  // 1 or 2
  int x, y, width, height;
  CardLabel label;
};

inline constexpr int kCardRowHeight = 22;
inline constexpr int kCardLabelGap = 100;  // a left label starts this far left of its value
inline constexpr int kCardLabelWidth = 96;
inline constexpr int kCardPictureLabelHeight = 18;
inline constexpr int kCardWidth = 510;

// Every column once, page 1 first, each page top to bottom and left to right.
std::span<const KokyakuCardField> KokyakuCardFields();
// The field of that column, or null.
const KokyakuCardField* FindKokyakuCardField(std::string_view column);
// The height a page needs (1 or 2; 0 for any other page).
int KokyakuCardPageHeight(int page);

// The label rectangle of a field; an empty rectangle (width 0) for CardLabel::None.
struct CardRect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const CardRect&, const CardRect&) = default;
};
CardRect KokyakuCardLabelRect(const KokyakuCardField& field);

// The text drawn faintly behind a page's fields, where, and how large.
struct CardWatermark {
  std::string text;  // empty: no watermark
  CardRect rect;
  int points = 0;  // bold, word-wrapped and centred in rect
};

inline constexpr std::string_view kVipRank = "VIP";
inline constexpr std::string_view kBlacklistRank = "ブラックリスト";
inline constexpr int kVipRepeats = 401;

// Page 1 of a VIP customer: "VIP" 401 times in 20 points over (10, 10)-(500, 594); page 1 of a
// blacklisted one: "要注意！ " and the rank in 30 points over (110, 10)-(250, 120); else none.
CardWatermark KokyakuCardWatermark(const records::CKokyaku& customer, int page);

}  // namespace customers
