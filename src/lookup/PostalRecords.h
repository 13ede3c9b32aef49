#pragma once
// The records the postal and business dictionaries hold and return, and the prefectures in
// their standard order (the national local-government code order, 1 北海道 ... 47 沖縄県).

#include <string>
#include <string_view>

namespace lookup {

// One address of a dictionary. zip is 7 half-width digits; company is set only for business
// (large-volume receiver) entries; block holds a building floor, a chome range or a street number.
struct CPostalCandidate {
  std::string zip, prefecture, city, town, block, company;
  bool operator==(const CPostalCandidate&) const = default;
};

// One entry of a step of the address picker: a name with the postal code that stands for it
// (empty when no single code does).
struct CPostalLevelEntry {
  std::string name, zip;
  bool operator==(const CPostalLevelEntry&) const = default;
};

inline constexpr int kPrefectureCount = 47;

// 1 to 47 for a prefecture's full name ("東京都"); 0 for anything else.
int PrefectureCode(std::string_view name);
// The full name of prefecture 1 to 47; empty otherwise.
std::string_view PrefectureName(int code);

}  // namespace lookup
