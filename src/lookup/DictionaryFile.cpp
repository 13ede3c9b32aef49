#include "lookup/DictionaryFile.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "platform/DurableFile.h"

namespace lookup {
namespace fs = std::filesystem;
using records::sqlite::Connection;
using records::sqlite::StepResult;

namespace {

constexpr std::size_t kHeaderSize = 100;

std::uint32_t BigEndian(const unsigned char* bytes, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value = (value << 8) | bytes[i];
  return value;
}

// The SQLite header names the page size and, when its change counters agree, the page count:
// a file shorter than that was cut short.
DictionaryCheck CheckHeader(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return DictionaryCheck::Missing;
  std::array<unsigned char, kHeaderSize> header{};
  in.read(reinterpret_cast<char*>(header.data()), header.size());
  if (in.gcount() != static_cast<std::streamsize>(header.size())) return DictionaryCheck::Broken;
  if (std::memcmp(header.data(), "SQLite format 3", 16) != 0) return DictionaryCheck::Broken;
  std::uint32_t pageSize = BigEndian(&header[16], 2);
  if (pageSize == 1) pageSize = 65536;
  const std::uint32_t pages = BigEndian(&header[28], 4);
  const bool countValid = BigEndian(&header[24], 4) == BigEndian(&header[92], 4);
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec) return DictionaryCheck::Missing;
  if (countValid && pages != 0 && size != std::uintmax_t{pageSize} * pages) return DictionaryCheck::Broken;
  return DictionaryCheck::Ok;
}

std::string MetaValue(Connection& db, std::string_view key, bool& ok) {
  records::sqlite::Statement statement = db.Prepare("SELECT Value FROM Meta WHERE Key = ?1");
  ok = statement && statement.BindText(1, key) && statement.Step() == StepResult::Row;
  return ok ? std::string(statement.ColumnText(0)) : std::string();
}

DictionaryCheck CheckContent(Connection& db, std::string_view format, std::string_view table) {
  bool ok = false;
  if (MetaValue(db, "Format", ok) != format || !ok) return DictionaryCheck::Broken;
  if (MetaValue(db, "Version", ok) != std::to_string(kDictionaryVersion)) {
    return ok ? DictionaryCheck::WrongVersion : DictionaryCheck::Broken;
  }
  records::sqlite::Statement probe = db.Prepare("SELECT 1 FROM " + std::string(table) + " LIMIT 1");
  return probe && probe.Step() != StepResult::Error ? DictionaryCheck::Ok : DictionaryCheck::Broken;
}

}  // namespace

DictionaryCheck OpenDictionaryFile(Connection& db, const fs::path& file, std::string_view format,
                                   std::string_view table) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return DictionaryCheck::Missing;
  const DictionaryCheck header = CheckHeader(file);
  if (header != DictionaryCheck::Ok) return header;
  // Installed dictionaries never change while open: immutable spares every lock and check.
  if (!db.Open(file, SQLITE_OPEN_READONLY, "mode=ro&immutable=1")) {
    return (db.LastErrorCode() & 0xFF) == SQLITE_NOMEM ? DictionaryCheck::OutOfMemory : DictionaryCheck::Broken;
  }
  const DictionaryCheck content = CheckContent(db, format, table);
  if (content != DictionaryCheck::Ok) db.Close();
  return content;
}

bool WriteDictionaryFile(const fs::path& file, std::string_view format, std::string_view schemaSql,
                         const std::function<bool(Connection&)>& fill, std::string& error) {
  const fs::path building = file.string() + ".building";
  std::error_code ec;
  fs::remove(building, ec);
  bool ok = false;
  {
    Connection db;
    ok = db.Open(building, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) &&
         db.Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;") && db.Exec(schemaSql) &&
         db.Exec("CREATE TABLE Meta(Key TEXT PRIMARY KEY, Value TEXT NOT NULL) WITHOUT ROWID;");
    if (ok) {
      records::sqlite::Transaction transaction(db);
      records::sqlite::Statement meta = db.Prepare("INSERT INTO Meta(Key, Value) VALUES (?1, ?2)");
      ok = transaction.IsActive() && meta && meta.BindText(1, "Format") && meta.BindText(2, format) &&
           meta.Step() == StepResult::Done;
      meta.Reset();
      ok = ok && meta.BindText(1, "Version") && meta.BindText(2, std::to_string(kDictionaryVersion)) &&
           meta.Step() == StepResult::Done;
      meta = {};
      ok = ok && fill(db) && transaction.Commit();
    }
    ok = ok && db.Exec("VACUUM;");
    if (!ok) error = "cannot build " + file.string() + ": " + db.LastError();
    if (!db.Close()) ok = false;
  }
  ok = ok && platform::SyncFile(building, error) && platform::ReplaceFile(building, file, error);
  if (!ok) fs::remove(building, ec);
  return ok;
}

}  // namespace lookup
