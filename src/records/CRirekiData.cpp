#include "records/CRirekiData.h"

#include <cstdio>

namespace records {

std::string AmountText(double amount) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", amount);
  std::string s = buffer;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s.empty() || s == "-0") return "0";
  return s;
}

}  // namespace records
