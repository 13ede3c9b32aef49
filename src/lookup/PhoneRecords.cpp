#include "lookup/PhoneRecords.h"

#include "text/Utf8.h"

namespace lookup {

std::string TelephoneDigits(std::string_view tel) {
  std::string digits;
  for (std::size_t pos = 0; pos < tel.size();) {
    const char32_t cp = text::NextCodePoint(tel, pos);
    if (cp >= U'0' && cp <= U'9') digits += static_cast<char>(cp);
    if (cp >= U'０' && cp <= U'９') digits += static_cast<char>('0' + (cp - U'０'));
  }
  return digits;
}

}  // namespace lookup
