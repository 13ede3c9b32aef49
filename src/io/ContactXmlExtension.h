#pragma once
// What our ContactXML files carry beyond the elements of ContactXmlNames.h: every customer column
// that has no ContactXML element of its own (the customer code, the honorific, the codes, the
// ranks, the notes by number, the pictures, ...) goes into the item's Extension as an
// ExtensionItem named by the column, so a file we write reads back into exactly the same customer.
// Outside readers skip the extension, as ContactXML lets them.

#include <array>
#include <string_view>

namespace io::contactxml {

inline constexpr std::string_view kExtensionElement = "Extension";
inline constexpr std::string_view kExtensionItem = "ExtensionItem";
inline constexpr std::string_view kAttrExtensionType = "extensionType";
inline constexpr std::string_view kExtensionTypeExtended = "Extended";
// The column the item holds ("CustomerID", "TaxMethod", ...); numbers in decimal, dates yyyy/mm/dd.
inline constexpr std::string_view kAttrName = "name";

// The columns ContactXML holds one to one, so they never go into the extension.
inline constexpr std::array<std::string_view, 15> kStandardOnly = {
    "ID",       "Name",      "Yomi",      "CompName",    "CompYomi",    "Section",     "Post",       "BirthDay",
    "Sex",      "Add1_Home", "Add2_Home", "Add3_Home",   "Add1_Office", "Add2_Office", "Add3_Office",
};

constexpr bool IsStandardOnly(std::string_view column) {
  for (std::string_view c : kStandardOnly) {
    if (c == column) return true;
  }
  return false;
}

}  // namespace io::contactxml
