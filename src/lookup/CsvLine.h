#pragma once
// One line of comma-separated text as its fields: a field in double quotes may hold commas and
// doubled quotes (""); spaces around an unquoted field are kept. Used by the dictionary and
// phone-book converters, which read Japan Post's files and the user's own lists.

#include <string>
#include <string_view>
#include <vector>

namespace lookup {

std::vector<std::string> SplitCsvLine(std::string_view line);

// The lines of a text, without their "\r\n" or "\n" ends; an empty last line is dropped.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace lookup
