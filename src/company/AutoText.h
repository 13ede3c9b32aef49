#pragma once
// The auto-text files of Data/Other: small files the form-printing side reads to fill a form's
// own-company fields and its amount rules. Each holds exactly one string in the settings
// archive's string encoding (length prefix, then the CP932 bytes) and nothing else.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace company {

// Data/Other of the installation folder.
std::filesystem::path AutoTextFolder(const std::filesystem::path& install);

// A file's whole content for text.
std::string EncodeAutoText(std::string_view utf8);

// The text of a file of the folder; nullopt when it is missing, cannot be read, or is not one
// archive string (so a damaged file reads as no value, never as part of one).
std::optional<std::string> ReadAutoText(const std::filesystem::path& folder, std::string_view name);

// One file to write: its name in the folder and its text.
using AutoText = std::pair<std::string, std::string>;

// Replaces the files of the set, all of them or none (platform/DurableFile). False with the
// reason in error when any could not be written; every file then keeps what it held.
bool WriteAutoTexts(const std::filesystem::path& folder, const std::vector<AutoText>& files, std::string& error);

// The number forms, one character at a time (the boxes hold digits and the joining "-"):
// vertical: "-" stays, a digit becomes its kanji numeral ("〇" to "九"), anything else "〇";
// full width: "-" becomes "－", a digit its full-width digit, anything else "０".
std::string VerticalNumber(std::string_view utf8);
std::string FullWidthNumber(std::string_view utf8);

// An address for vertical printing: "－" to "-", digits of both widths to kanji numerals, Latin
// letters to full width, half-width katakana to full width, and a katakana followed by a
// spacing voiced or semi-voiced mark merged into one character.
std::string VerticalAddress(std::string_view utf8);

}  // namespace company
