#include "lookup/PostalRecords.h"

#include <array>

namespace lookup {
namespace {

constexpr std::array<std::string_view, kPrefectureCount> kPrefectures = {
    "北海道", "青森県", "岩手県", "宮城県", "秋田県", "山形県", "福島県", "茨城県", "栃木県", "群馬県",
    "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県", "石川県", "福井県", "山梨県", "長野県",
    "岐阜県", "静岡県", "愛知県", "三重県", "滋賀県", "京都府", "大阪府", "兵庫県", "奈良県", "和歌山県",
    "鳥取県", "島根県", "岡山県", "広島県", "山口県", "徳島県", "香川県", "愛媛県", "高知県", "福岡県",
    "佐賀県", "長崎県", "熊本県", "大分県", "宮崎県", "鹿児島県", "沖縄県"};

}  // namespace

int PrefectureCode(std::string_view name) {
  for (std::size_t i = 0; i < kPrefectures.size(); ++i) {
    if (kPrefectures[i] == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string_view PrefectureName(int code) {
  if (code < 1 || code > kPrefectureCount) return {};
  return kPrefectures[static_cast<std::size_t>(code) - 1];
}

}  // namespace lookup
