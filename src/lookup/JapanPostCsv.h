#pragma once
// Readers of Japan Post's postal-code files, as published monthly (CP932 text, one record a line):
//  - KEN_ALL.CSV, the addresses: 15 columns; columns 3, 7, 8 and 9 are the 7-digit code, the
//    prefecture, the city and the town. A town name too long for one record goes on in the
//    next records of the same code until its parenthesis closes; they are joined here.
//  - JIGYOSYO.CSV, the large-volume business receivers: 13 columns; 3 the company name, 4 to 7
//    prefecture, city, town and block, 8 the code.
// Town names lose the notes that are not part of an address: "以下に掲載がない場合", "...の次に
// 番地がくる場合" and "<city>一円" become an empty town; "（次のビルを除く）", "（その他）",
// "（地階・階層不明）" and notes of exclusion are dropped; any other parenthesised part (a floor,
// a chome range, a list of localities) moves into the block, without the parentheses.
// Lines that do not hold a record (too few columns, a code that is not 7 digits, an unknown
// prefecture) are skipped and counted, never guessed at.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lookup/PostalRecords.h"

namespace lookup {

struct CPostalReadResult {
  std::vector<CPostalCandidate> records;
  std::size_t skippedLines = 0;
};

// Both take the file's bytes (CP932) whole.
CPostalReadResult ReadKenAll(std::string_view cp932);
CPostalReadResult ReadJigyosyo(std::string_view cp932);

// The town and block of a KEN_ALL town name (joined already), by the rules above.
std::pair<std::string, std::string> SplitTownName(std::string_view city, std::string_view town);

}  // namespace lookup
