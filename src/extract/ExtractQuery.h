#pragma once
// The extraction query builder: from up to three conditions (item, operator, value) to the
// extraction dialect's SELECT that the data store runs. The lists a condition is chosen from, the
// checks with their messages and the SQL texts all live here, with no dialog in them; the only
// person-facing step, the question about an empty text value, goes through the Ui port.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/CExCondition.h"
#include "ui/Ui.h"

namespace extract {

// What a field's value is, which decides its operators, its checks and how it is written.
enum class ValueKind { None = -1, Text = 0, Coded = 1, Number = 2, Date = 3, Colour = 4 };
ValueKind KindOf(std::string_view field);

// A line of the item list: its label and field expression ("[Customer].[Name]"); the two
// headings have an empty field and cannot be chosen.
struct Item {
  std::string label;
  std::string field;
};
inline constexpr const char* kCustomerHeading = "-----（顧客）-----";
inline constexpr const char* kHistoryHeading = "-----（履歴）-----";
// columns: the column definition set's (key, display title) pairs in the set's order.
std::vector<Item> ItemList(const std::vector<std::pair<std::string, std::string>>& columns);

// An operator: its label and its SQL template, "*" marking where the value goes.
struct Operator {
  std::string label;
  std::string sql;
};
std::vector<Operator> Operators(std::string_view field);

// The fixed value list of a field (the coded fields and Suffix; a coded value is stored as its
// position here); empty for the others.
std::vector<std::string> FixedValues(std::string_view field);
// The choice list (settings::CQMVComboData::List) whose entries are offered for a field; -1 none.
int ChoiceListOf(std::string_view field);
// Whether the value box of a field takes the input method: off for codes, numbers, postal codes,
// telephones, mail and web addresses; half-width katakana for the readings; on for other text.
enum class InputMode { Off, On, Katakana };
InputMode InputModeOf(std::string_view field);

// One condition as the dialog holds it. value: as typed or chosen; for the colour item its
// colour code as decimal text (empty: no colour chosen).
struct ConditionInput {
  std::string field;
  std::string value;
  std::string op;  // the chosen operator's template; empty: none chosen
};

// "条件<A>：" for index 0, B 1, C 2.
std::string Label(int index);

// The checks of one condition before it is built.
struct CheckResult {
  enum Kind { Ok, Refused, AskEmpty } kind = Ok;
  std::string message;  // with the condition's label; the question for AskEmpty
};
CheckResult CheckCondition(const ConditionInput& condition, int index);

// A condition as SQL, only after a passing check: the fragment and the condition array of the
// stored condition ([0] field, [1] value, [2] operator). Empty sql on failure, with the message
// (which may be empty when the failure was already told by the check).
struct Fragment {
  std::string sql;
  std::vector<std::string> array;
  std::string message;
};
Fragment BuildFragment(const ConditionInput& condition, int index);

// The connector after a condition: "かつ", "または", "おわり", or none chosen.
enum class Connector { None, And, Or, End };
inline constexpr std::array<const char*, 3> kConnectorLabels = {"かつ", "または", "おわり"};

struct StatementInput {
  std::int32_t resultType = settings::CExCondition::kCustomers;
  std::array<ConditionInput, 3> conditions;
  Connector ab = Connector::End, bc = Connector::None;
};

// Checks and builds every used condition, telling each refusal (and then "条件<X>の設定が不正です")
// and asking about an empty text value through ui. True with condition holding the result type,
// the condition arrays with their connectors and the SQL, its display columns kept; false with
// condition untouched.
bool BuildStatement(const StatementInput& input, ui::Ui& ui, settings::CExCondition& condition);

}  // namespace extract
