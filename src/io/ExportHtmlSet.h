#pragma once
// The HTML set of a list of customers: "index.htm", a table of the customers each linking to a
// page of its own, one page per customer with every exported column (and, when asked, the
// customer's history), the pictures in "Picture", and one style sheet for screen and print.
// HTML5 in UTF-8; every text is escaped.

#include <filesystem>
#include <vector>

#include "io/ExportTable.h"
#include "records/CKokyakuVMData.h"

namespace io {

inline constexpr const char* kHtmlIndex = "index.htm";

struct HtmlSetInput {
  CustomerRefs customers;
  // The detail rows of a customer's page, with their labels.
  std::vector<ExportColumn> columns;
  // One list per customer, in customer order, when the pages carry the history; else empty.
  const std::vector<records::RirekiList>* histories = nullptr;
  std::filesystem::path pictureFolder;
};

// A customer's page name: "kokyaku00001.htm" by its place in the list from 1.
std::string HtmlPageName(std::size_t index);

// Writes the set into folder, which should be empty. Everything is written into a hidden
// folder inside it first and moved out when complete, the index last, so a cancelled or failed
// export leaves the folder as it was.
WriteResult WriteHtmlSet(const WriteTarget& folder, const HtmlSetInput& input);

}  // namespace io
