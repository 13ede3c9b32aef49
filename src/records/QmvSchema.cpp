#include "records/QmvSchema.h"

#include <sqlite3.h>

#include "records/KokyakuColumns.h"

namespace records {

namespace {

std::string ColumnDefinition(const KokyakuColumn& c) {
  switch (c.kind) {
    case ColumnKind::Text: return "\"" + std::string(c.name) + "\" TEXT NOT NULL DEFAULT '' COLLATE NOCASE";
    case ColumnKind::Date: return "\"" + std::string(c.name) + "\" REAL";
    default: return "\"" + std::string(c.name) + "\" INTEGER NOT NULL DEFAULT 0";
  }
}

std::string CustomerTable() {
  // AUTOINCREMENT: an ID is never given twice, so IDs kept by DM lists and extractions stay true.
  std::string sql = "CREATE TABLE Customer (\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT";
  for (const auto& c : KokyakuColumns()) {
    if (c.name == "ID") continue;
    sql += ",\n  " + ColumnDefinition(c);
  }
  sql += ",\n  \"" + std::string(kTelHomeX) + "\" REAL NOT NULL DEFAULT 0";
  sql += ",\n  \"" + std::string(kTelOfficeX) + "\" REAL NOT NULL DEFAULT 0";
  return sql + ");\n";
}

}  // namespace

std::string QmvSchemaSql() {
  // 16 KiB pages: whole-table reads and the page copy of each save take a third of the calls.
  return "PRAGMA page_size=16384;\n" + CustomerTable() +
         "CREATE TABLE Rireki (ID INTEGER PRIMARY KEY AUTOINCREMENT,\n"
         "  CustomerID INTEGER NOT NULL, Date REAL, ActionTitle TEXT NOT NULL DEFAULT '' COLLATE NOCASE,\n"
         "  Action TEXT NOT NULL DEFAULT '' COLLATE NOCASE, Money REAL NOT NULL DEFAULT 0,\n"
         "  Keyword TEXT NOT NULL DEFAULT '' COLLATE NOCASE, TantouName TEXT NOT NULL DEFAULT '' COLLATE NOCASE,\n"
         "  Picture TEXT NOT NULL DEFAULT '',\n"
         "  DMID INTEGER);\n"  // set on the sending history a DM wrote, so it can be moved or removed
         "CREATE TABLE DMList (ID INTEGER PRIMARY KEY AUTOINCREMENT, SendDate REAL,\n"
         "  SendMethod INTEGER NOT NULL DEFAULT 0, Sent INTEGER NOT NULL DEFAULT 0,\n"
         "  Manager TEXT NOT NULL DEFAULT '' COLLATE NOCASE, Title TEXT NOT NULL DEFAULT '' COLLATE NOCASE,\n"
         "  Content TEXT NOT NULL DEFAULT '' COLLATE NOCASE, HistoryRegistered INTEGER NOT NULL DEFAULT 0);\n"
         "CREATE TABLE DMMng (DMID INTEGER NOT NULL, CustomerID INTEGER NOT NULL, PRIMARY KEY (DMID, CustomerID))\n"
         "  WITHOUT ROWID;\n"
         "CREATE INDEX RirekiByCustomer ON Rireki (CustomerID, Date);\n"
         "CREATE INDEX RirekiByDM ON Rireki (DMID) WHERE DMID IS NOT NULL;\n"
         "CREATE INDEX RirekiByDate ON Rireki (Date);\n" +
         std::string(kQmvLaterIndexesSql) +
         "CREATE INDEX CustomerByRirekiUpDate ON Customer (RirekiUpDate);\n"
         "CREATE INDEX DMMngByCustomer ON DMMng (CustomerID);\n"
         "CREATE TABLE QmvSchema (Version INTEGER NOT NULL);\n"
         "INSERT INTO QmvSchema (Version) VALUES (" +
         std::to_string(kQmvSchemaVersion) + ");\n";
}

int QmvSchemaVersion(sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT Version FROM QmvSchema", -1, &stmt, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return 0;
  }
  const int version = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : 0;
  sqlite3_finalize(stmt);
  return version;
}

bool IsQmvDatabase(sqlite3* db) {
  const int version = QmvSchemaVersion(db);
  if (version < 1 || version > kQmvSchemaVersion) return false;
  for (const char* table : {"Customer", "Rireki", "DMList", "DMMng"}) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?", -1, &stmt, nullptr);
    sqlite3_bind_text(stmt, 1, table, -1, SQLITE_STATIC);
    const bool found = sqlite3_step(stmt) == SQLITE_ROW;
    sqlite3_finalize(stmt);
    if (!found) return false;
  }
  return true;
}

}  // namespace records
