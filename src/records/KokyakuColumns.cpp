#include "records/KokyakuColumns.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <unordered_map>

#include "text/Cp932.h"
#include "text/Width.h"

namespace records {

namespace {

constexpr std::string_view kSexNames[] = {"男", "女"};
constexpr std::string_view kEntryTypeNames[] = {"法人", "個人"};
constexpr std::string_view kCustomerTypeNames[] = {"正規顧客", "見込み客"};
constexpr std::string_view kTaxMethodNames[] = {"外税（納品ごと）", "外税（請求時）", "内税", "なし", "未設定"};

constexpr CodeRule kSex{0, 1, -1, 0, kSexNames};
constexpr CodeRule kEntryType{0, 1, -1, 1, kEntryTypeNames};
constexpr CodeRule kCustomerType{0, 1, -1, 0, kCustomerTypeNames};
constexpr CodeRule kTaxMethod{0, 4, -1, 4, kTaxMethodNames};
constexpr CodeRule kClosingDate{0, 12, -1, 0, {}};  // 0 = not set
constexpr CodeRule kClosingDay{1, 31, 99, 0, {}};   // 99 = last day of the month; 0 = not set
constexpr CodeRule kCommonMail{1, 5, -1, 1, {}};

constexpr std::int32_t kLastDayOfMonth = 99;

const std::array<KokyakuColumn, 71> kColumns = {{
    {"ID", ColumnKind::Number, 0, &CKokyaku::ID, nullptr},
    {"CustomerID", ColumnKind::Text, 20, &CKokyaku::CustomerID, nullptr},
    {"Name", ColumnKind::Text, 50, &CKokyaku::Name, nullptr},
    {"Yomi", ColumnKind::Text, 50, &CKokyaku::Yomi, nullptr},
    {"Suffix", ColumnKind::Text, 10, &CKokyaku::Suffix, nullptr},
    {"Sex", ColumnKind::Coded, 0, &CKokyaku::Sex, &kSex},
    {"EntryType", ColumnKind::Coded, 0, &CKokyaku::EntryType, &kEntryType},
    {"CustomerType", ColumnKind::Coded, 0, &CKokyaku::CustomerType, &kCustomerType},
    {"StartDate", ColumnKind::Date, 0, &CKokyaku::StartDate, nullptr},
    {"LastUpDate", ColumnKind::Date, 0, &CKokyaku::LastUpDate, nullptr},
    {"TantouName", ColumnKind::Text, 30, &CKokyaku::TantouName, nullptr},
    {"BirthDay", ColumnKind::Date, 0, &CKokyaku::BirthDay, nullptr},
    {"Zip_Home", ColumnKind::Text, 10, &CKokyaku::Zip_Home, nullptr},
    {"Add1_Home", ColumnKind::Text, 20, &CKokyaku::Add1_Home, nullptr},
    {"Add2_Home", ColumnKind::Text, 255, &CKokyaku::Add2_Home, nullptr},
    {"Add3_Home", ColumnKind::Text, 255, &CKokyaku::Add3_Home, nullptr},
    {"TEL_Home", ColumnKind::Text, 20, &CKokyaku::TEL_Home, nullptr},
    {"FAX_Home", ColumnKind::Text, 20, &CKokyaku::FAX_Home, nullptr},
    {"CellPhone1", ColumnKind::Text, 20, &CKokyaku::CellPhone1, nullptr},
    {"CellPhone2", ColumnKind::Text, 20, &CKokyaku::CellPhone2, nullptr},
    {"CompName", ColumnKind::Text, 100, &CKokyaku::CompName, nullptr},
    {"CompYomi", ColumnKind::Text, 100, &CKokyaku::CompYomi, nullptr},
    {"Section", ColumnKind::Text, 100, &CKokyaku::Section, nullptr},
    {"Post", ColumnKind::Text, 100, &CKokyaku::Post, nullptr},
    {"Represent", ColumnKind::Text, 50, &CKokyaku::Represent, nullptr},
    {"CompType", ColumnKind::Text, 50, &CKokyaku::CompType, nullptr},
    {"Zip_Office", ColumnKind::Text, 10, &CKokyaku::Zip_Office, nullptr},
    {"Add1_Office", ColumnKind::Text, 20, &CKokyaku::Add1_Office, nullptr},
    {"Add2_Office", ColumnKind::Text, 255, &CKokyaku::Add2_Office, nullptr},
    {"Add3_Office", ColumnKind::Text, 255, &CKokyaku::Add3_Office, nullptr},
    {"TEL_Office", ColumnKind::Text, 20, &CKokyaku::TEL_Office, nullptr},
    {"FAX_Office", ColumnKind::Text, 20, &CKokyaku::FAX_Office, nullptr},
    {"EMail1", ColumnKind::Text, 255, &CKokyaku::EMail1, nullptr},
    {"EMail2", ColumnKind::Text, 255, &CKokyaku::EMail2, nullptr},
    {"EMail3", ColumnKind::Text, 255, &CKokyaku::EMail3, nullptr},
    {"EMail4", ColumnKind::Text, 255, &CKokyaku::EMail4, nullptr},
    {"EMail5", ColumnKind::Text, 255, &CKokyaku::EMail5, nullptr},
    {"URL1", ColumnKind::Text, 255, &CKokyaku::URL1, nullptr},
    {"URL2", ColumnKind::Text, 255, &CKokyaku::URL2, nullptr},
    {"ClosingDate", ColumnKind::Number, 0, &CKokyaku::ClosingDate, &kClosingDate},
    {"Bank1", ColumnKind::Text, 255, &CKokyaku::Bank1, nullptr},
    {"Bank2", ColumnKind::Text, 255, &CKokyaku::Bank2, nullptr},
    {"ClosingDay", ColumnKind::Number, 0, &CKokyaku::ClosingDay, &kClosingDay},
    {"TaxMethod", ColumnKind::Coded, 0, &CKokyaku::TaxMethod, &kTaxMethod},
    {"PayMethod", ColumnKind::Text, 50, &CKokyaku::PayMethod, nullptr},
    {"MainMerchant1", ColumnKind::Text, 100, &CKokyaku::MainMerchant1, nullptr},
    {"MainMerchant2", ColumnKind::Text, 100, &CKokyaku::MainMerchant2, nullptr},
    {"MainMerchant3", ColumnKind::Text, 100, &CKokyaku::MainMerchant3, nullptr},
    {"MainMerchant4", ColumnKind::Text, 100, &CKokyaku::MainMerchant4, nullptr},
    {"MainMerchant5", ColumnKind::Text, 100, &CKokyaku::MainMerchant5, nullptr},
    {"Picture1", ColumnKind::Text, 255, &CKokyaku::Picture1, nullptr},
    {"Picture2", ColumnKind::Text, 255, &CKokyaku::Picture2, nullptr},
    {"Picture3", ColumnKind::Text, 255, &CKokyaku::Picture3, nullptr},
    {"Picture4", ColumnKind::Text, 255, &CKokyaku::Picture4, nullptr},
    {"Picture5", ColumnKind::Text, 255, &CKokyaku::Picture5, nullptr},
    {"ColorMark", ColumnKind::Colour, 0, &CKokyaku::ColorMark, nullptr},
    {"ImportantRanking", ColumnKind::Text, 50, &CKokyaku::ImportantRanking, nullptr},
    {"Ranking1", ColumnKind::Text, 50, &CKokyaku::Ranking1, nullptr},
    {"Ranking2", ColumnKind::Text, 50, &CKokyaku::Ranking2, nullptr},
    {"Note1", ColumnKind::Text, 255, &CKokyaku::Note1, nullptr},
    {"Note2", ColumnKind::Text, 255, &CKokyaku::Note2, nullptr},
    {"Note3", ColumnKind::Text, 255, &CKokyaku::Note3, nullptr},
    {"Note4", ColumnKind::Text, 255, &CKokyaku::Note4, nullptr},
    {"Note5", ColumnKind::Text, 255, &CKokyaku::Note5, nullptr},
    {"Note6", ColumnKind::Text, 255, &CKokyaku::Note6, nullptr},
    {"Note7", ColumnKind::Text, 255, &CKokyaku::Note7, nullptr},
    {"Note8", ColumnKind::Text, 255, &CKokyaku::Note8, nullptr},
    {"Note9", ColumnKind::Text, 255, &CKokyaku::Note9, nullptr},
    {"Note10", ColumnKind::Text, 255, &CKokyaku::Note10, nullptr},
    {"RirekiUpDate", ColumnKind::Date, 0, &CKokyaku::RirekiUpDate, nullptr},
    {"CommonMail", ColumnKind::Number, 0, &CKokyaku::CommonMail, &kCommonMail},
}};

constexpr ColorMarkName kColorMarks[] = {
    {0xFFFFFF, "なし"}, {0x0099FF, "ｺﾞｰﾙﾄﾞ"}, {0xCCCCCC, "ｼﾙﾊﾞｰ"}, {0xFF0000, "青"},
    {0x00FFFF, "黄"},   {0x0000FF, "赤"},     {0x000000, "ﾌﾞﾗｯｸ"},
};

std::string Decimal(std::int32_t v) { return std::to_string(v); }

std::string CodedText(const CodeRule& rule, std::int32_t value, TextStyle style) {
  const std::int32_t code = rule.Read(value);
  const std::string_view name = rule.names[static_cast<std::size_t>(code - rule.min)];
  if (style != TextStyle::Export) return std::string(name);
  return Decimal(code) + "：" + std::string(name);
}

std::string NumberText(const KokyakuColumn& c, std::int32_t value, const CKokyaku& k, TextStyle style) {
  if (c.name == "CommonMail") return style == TextStyle::Export ? Decimal(value) : CommonMailAddress(k);
  if (!c.rule || style == TextStyle::Export) return Decimal(value);
  if (!c.rule->Accepts(value) || value == c.rule->fallback) return {};
  if (style != TextStyle::Card) return Decimal(value);
  if (c.name == "ClosingDate") return Decimal(value) + "月";
  return value == kLastDayOfMonth ? "月末" : Decimal(value) + "日";
}

std::string IntText(const KokyakuColumn& c, std::int32_t value, const CKokyaku& k, TextStyle style) {
  switch (c.kind) {
    case ColumnKind::Coded: return CodedText(*c.rule, value, style);
    case ColumnKind::Colour: return std::string(ColorMarkText(value));
    default: return NumberText(c, value, k, style);
  }
}

void SetInt(const KokyakuColumn& c, std::int32_t& field, std::string_view text) {
  if (c.rule) {
    const std::int32_t code = ReadCode(text);
    field = code >= 0 && c.rule->Accepts(code) ? code : c.rule->fallback;
    return;
  }
  const std::string digits = text::FullWidthDigitsToAscii(text);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc()) field = value;
}

}  // namespace

std::span<const KokyakuColumn> KokyakuColumns() { return kColumns; }

const KokyakuColumn* FindKokyakuColumn(std::string_view name) {
  static const auto* const index = [] {
    auto* map = new std::unordered_map<std::string_view, const KokyakuColumn*>;
    for (const auto& c : kColumns) map->emplace(c.name, &c);
    return map;
  }();
  const auto it = index->find(name);
  return it == index->end() ? nullptr : it->second;
}

std::string AddHomeX(const CKokyaku& k) { return k.Add1_Home + k.Add2_Home + k.Add3_Home; }
std::string AddOfficeX(const CKokyaku& k) { return k.Add1_Office + k.Add2_Office + k.Add3_Office; }

std::span<const ColorMarkName> ColorMarks() { return kColorMarks; }

std::string_view ColorMarkText(std::int32_t colour) {
  for (const auto& mark : kColorMarks) {
    if (mark.colour == colour) return mark.name;
  }
  return {};
}

const std::string& CommonMailAddress(const CKokyaku& k) {
  static const std::string kNone;
  switch (k.CommonMail) {
    case 1: return k.EMail1;
    case 2: return k.EMail2;
    case 3: return k.EMail3;
    case 4: return k.EMail4;
    case 5: return k.EMail5;
    default: return kNone;
  }
}

std::string ColumnText(const CKokyaku& k, std::string_view column, TextStyle style) {
  if (column == kAddHomeX) return AddHomeX(k);
  if (column == kAddOfficeX) return AddOfficeX(k);
  const KokyakuColumn* c = FindKokyakuColumn(column);
  if (!c) return {};
  return std::visit(
      [&](auto member) -> std::string {
        const auto& value = k.*member;
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return value;
        } else if constexpr (std::is_same_v<T, COleDate>) {
          return value.Format();
        } else {
          return IntText(*c, value, k, style);
        }
      },
      c->field);
}

bool SetColumnFromText(CKokyaku& k, std::string_view column, std::string_view text) {
  const KokyakuColumn* c = FindKokyakuColumn(column);
  if (!c) return false;
  std::visit(
      [&](auto member) {
        auto& field = k.*member;
        using T = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<T, std::string>) {
          field = text::CutToCp932Bytes(text, c->limit);
        } else if constexpr (std::is_same_v<T, COleDate>) {
          if (const auto date = COleDate::Parse(text)) field = *date;
        } else {
          SetInt(*c, field, text);
        }
      },
      c->field);
  return true;
}

std::int32_t UnmappedValue(std::string_view column) {
  const KokyakuColumn* c = FindKokyakuColumn(column);
  return c && c->rule ? c->rule->fallback : 0;
}

std::int32_t ReadCode(std::string_view text) {
  const std::string ascii = text::FullWidthDigitsToAscii(text);
  std::size_t digits = 0;
  while (digits < ascii.size() && ascii[digits] >= '0' && ascii[digits] <= '9') ++digits;
  if (digits == 0 || digits >= 3) return -1;
  return std::stoi(ascii.substr(0, digits));
}

}  // namespace records
