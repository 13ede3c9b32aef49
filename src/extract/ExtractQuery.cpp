#include "extract/ExtractQuery.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "records/CKokyakuVMData.h"
#include "settings/CQMVComboData.h"
#include "text/DateInput.h"
#include "text/Format.h"
#include "text/NumberInput.h"

namespace extract {

namespace {

using settings::CQMVComboData;

constexpr std::string_view kTextFields[] = {
    "[Customer].[CustomerID]", "[Customer].[Name]", "[Customer].[Yomi]", "[Customer].[Suffix]",
    "[Customer].[TantouName]", "[Customer].[Zip_Home]", "[Customer].[Add1_Home]", "[Customer].[Add2_Home]",
    "[Customer].[Add3_Home]", "[Customer].[TEL_Home]", "[Customer].[FAX_Home]", "[Customer].[CellPhone1]",
    "[Customer].[CellPhone2]", "[Customer].[CompName]", "[Customer].[CompYomi]", "[Customer].[Section]",
    "[Customer].[Post]", "[Customer].[Represent]", "[Customer].[CompType]", "[Customer].[Zip_Office]",
    "[Customer].[Add1_Office]", "[Customer].[Add2_Office]", "[Customer].[Add3_Office]",
    "[Customer].[TEL_Office]", "[Customer].[FAX_Office]", "[Customer].[EMail1]", "[Customer].[EMail2]",
    "[Customer].[EMail3]", "[Customer].[EMail4]", "[Customer].[EMail5]", "[Customer].[URL1]",
    "[Customer].[URL2]", "[Customer].[Bank1]", "[Customer].[Bank2]", "[Customer].[PayMethod]",
    "[Customer].[MainMerchant1]", "[Customer].[MainMerchant2]", "[Customer].[MainMerchant3]",
    "[Customer].[MainMerchant4]", "[Customer].[MainMerchant5]", "[Customer].[ImportantRanking]",
    "[Customer].[Ranking1]", "[Customer].[Ranking2]", "[Customer].[Note1]", "[Customer].[Note2]",
    "[Customer].[Note3]", "[Customer].[Note4]", "[Customer].[Note5]", "[Customer].[Note6]",
    "[Customer].[Note7]", "[Customer].[Note8]", "[Customer].[Note9]", "[Customer].[Note10]",
    "[Rireki].[TantouName]", "[Rireki].[ActionTitle]", "[Rireki].[Keyword]", "[Rireki].[Action]",
};
constexpr std::string_view kCodedFields[] = {"[Customer].[Sex]", "[Customer].[EntryType]", "[Customer].[CustomerType]",
                                             "[Customer].[TaxMethod]"};
constexpr std::string_view kNumberFields[] = {"[Customer].[ClosingDate]", "[Customer].[ClosingDay]", "[Rireki].[Money]"};
constexpr std::string_view kDateFields[] = {"[Customer].[StartDate]", "[Customer].[LastUpDate]", "[Customer].[BirthDay]",
                                            "[Customer].[RirekiUpDate]", "[Rireki].[Date]"};
// Fields whose value box keeps the input method off although they hold text.
constexpr std::string_view kPlainTextFields[] = {
    "[Customer].[CustomerID]", "[Customer].[Zip_Home]", "[Customer].[TEL_Home]", "[Customer].[FAX_Home]",
    "[Customer].[CellPhone1]", "[Customer].[CellPhone2]", "[Customer].[Zip_Office]", "[Customer].[TEL_Office]",
    "[Customer].[FAX_Office]", "[Customer].[EMail1]", "[Customer].[EMail2]", "[Customer].[EMail3]",
    "[Customer].[EMail4]", "[Customer].[EMail5]", "[Customer].[URL1]", "[Customer].[URL2]",
};

template <std::size_t N>
bool In(const std::string_view (&list)[N], std::string_view field) {
  return std::find(std::begin(list), std::end(list), field) != std::end(list);
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits typed full width count as digits.
std::string AsciiDigits(std::string_view typed) {
  if (const auto plain = text::PlainNumberText(typed)) return *plain;
  return std::string(typed);
}

std::string Real(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  return buffer;
}

std::string Replace(std::string s, std::string_view what, std::string_view with) {
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size())) {
    s.replace(at, what.size(), with);
  }
  return s;
}

// The value inside a Like pattern: its wildcards and the bracket that opens a class stand for
// themselves. The text is UTF-8, so no byte of a two-byte character is taken for one of them.
std::string EscapeLike(std::string_view value) {
  std::string out;
  for (char c : value) {
    if (c == '_' || c == '%' || c == '#' || c == '[') {
      out += '[';
      out += c;
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}

// A typed money value as a plain number text; a message key when it is refused.
struct MoneyCheck {
  std::string plain;
  std::string refusal;
};

MoneyCheck CheckMoney(std::string_view typed) {
  const std::string value = AsciiDigits(typed);
  if (value.find_first_not_of("0123456789.-") != std::string::npos) {
    return {{}, "条件には半角数字、マイナス符号、小数点のみ入力できます"};
  }
  const std::size_t point = value.find('.');
  const std::string whole = value.substr(0, point);
  const std::string decimals = point == std::string::npos ? std::string() : value.substr(point + 1);
  if (decimals.size() > 2) return {{}, "条件に入力できる数値は小数点以下２桁までです"};
  if (whole.find('-', 1) != std::string::npos) return {{}, "条件に入力された数字が不正です"};
  const bool negative = !whole.empty() && whole[0] == '-';
  const std::string digits = negative ? whole.substr(1) : whole;
  if (!negative && digits.size() >= 14) return {{}, "条件に入力された数字が大きすぎます"};
  if (negative && digits.size() > 9) return {{}, "条件に入力された数字が小さすぎます"};
  // A lone sign or point, or signs among the decimals, would write no number into the statement.
  if ((!digits.empty() && !AllDigits(digits)) || (!decimals.empty() && !AllDigits(decimals)) ||
      (digits.empty() && decimals.empty())) {
    return {{}, "条件に入力された数字が不正です"};
  }
  const double number = std::strtod(value.c_str(), nullptr);
  if (number >= 1000000000000.0) return {{}, "条件に入力された数字が大きすぎます"};
  if (number < -100000000.0) return {{}, "条件に入力された数字が小さすぎます"};
  std::string plain = negative ? "-" : "";
  plain += digits.empty() ? "0" : digits;
  if (!decimals.empty()) plain += "." + decimals;
  return {plain, {}};
}

std::optional<text::TypedDate> FullDate(std::string_view typed) {
  const auto date = text::ReadDate(typed);
  if (!date || date->year < 100 || date->year > 9999) return std::nullopt;
  return date;
}

// A month (1 to 12) or day (1 to 31) number, or that part of a full date.
std::optional<int> DatePart(std::string_view typed, bool month) {
  const std::string value = AsciiDigits(typed);
  if (AllDigits(value) && value.size() <= 2) {
    const int n = std::atoi(value.c_str());
    if (n >= 1 && n <= (month ? 12 : 31)) return n;
    return std::nullopt;
  }
  const auto date = FullDate(typed);
  if (!date) return std::nullopt;
  return month ? date->month : date->day;
}

}  // namespace

ValueKind KindOf(std::string_view field) {
  if (In(kTextFields, field)) return ValueKind::Text;
  if (In(kCodedFields, field)) return ValueKind::Coded;
  if (In(kNumberFields, field)) return ValueKind::Number;
  if (In(kDateFields, field)) return ValueKind::Date;
  if (field == "[Customer].[ColorMark]") return ValueKind::Colour;
  return ValueKind::None;
}

std::vector<Item> ItemList(const std::vector<std::pair<std::string, std::string>>& columns) {
  std::vector<Item> items;
  if (columns.empty()) return items;
  items.push_back({kCustomerHeading, ""});
  for (const auto& [key, label] : columns) {
    if (key.starts_with("Picture") || key == "TEL_Home_X" || key == "TEL_Office_X" || key == "CommonMail") continue;
    items.push_back({label, "[Customer].[" + key + "]"});
  }
  items.push_back({kHistoryHeading, ""});
  items.push_back({"日付", "[Rireki].[Date]"});
  items.push_back({"概要", "[Rireki].[ActionTitle]"});
  items.push_back({"詳細", "[Rireki].[Action]"});
  items.push_back({"金額", "[Rireki].[Money]"});
  items.push_back({"キーワード", "[Rireki].[Keyword]"});
  items.push_back({"自社担当者", "[Rireki].[TantouName]"});
  return items;
}

std::vector<Operator> Operators(std::string_view field) {
  switch (KindOf(field)) {
    case ValueKind::Text: {
      std::vector<Operator> ops = {{"と等しい", " = '*'"},           {"と等しくない", " <> '*'"},
                                   {"で始まる", " Like '*%'"},       {"で始まらない", " Not Like '*%'"},
                                   {"で終わる", " Like '%*'"},       {"で終わらない", " Not Like '%*'"},
                                   {"を含む", " Like '%*%'"},        {"を含まない", " Not Like '%*%'"}};
      if (field == "[Customer].[CustomerID]") {
        ops.insert(ops.end(), {{"より大きい", " > '*'"}, {"以上", " >= '*'"}, {"より小さい", " < '*'"}, {"以下", " <= '*'"}});
      }
      return ops;
    }
    case ValueKind::Coded:
    case ValueKind::Colour: return {{"と等しい", " = *"}, {"と等しくない", " <> *"}};
    case ValueKind::Number:
      return {{"と等しい", " = *"}, {"と等しくない", " <> *"}, {"より大きい", " > *"},
              {"以上", " >= *"},    {"より小さい", " < *"},    {"以下", " <= *"}};
    case ValueKind::Date:
      return {{"と等しい", " = *"}, {"と月が等しい", "Month()= *"}, {"と日にちが等しい", "Day()= *"},
              {"と等しくない", " <> *"}, {"より前", " < *"}, {"以前", " <= *"}, {"より後", " > *"}, {"以降", " >= *"}};
    case ValueKind::None: break;
  }
  return {};
}

std::vector<std::string> FixedValues(std::string_view field) {
  if (field == "[Customer].[Sex]") return {"男", "女"};
  if (field == "[Customer].[EntryType]") return {"法人", "個人"};
  if (field == "[Customer].[CustomerType]") return {"正規顧客", "見込み客"};
  if (field == "[Customer].[TaxMethod]") return {"外税（納品ごと）", "外税（請求時）", "内税", "なし", "未設定"};
  if (field == "[Customer].[Suffix]") return {"様", "御中", "殿"};
  return {};
}

int ChoiceListOf(std::string_view field) {
  if (field == "[Customer].[ImportantRanking]") return CQMVComboData::kImportant;
  if (field == "[Customer].[Ranking1]") return CQMVComboData::kRank1;
  if (field == "[Customer].[Ranking2]") return CQMVComboData::kRank2;
  if (field == "[Customer].[PayMethod]") return CQMVComboData::kPayMethod;
  if (field == "[Customer].[CompType]") return CQMVComboData::kCompType;
  if (field == "[Customer].[TantouName]" || field == "[Rireki].[TantouName]") return CQMVComboData::kTantou;
  if (field == "[Rireki].[ActionTitle]") return CQMVComboData::kRirekiType;
  if (field == "[Rireki].[Keyword]") return CQMVComboData::kRirekiWord;
  return -1;
}

InputMode InputModeOf(std::string_view field) {
  if (KindOf(field) != ValueKind::Text || In(kPlainTextFields, field)) return InputMode::Off;
  if (field == "[Customer].[Yomi]" || field == "[Customer].[CompYomi]") return InputMode::Katakana;
  return InputMode::On;
}

std::string Label(int index) { return text::Format("条件<%s>：", std::string(1, static_cast<char>('A' + index))); }

CheckResult CheckCondition(const ConditionInput& c, int index) {
  const std::string label = Label(index);
  const auto refuse = [&label](std::string_view text) { return CheckResult{CheckResult::Refused, label + std::string(text)}; };
  const ValueKind kind = KindOf(c.field);
  if (c.field.empty()) return refuse("項目を選択してください");
  bool askEmpty = false;
  if (c.value.empty() && kind != ValueKind::Colour) {
    if (kind != ValueKind::Text) return refuse("条件を入力または選択してください");
    askEmpty = true;
  }
  if (kind == ValueKind::Coded) {
    const auto values = FixedValues(c.field);
    if (std::find(values.begin(), values.end(), c.value) == values.end()) return refuse("条件を選択してください");
  }
  if (kind == ValueKind::Number) {
    if (c.field == "[Customer].[ClosingDate]" || c.field == "[Customer].[ClosingDay]") {
      const bool month = c.field == "[Customer].[ClosingDate]";
      const std::string value = AsciiDigits(c.value);
      if (value.size() > 2) return refuse("条件に入力された数字が大きすぎます");
      const int n = AllDigits(value) ? std::atoi(value.c_str()) : -1;
      if (month && (n < 0 || n > 12)) return refuse("条件には 0 ～12 を設定してください");
      if (!month && (n < 0 || (n > 31 && n != 99))) return refuse("条件には 0 ～ 31 または 99 を設定してください");
    } else {
      const MoneyCheck money = CheckMoney(c.value);
      if (!money.refusal.empty()) return refuse(money.refusal);
    }
  }
  if (c.op.empty()) return refuse("比較式を選択してください");
  if (kind == ValueKind::None) return refuse("項目を選択してください");
  if (askEmpty) return {CheckResult::AskEmpty, label + "条件が入力されていません。\n空の文字とみなしますがよろしいですか？"};
  return {};
}

Fragment BuildFragment(const ConditionInput& c, int index) {
  const std::string label = Label(index);
  Fragment out;
  const auto fail = [&out](std::string message) {
    out.sql.clear();
    out.message = std::move(message);
    return out;
  };
  std::string field = c.field;
  std::string op = c.op;
  std::string value = c.value;
  const ValueKind kind = KindOf(field);
  out.array.push_back(field);
  if (kind == ValueKind::None || op.empty()) return fail({});
  switch (kind) {
    case ValueKind::Colour: {
      if (!AllDigits(value)) return fail({});
      break;
    }
    case ValueKind::Coded: {
      const auto values = FixedValues(field);
      const auto it = std::find(values.begin(), values.end(), value);
      if (it == values.end()) return fail(label + "条件を選択してください");
      value = std::to_string(it - values.begin());
      break;
    }
    case ValueKind::Number: {
      if (field == "[Rireki].[Money]") {
        const MoneyCheck money = CheckMoney(value);
        if (!money.refusal.empty()) return fail(label + money.refusal);
        value = money.plain;
      } else {
        value = AsciiDigits(value);
        if (!AllDigits(value) || value.size() > 2) return fail({});
        value = std::to_string(std::atoi(value.c_str()));
      }
      break;
    }
    case ValueKind::Date: {
      if (op.find("Month") != std::string::npos) {
        const auto month = DatePart(value, true);
        if (!month) {
          return fail(label + "入力された日付の形式が正しくありません。\n月を指定する場合は 1 ～ 12 の数字または、yyyy/mm/dd 形式で入力してください。");
        }
        value = std::to_string(*month);
      } else if (op.find("Day") != std::string::npos) {
        const auto day = DatePart(value, false);
        if (!day) {
          return fail(label + "入力された日付の形式が正しくありません。\n日にちを指定する場合は 1 ～ 31 の数字または、yyyy/mm/dd 形式で入力してください。");
        }
        value = std::to_string(*day);
      } else {
        const auto date = FullDate(value);
        if (!date) return fail(label + "入力された日付の形式が正しくありません。\n日付は yyyy/mm/dd 形式で入力してください。");
        value = text::Format("#%d/%d/%d#", date->month, date->day, date->year);
      }
      field = "Int(" + field + ")";
      break;
    }
    case ValueKind::Text: {
      std::string written = value;
      if (op.find("Like") != std::string::npos) written = EscapeLike(written);
      written = Replace(written, "'", "''");
      value.swap(written);
      break;
    }
    case ValueKind::None: break;
  }
  // The condition keeps the value as the user gave it (a colour as its code), not as written.
  out.array.push_back(c.value);
  out.array.push_back(c.op);
  const std::size_t star = op.find('*');
  if (star != std::string::npos) op.replace(star, 1, value);
  if (kind == ValueKind::Date && op.find("Month(") != std::string::npos) {
    op.insert(op.find("Month(") + 6, field);
    out.sql = op;
  } else if (kind == ValueKind::Date && op.find("Day(") != std::string::npos) {
    op.insert(op.find("Day(") + 4, field);
    out.sql = op;
  } else {
    out.sql = field + op;
  }
  if (kind == ValueKind::Text && !c.value.empty()) {
    out.sql = "(" + out.sql + " AND " + field + " Not Like '')";
  }
  const bool telephone = field == "[Customer].[TEL_Home]" || field == "[Customer].[TEL_Office]";
  if (telephone && (c.op == " = '*'" || c.op == " <> '*'")) {
    const std::string stem = field.substr(0, field.size() - 1);
    const std::string number = Real(records::CKokyakuVMData::StrTelToINT(c.value));
    if (c.op == " = '*'") {
      out.sql = "(" + out.sql + " OR " + stem + "_X] = " + number + ")";
    } else {
      out.sql = "(" + out.sql + " AND (" + stem + "_X] <> " + number + " AND " + stem + "_X] <>0))";
    }
  }
  return out;
}

bool BuildStatement(const StatementInput& input, ui::Ui& ui, settings::CExCondition& condition) {
  settings::CExCondition built;
  built.displayColumns = condition.displayColumns;
  built.resultType = input.resultType == settings::CExCondition::kHistory ? settings::CExCondition::kHistory
                                                                         : settings::CExCondition::kCustomers;
  const auto fragment = [&](int index, std::vector<std::string>& array) -> std::string {
    const ConditionInput& c = input.conditions[static_cast<std::size_t>(index)];
    Fragment f;
    const CheckResult check = CheckCondition(c, index);
    bool passed = check.kind == CheckResult::Ok;
    if (check.kind == CheckResult::Refused) ui.Tell(check.message);
    if (check.kind == CheckResult::AskEmpty) passed = ui.Ask(check.message);
    if (passed) {
      f = BuildFragment(c, index);
      if (f.sql.empty() && !f.message.empty()) ui.Tell(f.message);
    }
    if (f.sql.empty()) {
      ui.Tell(text::Format("条件<%s>の設定が不正です", std::string(1, static_cast<char>('A' + index))));
      return {};
    }
    array.insert(array.end(), f.array.begin(), f.array.end());
    return f.sql;
  };
  const auto connector = [](Connector c) { return c == Connector::And ? "AND" : "OR"; };
  const std::string a = fragment(0, built.conditionA);
  if (a.empty()) return false;
  const bool useB = input.ab == Connector::And || input.ab == Connector::Or;
  const bool useC = useB && (input.bc == Connector::And || input.bc == Connector::Or);
  std::string b, c;
  if (useB) {
    built.conditionA.push_back(connector(input.ab));
    b = fragment(1, built.conditionB);
    if (b.empty()) return false;
  }
  if (useC) {
    built.conditionB.push_back(connector(input.bc));
    c = fragment(2, built.conditionC);
    if (c.empty()) return false;
  }
  const bool customers = built.resultType == settings::CExCondition::kCustomers;
  const std::string other = customers ? "[Rireki]." : "[Customer].";
  bool joined = false;
  for (const auto* array : {&built.conditionA, &built.conditionB, &built.conditionC}) {
    if (!array->empty() && (*array)[0].find(other) != std::string::npos) joined = true;
  }
  const std::string select = customers ? "SELECT DISTINCTROW Customer.* " : "SELECT DISTINCTROW Rireki.* ";
  const std::string from = joined ? "FROM Customer INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID "
                                  : customers ? "FROM Customer " : "FROM Rireki ";
  if (useC) {
    built.sql = select + from + "WHERE (" + a + " " + connector(input.ab) + " " + b + ") " + connector(input.bc) + " " + c;
  } else if (useB) {
    built.sql = select + from + "WHERE " + a + " " + connector(input.ab) + " " + b;
  } else {
    built.sql = select + from + "WHERE " + a;
  }
  condition = std::move(built);
  return true;
}

}  // namespace extract
