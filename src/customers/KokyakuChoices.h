#pragma once
// The fixed lists of the customer entry dialogs, each item carrying the value it stores.

#include <cstdint>
#include <string>
#include <vector>

namespace customers {

struct ChoiceItem {
  std::string text;
  std::int32_t value;
};

// 締日: 5, 10, 15, 20, 25, 30, "99(末)", then the other days 1 to 31.
const std::vector<ChoiceItem>& ClosingDayItems();
// 決算月: "1" to "12".
const std::vector<ChoiceItem>& ClosingMonthItems();
// The coded columns' names in code order (EntryType, Sex, TaxMethod).
std::vector<ChoiceItem> CodedItems(const char* column);
// The seven colour marks, なし first.
std::vector<ChoiceItem> ColorMarkItems();
// The 47 prefectures in the standard order, and the two honorifics.
std::vector<std::string> PrefectureTexts();
std::vector<std::string> SuffixTexts();

// The position of value among items; -1 when none carries it.
int PositionOf(const std::vector<ChoiceItem>& items, std::int32_t value);

}  // namespace customers
