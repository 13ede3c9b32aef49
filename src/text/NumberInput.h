#pragma once
// Numbers and amounts as people in a Japanese office type them: full-width digits and signs,
// digit group commas ("１，５００"), a leading "¥" or "￥" and a trailing "円". Every dialog reads
// typed numbers through here, so each accepts the same spellings.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// The typed number as plain ASCII: an optional "-", the digits without group commas, and the
// point and decimals as typed ("¥1,500" gives "1500", "－１２．５０" gives "-12.50"), so checks of
// the decimals see every digit the user typed. nullopt when the text is no such number: letters,
// exponents, several points, or commas that do not group three digits ("1,50").
std::optional<std::string> PlainNumberText(std::string_view typed);

// The typed number's value; nullopt as above.
std::optional<double> ReadNumber(std::string_view typed);

// A typed whole number; nullopt when it has a point, is no number or does not fit.
std::optional<std::int64_t> ReadWholeNumber(std::string_view typed);

}  // namespace text
