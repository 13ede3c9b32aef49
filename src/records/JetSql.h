#pragma once
// Translation of one Jet-dialect SELECT, as the extraction builder and the analyses write it, into
// SQLite SQL for a connection prepared with RegisterJetFunctions (records/JetFunctions.h).

#include <string>
#include <string_view>

namespace records {

struct JetTranslation {
  bool ok = false;
  std::string sql;    // the SQLite statement, when ok
  std::string error;  // what could not be read and at which byte offset, when not ok
};

// Translates one SELECT (with an optional trailing ";"); anything else, a statement longer than
// 64,000 bytes or nested deeper than 200 levels gives ok == false. Never throws.
// What holds for the result:
// - Names become quoted identifiers; [DMList].[Date] is the column SendDate.
// - #m/d/yyyy#, #yyyy/m/d# and #yyyy-m-d# dates, with an optional "h:nn[:ss] [AM|PM]", become
//   OLE date numbers.
// - Text comparisons are case-insensitive as far as SQLite's NOCASE goes (ASCII letters): a column
//   brings its NOCASE collation, and a comparison of two non-columns involving text is made NOCASE.
//   Like (jet_like) also folds full-width, Latin-1, Greek and Cyrillic letters.
// - Int(column) compared with a whole number becomes a range test on the column, so its index
//   still serves (meant for the numeric and date columns; a text column would then compare as
//   text); other comparisons keep their column operands bare for the same reason.
// - & joins with NULL as empty text; numbers in it read with up to 15 digits, dates as numbers.
JetTranslation TranslateJetSql(std::string_view jet);

}  // namespace records
