#include "platform/CIniText.h"

#include <cstdio>

#include "text/Utf8.h"

namespace platform {
namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(kBlanks);
  if (first == npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view s) {
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t before = pos;
    if (text::NextCodePoint(s, pos) == text::kReplacement && pos - before == 1) return false;
  }
  return true;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

bool IsPlainName(std::string_view name) {
  if (name.empty() || Trim(name) != name || !IsValidUtf8(name)) return false;
  for (char c : name) {
    if (IsControl(c)) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of a quoted text (quotes included); nullopt when it is not exactly one quoted text.
std::optional<std::string> Unquote(std::string_view quoted) {
  std::string value;
  for (std::size_t i = 1; i < quoted.size(); ++i) {
    const char c = quoted[i];
    if (c == '"') {
      if (i + 1 != quoted.size()) return std::nullopt;
      return value;
    }
    if (c != '\\') {
      value += c;
      continue;
    }
    if (++i == quoted.size()) return std::nullopt;
    switch (quoted[i]) {
      case '\\': value += '\\'; break;
      case '"': value += '"'; break;
      case 'n': value += '\n'; break;
      case 'r': value += '\r'; break;
      case 't': value += '\t'; break;
      case 'x': {
        const int high = i + 2 < quoted.size() ? HexDigit(quoted[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(quoted[i + 2]) : -1;
        if (low < 0) return std::nullopt;
        value += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return std::nullopt;
}

bool NeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  if (Trim(value) != value || value.front() == '"') return true;
  for (char c : value) {
    if (IsControl(c)) return true;
  }
  return false;
}

std::string Quote(std::string_view value) {
  std::string quoted = "\"";
  for (char c : value) {
    switch (c) {
      case '\\': quoted += "\\\\"; break;
      case '"': quoted += "\\\""; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (IsControl(c)) {
          char escape[5];
          std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
          quoted += escape;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + "\"";
}

}  // namespace

bool CIniText::IsValidSectionName(std::string_view name) {
  return IsPlainName(name) && name.find(']') == npos;
}

bool CIniText::IsValidEntryName(std::string_view name) {
  return IsPlainName(name) && name.find('=') == npos && name.front() != '[' && name.front() != ';' &&
         name.front() != '#';
}

CIniText::Line CIniText::ParseLine(std::string_view raw) {
  const Line other{Kind::Other, std::string(raw), {}, {}};
  const std::string_view line = Trim(raw);
  if (line.empty() || line.front() == ';' || line.front() == '#' || !IsValidUtf8(raw)) return other;
  if (line.front() == '[') {
    const std::string_view name = line.back() == ']' ? Trim(line.substr(1, line.size() - 2)) : "";
    return Line{Kind::Section, std::string(raw), IsValidSectionName(name) ? std::string(name) : "", {}};
  }
  const std::size_t equals = line.find('=');
  if (equals == npos) return other;
  const std::string_view name = Trim(line.substr(0, equals));
  const std::string_view value = Trim(line.substr(equals + 1));
  if (!IsValidEntryName(name)) return other;
  if (value.empty() || value.front() != '"') {
    return Line{Kind::Entry, std::string(raw), std::string(name), std::string(value)};
  }
  std::optional<std::string> unquoted = Unquote(value);
  if (!unquoted) return other;
  return Line{Kind::Entry, std::string(raw), std::string(name), std::move(*unquoted)};
}

CIniText::Line CIniText::EntryLine(std::string_view name, std::string_view value) {
  std::string text = std::string(name) + "=" + (NeedsQuotes(value) ? Quote(value) : std::string(value));
  return Line{Kind::Entry, std::move(text), std::string(name), std::string(value)};
}

CIniText CIniText::Parse(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  CIniText ini;
  bool inSection = false;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view raw = bytes.substr(0, end);
    bytes.remove_prefix(end == npos ? bytes.size() : end + 1);
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    Line line = ParseLine(raw);
    if (line.kind == Kind::Section) inSection = true;
    // An entry before the first header belongs to no section: kept, never found.
    if (line.kind == Kind::Entry && !inSection) line.kind = Kind::Other;
    ini.lines_.push_back(std::move(line));
  }
  return ini;
}

std::string CIniText::Serialise() const {
  std::string bytes;
  for (const Line& line : lines_) bytes += line.text + "\n";
  return bytes;
}

std::size_t CIniText::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && lines_[end].kind != Kind::Section) ++end;
  return end;
}

std::size_t CIniText::FindEntry(std::string_view section, std::string_view entry) const {
  for (std::size_t header = 0; header < lines_.size(); ++header) {
    if (lines_[header].kind != Kind::Section || !SameName(lines_[header].name, section)) continue;
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
      if (lines_[i].kind == Kind::Entry && SameName(lines_[i].name, entry)) return i;
    }
  }
  return npos;
}

std::optional<std::string> CIniText::Find(std::string_view section, std::string_view entry) const {
  if (!IsValidSectionName(section) || !IsValidEntryName(entry)) return std::nullopt;
  const std::size_t i = FindEntry(section, entry);
  if (i == npos) return std::nullopt;
  return lines_[i].value;
}

void CIniText::Set(std::string_view section, std::string_view entry, std::string_view value) {
  if (const std::size_t i = FindEntry(section, entry); i != npos) {
    // Keep the name as the file spells it.
    lines_[i] = EntryLine(lines_[i].name, value);
    return;
  }
  for (std::size_t header = 0; header < lines_.size(); ++header) {
    if (lines_[header].kind != Kind::Section || !SameName(lines_[header].name, section)) continue;
    std::size_t at = header + 1;
    for (std::size_t i = at, end = SectionEnd(header); i < end; ++i) {
      if (lines_[i].kind == Kind::Entry) at = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), EntryLine(entry, value));
    return;
  }
  if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(Line{Kind::Other, {}, {}, {}});
  lines_.push_back(Line{Kind::Section, "[" + std::string(section) + "]", std::string(section), {}});
  lines_.push_back(EntryLine(entry, value));
}

bool CIniText::Remove(std::string_view section, std::string_view entry) {
  bool removed = false;
  for (std::size_t i = FindEntry(section, entry); i != npos; i = FindEntry(section, entry)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    removed = true;
  }
  return removed;
}

bool CIniText::RemoveSection(std::string_view section) {
  bool removed = false;
  for (std::size_t header = 0; header < lines_.size();) {
    if (lines_[header].kind == Kind::Section && SameName(lines_[header].name, section)) {
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                   lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
      removed = true;
    } else {
      ++header;
    }
  }
  return removed;
}

}  // namespace platform
