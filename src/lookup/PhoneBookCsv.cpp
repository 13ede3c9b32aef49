#include "lookup/PhoneBookCsv.h"

#include <string>

#include "lookup/CsvLine.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

namespace lookup {
namespace {

bool IsUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    if (text::NextCodePoint(bytes, pos) == text::kReplacement) return false;
  }
  return true;
}

std::string AsUtf8(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.starts_with(kBom)) return std::string(bytes.substr(kBom.size()));
  return IsUtf8(bytes) ? std::string(bytes) : text::FromCp932(bytes);
}

}  // namespace

CPhoneBookReadResult ReadPhoneBookCsv(std::string_view bytes) {
  const std::string text = AsUtf8(bytes);
  CPhoneBookReadResult result;
  for (std::string_view line : SplitLines(text)) {
    std::vector<std::string> f = SplitCsvLine(line);
    if (TelephoneDigits(f[0]).empty()) {
      ++result.skippedLines;
      continue;
    }
    f.resize(7);
    result.entries.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
  }
  return result;
}

}  // namespace lookup
