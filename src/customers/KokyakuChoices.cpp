#include "customers/KokyakuChoices.h"

#include "lookup/PostalRecords.h"
#include "records/KokyakuColumns.h"

namespace customers {

namespace {

std::vector<ChoiceItem> MakeClosingDays() {
  std::vector<ChoiceItem> items;
  for (int day : {5, 10, 15, 20, 25, 30}) items.push_back({std::to_string(day), day});
  items.push_back({"99(末)", 99});
  for (int day = 1; day <= 31; ++day) {
    if (day % 5 != 0 || day > 30) items.push_back({std::to_string(day), day});
  }
  return items;
}

std::vector<ChoiceItem> MakeMonths() {
  std::vector<ChoiceItem> items;
  for (int month = 1; month <= 12; ++month) items.push_back({std::to_string(month), month});
  return items;
}

}  // namespace

const std::vector<ChoiceItem>& ClosingDayItems() {
  static const std::vector<ChoiceItem> items = MakeClosingDays();
  return items;
}

const std::vector<ChoiceItem>& ClosingMonthItems() {
  static const std::vector<ChoiceItem> items = MakeMonths();
  return items;
}

std::vector<ChoiceItem> CodedItems(const char* column) {
  std::vector<ChoiceItem> items;
  const records::KokyakuColumn* c = records::FindKokyakuColumn(column);
  if (!c || !c->rule) return items;
  std::int32_t code = c->rule->min;
  for (const std::string_view name : c->rule->names) items.push_back({std::string(name), code++});
  return items;
}

std::vector<ChoiceItem> ColorMarkItems() {
  std::vector<ChoiceItem> items;
  for (const auto& mark : records::ColorMarks()) items.push_back({std::string(mark.name), mark.colour});
  return items;
}

std::vector<std::string> PrefectureTexts() {
  std::vector<std::string> texts;
  for (int code = 1; code <= lookup::kPrefectureCount; ++code) texts.emplace_back(lookup::PrefectureName(code));
  return texts;
}

std::vector<std::string> SuffixTexts() { return {"様", "御中"}; }

int PositionOf(const std::vector<ChoiceItem>& items, std::int32_t value) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].value == value) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace customers
