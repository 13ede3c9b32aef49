#pragma once
// A phone-book entry as searches return it, and the telephone-number forms the book compares.

#include <string>
#include <string_view>

namespace lookup {

struct CPhoneCandidate {
  std::string tel, zip, name, prefecture, city, town, block;
  bool operator==(const CPhoneCandidate&) const = default;
};

// The half-width digits of a telephone number, in order; full-width digits count as digits and
// everything else ("-", "(", spaces) is dropped.
std::string TelephoneDigits(std::string_view tel);

}  // namespace lookup
