#pragma once
// The file format shared by the postal dictionary, the business dictionary and the phone book:
// a read-only SQLite 3 database with a table Meta(Key, Value) whose "Format" names the kind of
// dictionary and whose "Version" its layout (kDictionaryVersion), beside the kind's own table.
// A file is checked before use: it must be whole (the size its header states), of the expected
// kind and version, and hold its table.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "records/Sqlite.h"

namespace lookup {

inline constexpr int kDictionaryVersion = 1;
inline constexpr std::string_view kPostalFormat = "TovanaPostal";
inline constexpr std::string_view kBusinessFormat = "TovanaBusiness";
inline constexpr std::string_view kPhoneBookFormat = "TovanaPhoneBook";

enum class DictionaryCheck {
  Ok,            // open in db
  Missing,       // no such file, or it cannot be read
  Broken,        // not a whole dictionary of this kind: cut short, damaged or a foreign file
  WrongVersion,  // a dictionary of this kind with another layout version
  OutOfMemory,   // SQLite could not get the memory to open it
};

// Opens file read-only in db (which must be closed) after the checks above; on anything but Ok
// db stays closed. table is the kind's own table, which must exist.
DictionaryCheck OpenDictionaryFile(records::sqlite::Connection& db, const std::filesystem::path& file,
                                   std::string_view format, std::string_view table);

// Builds a dictionary: creates the schema (schemaSql, then Meta with format and version), runs
// fill inside one transaction, and moves the whole file into place only when everything
// succeeded, so a failed build never leaves a half dictionary at file. False with error.
bool WriteDictionaryFile(const std::filesystem::path& file, std::string_view format, std::string_view schemaSql,
                         const std::function<bool(records::sqlite::Connection&)>& fill, std::string& error);

}  // namespace lookup
