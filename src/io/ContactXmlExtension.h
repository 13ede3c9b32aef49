#pragma once
// What our ContactXML files carry beyond the elements of ContactXmlNames.h: every customer column
// that has no ContactXML element of its own (the customer code, the honorific, the codes, the
// ranks, the notes by number, the pictures, ...) goes into the item's Extension as an
// ExtensionItem named by the column, so a file we write reads back into exactly the same customer.
// Outside readers skip the extension, as ContactXML lets them.

#include <string_view>

namespace io::contactxml {

inline constexpr std::string_view kExtensionElement = "Extension";
inline constexpr std::string_view kExtensionItem = "ExtensionItem";
inline constexpr std::string_view kAttrExtensionType = "extensionType";
inline constexpr std::string_view kExtensionTypeExtended = "Extended";
// The column the item holds ("CustomerID", "TaxMethod", ...); numbers in decimal, dates yyyy/mm/dd.
inline constexpr std::string_view kAttrName = "name";

}  // namespace io::contactxml
