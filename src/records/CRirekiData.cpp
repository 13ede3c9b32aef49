#include "records/CRirekiData.h"

#include <charconv>
#include <system_error>

namespace records {

std::string AmountText(double amount) {
  // "%.2f" as printf writes it, without printf's cost; room for the longest double.
  char buffer[400];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, amount, std::chars_format::fixed, 2);
  std::string s(buffer, error == std::errc() ? end : buffer);
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s.empty() || s == "-0") return "0";
  return s;
}

}  // namespace records
