#pragma once
// The text of an INI file, read forgivingly and written back with every line it did not change
// kept as it was (comments, blank lines, lines it could not read).
//
// Format (UTF-8, a leading byte-order mark is skipped): "[Section]" headers and "Entry=value"
// lines; lines beginning with ";" or "#" are comments. Names and values are trimmed of spaces
// and tabs; a ";" after a value is part of the value. A value written in double quotes may hold
// the escapes \\ \" \n \r \t and \xHH; values that need it (spaces at either end, control
// characters, a leading quote) are written that way. Section and entry names compare without
// regard to ASCII case, as registry keys do; of repeated names the first occurrence counts.
// A broken line (no "=", an unclosed header or quote, invalid UTF-8, an entry before any
// section) is skipped when reading and never ends the parse; entries under a broken header are
// skipped with it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class CIniText {
 public:
  static CIniText Parse(std::string_view bytes);
  // The file's bytes: one "\n"-terminated line per line.
  std::string Serialise() const;

  // Valid names: non-empty UTF-8 without line breaks or spaces at either end; a section name
  // holds no "]", an entry name no "=" and does not begin with "[", ";" or "#".
  static bool IsValidSectionName(std::string_view name);
  static bool IsValidEntryName(std::string_view name);

  // The value of the entry, nullopt when absent.
  std::optional<std::string> Find(std::string_view section, std::string_view entry) const;
  // Sets the entry (names must be valid, value valid UTF-8), adding the section when absent.
  void Set(std::string_view section, std::string_view entry, std::string_view value);
  // Removes the entry (every occurrence); false when there was none.
  bool Remove(std::string_view section, std::string_view entry);
  // Removes the section with its entries and the comments inside it; false when absent.
  bool RemoveSection(std::string_view section);

 private:
  enum class Kind { Section, Entry, Other };
  struct Line {
    Kind kind;
    std::string text;   // as read or as written
    std::string name;   // Section and Entry; empty for a broken header
    std::string value;  // Entry
  };

  static Line ParseLine(std::string_view raw);
  static Line EntryLine(std::string_view name, std::string_view value);
  // Index one past the last line of the section that begins at header.
  std::size_t SectionEnd(std::size_t header) const;
  // Index of the first entry line matching in a section matching; npos when none.
  std::size_t FindEntry(std::string_view section, std::string_view entry) const;

  std::vector<Line> lines_;
};

}  // namespace platform
