#pragma once
// The customer columns, each described once: name, kind, byte limit and field. Every piece of code
// that handles customer columns by name (lists, card, export, import, schema, SQL) uses this table.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "records/CKokyaku.h"

namespace records {

enum class ColumnKind { Text, Coded, Number, Date, Colour };

// The values a coded or numeric column accepts ([min, max] or extra) and what any other value
// reads as. Names, where present, are the texts of the codes min.. in order.
struct CodeRule {
  std::int32_t min, max, extra, fallback;
  std::span<const std::string_view> names;

  bool Accepts(std::int32_t v) const { return (v >= min && v <= max) || (extra >= 0 && v == extra); }
  std::int32_t Read(std::int32_t v) const { return Accepts(v) ? v : fallback; }
};

using KokyakuField =
    std::variant<std::string CKokyaku::*, std::int32_t CKokyaku::*, COleDate CKokyaku::*>;

struct KokyakuColumn {
  std::string_view name;
  ColumnKind kind;
  std::size_t limit;       // CP932 bytes of a text column; 0 for the others
  KokyakuField field;
  const CodeRule* rule;    // coded and ranged numeric columns; null for the others
};

// The 71 columns, ID to CommonMail, in record order.
std::span<const KokyakuColumn> KokyakuColumns();

// The column of that name (exact, case-sensitive), or null.
const KokyakuColumn* FindKokyakuColumn(std::string_view name);

// The hidden numeric telephone columns the store keeps beside TEL_Home and TEL_Office.
inline constexpr std::string_view kTelHomeX = "TEL_Home_X";
inline constexpr std::string_view kTelOfficeX = "TEL_Office_X";
// The derived address columns: the three parts joined without separator.
inline constexpr std::string_view kAddHomeX = "Add_Home_X";
inline constexpr std::string_view kAddOfficeX = "Add_Office_X";

std::string AddHomeX(const CKokyaku& k);
std::string AddOfficeX(const CKokyaku& k);

// The colour marks of a card and their names; any other value has no name.
struct ColorMarkName {
  std::int32_t colour;
  std::string_view name;
};
std::span<const ColorMarkName> ColorMarks();
std::string_view ColorMarkText(std::int32_t colour);

// The address CommonMail points at; empty when it is not 1 to 5.
const std::string& CommonMailAddress(const CKokyaku& k);

enum class TextStyle {
  List,    // the customer list: codes by name, ClosingDate/ClosingDay as numbers when set
  Card,    // the card pane: ClosingDate "%d月", ClosingDay "%d日" or "月末"
  Export,  // exported files: codes as "%d：%s", ClosingDate, ClosingDay and CommonMail as "%d"
};

// The text of a column of a customer, including the derived Add_Home_X and Add_Office_X.
// An unknown column gives empty text.
std::string ColumnText(const CKokyaku& k, std::string_view column, TextStyle style = TextStyle::List);

// Sets a column from imported text: text cut to its byte limit, codes read by their rules
// (full-width digits count), dates only when the text is a date. False for an unknown column.
bool SetColumnFromText(CKokyaku& k, std::string_view column, std::string_view text);

// The value a coded or ranged column takes when the import leaves it unmapped.
std::int32_t UnmappedValue(std::string_view column);

// A numeric cell as the import reads it: its leading run of ASCII or full-width digits; -1 when the
// run is empty or has three or more digits.
std::int32_t ReadCode(std::string_view text);

}  // namespace records
