#pragma once
// The tables of a customer database file and their version. The column lists come from the
// column table; nothing here repeats them.

#include <string>

struct sqlite3;

namespace records {

// Version 1: Customer, Rireki, DMList, DMMng. A later version migrates files with a lower number.
inline constexpr int kQmvSchemaVersion = 1;

// The statements that create an empty database of the current version, in one script.
std::string QmvSchemaSql();

// Indexes added after the first databases were written: a database opened for work gets them
// when it lacks them (nothing else about its file changes). The analyses read a customer's
// history by summary, date and amount from this index alone, without visiting the entries.
inline constexpr const char* kQmvLaterIndexesSql =
    "CREATE INDEX IF NOT EXISTS RirekiFigures ON Rireki (CustomerID, ActionTitle, Date, Money);\n";

// The version recorded in an open database: 0 when it has no version row (not one of ours).
int QmvSchemaVersion(sqlite3* db);

// True when the database holds our tables at a version this program can open.
bool IsQmvDatabase(sqlite3* db);

}  // namespace records
