#pragma once
// Reader of the list a user builds a phone book from: comma-separated text, UTF-8 (with or
// without a byte-order mark) or else CP932, one entry a line with the columns telephone, postal
// code, name, prefecture, city, town, block (missing trailing columns read as empty). A line
// whose telephone has no digit (a heading, a blank line) is skipped and counted.

#include <cstddef>
#include <string_view>
#include <vector>

#include "lookup/PhoneRecords.h"

namespace lookup {

struct CPhoneBookReadResult {
  std::vector<CPhoneCandidate> entries;
  std::size_t skippedLines = 0;
};

CPhoneBookReadResult ReadPhoneBookCsv(std::string_view bytes);

}  // namespace lookup
