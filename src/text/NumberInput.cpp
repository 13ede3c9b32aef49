#include "text/NumberInput.h"

#include <charconv>

#include "text/Width.h"

namespace text {

namespace {

constexpr std::string_view kYen = "\u00A5", kFullWidthYen = "\uFFE5", kYenWord = "円", kMinus = "\u2212";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void TrimSpaces(std::string_view& s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
}

bool TakePrefix(std::string_view& s, std::string_view prefix) {
  if (!s.starts_with(prefix)) return false;
  s.remove_prefix(prefix.size());
  return true;
}

bool TakeSign(std::string_view& s, bool& negative) {
  if (TakePrefix(s, "-") || TakePrefix(s, kMinus)) return negative = true;
  return TakePrefix(s, "+");
}

// The digits of a whole part, with commas only between groups of three: "1,500", "12,345,678".
std::optional<std::string> WholeDigits(std::string_view s) {
  std::string digits;
  std::size_t group = 0;
  bool grouped = false;
  for (const char c : s) {
    if (IsDigit(c)) {
      digits += c;
      ++group;
    } else if (c == ',') {
      if (group == 0 || (grouped && group != 3) || (!grouped && group > 3)) return std::nullopt;
      grouped = true;
      group = 0;
    } else {
      return std::nullopt;
    }
  }
  if (grouped && group != 3) return std::nullopt;
  return digits;
}

}  // namespace

std::optional<std::string> PlainNumberText(std::string_view typed) {
  const std::string ascii = FullWidthAsciiToAscii(typed);
  std::string_view s = ascii;
  TrimSpaces(s);
  bool negative = false;
  // The sign may stand before or after the yen sign: "-¥1,500" and "¥-1,500".
  const bool signFirst = TakeSign(s, negative);
  if (TakePrefix(s, kYen) || TakePrefix(s, kFullWidthYen)) {
    TrimSpaces(s);
    if (!signFirst) TakeSign(s, negative);
  }
  if (s.ends_with(kYenWord)) {
    s.remove_suffix(kYenWord.size());
    TrimSpaces(s);
  }
  const std::size_t point = s.find('.');
  const std::string_view whole = s.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
  const auto digits = WholeDigits(whole);
  if (!digits) return std::nullopt;
  for (const char c : fraction) {
    if (!IsDigit(c)) return std::nullopt;
  }
  if (digits->empty() && fraction.empty()) return std::nullopt;
  std::string plain = negative ? "-" : "";
  plain += digits->empty() ? "0" : *digits;
  if (point != std::string_view::npos) plain += "." + std::string(fraction);
  return plain;
}

std::optional<double> ReadNumber(std::string_view typed) {
  auto plain = PlainNumberText(typed);
  if (!plain) return std::nullopt;
  if (plain->back() == '.') plain->pop_back();
  double value = 0;
  const char* end = plain->data() + plain->size();
  const auto [last, error] = std::from_chars(plain->data(), end, value);
  if (error != std::errc() || last != end) return std::nullopt;
  return value;
}

std::optional<std::int64_t> ReadWholeNumber(std::string_view typed) {
  const auto plain = PlainNumberText(typed);
  if (!plain || plain->find('.') != std::string::npos) return std::nullopt;
  std::int64_t value = 0;
  const char* end = plain->data() + plain->size();
  const auto [last, error] = std::from_chars(plain->data(), end, value);
  if (error != std::errc() || last != end) return std::nullopt;
  return value;
}

}  // namespace text
