#pragma once
// The SQL functions that SQL translated from the Jet dialect (records/JetSql.h) calls.

struct sqlite3;

namespace records {

// Registers on db, as deterministic UTF-8 functions:
//   jet_like(pattern, value)  Jet Like: % any run, _ one character, # one digit 0-9, [abc] [a-z]
//                             [!a] one character of (not of) a class; "*" and "?" are plain
//                             characters, as in the ANSI wildcard mode; case-insensitive for Latin,
//                             Greek, Cyrillic and full-width letters; compares code points. NULL
//                             in, NULL out; a malformed pattern ("[abc", "[z-a]") fails the
//                             statement.
//   jet_concat(a, ...)        Jet &: NULL counts as empty text; NULL only when every operand is.
//   jet_add(a, b)             Jet +: two texts concatenate, otherwise numbers add; NULL propagates.
//   jet_int(x), jet_fix(x)    floor / truncation toward zero; NULL stays NULL.
//   jet_year(d), jet_month(d), jet_day(d)
//                             calendar parts of an OLE date; NULL, or no date of the years
//                             100..9999, gives NULL.
//   jet_power(x, y)           x ^ y.
// A text that is not a number, given to a numeric function, fails the statement ("type mismatch").
// Also turns off SQLite's double-quoted string literals in DML on db, so that a misspelt
// quoted column name is an error rather than silently a text constant.
// Returns SQLITE_OK, or the SQLite code of the first registration that failed.
int RegisterJetFunctions(sqlite3* db);

}  // namespace records
