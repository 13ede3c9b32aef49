#pragma once
// Reader of the postal data shipped in the MIT-licensed npm package japan-postal-code
// (zipdata/zip-NNN.js, UTF-8): `zipdata({"1000001":[13,"千代田区","千代田"], ...});`, each code
// with its prefecture number (1 to 47), city, town and, for a business receiver, the block.
// Entries with a block go to the business list (the package names no company), the others to
// the ordinary list.

#include <string>
#include <string_view>
#include <vector>

#include "lookup/PostalRecords.h"

namespace lookup {

struct CZipDataResult {
  std::vector<CPostalCandidate> ordinary, business;
};

// Adds the entries of one file to result. False, with the reason in error and result as it
// was, when the text is not of that form.
bool ReadZipData(std::string_view js, CZipDataResult& result, std::string& error);

}  // namespace lookup
