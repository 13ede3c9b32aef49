#pragma once
// Dates as people in a Japanese office type them: "1970/05/12", "1970-5-12", "1970.5.12",
// "1970年5月12日", "19700512", full-width digits and separators ("１９７０／０５／１２"), and the
// eras written as people write them ("S45.5.12", "昭和45年5月12日", "H31.4.30", "R1.5.1",
// "令和元年5月1日"). Every dialog reads typed dates through here.

#include <optional>
#include <string_view>

namespace text {

struct TypedDate {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  friend bool operator==(const TypedDate&, const TypedDate&) = default;
};

// The Western calendar date of a typed date, optionally followed by " h:mm" or " h:mm:ss".
// nullopt when the text is no date, names a day that does not exist, or writes an era date
// outside its era ("H31.5.1": Heisei ended on 2019/04/30). Whether the year is in range is
// the caller's to decide.
std::optional<TypedDate> ReadDate(std::string_view typed);

}  // namespace text
