#include "lookup/CMultiDB.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "lookup/DictionaryFile.h"

namespace lookup {
namespace fs = std::filesystem;
using records::sqlite::Connection;
using records::sqlite::Statement;
using records::sqlite::StepResult;

const char* const kPostalSchemaSql =
    "CREATE TABLE Address(Code TEXT NOT NULL, Pref INTEGER NOT NULL, City TEXT NOT NULL, Town TEXT NOT NULL,"
    " Block TEXT NOT NULL, Company TEXT NOT NULL);"
    "CREATE INDEX AddressByCode ON Address(Code);"
    "CREATE INDEX AddressByPlace ON Address(Pref, City, Town, Block, Code);";

namespace {

constexpr std::string_view kTable = "Address";

int PostalCode(DictionaryCheck check) {
  switch (check) {
    case DictionaryCheck::Ok: return CMultiDB::kOpen;
    case DictionaryCheck::Missing: return CMultiDB::kCannotOpen;
    case DictionaryCheck::Broken: return CMultiDB::kBroken;
    case DictionaryCheck::WrongVersion: return CMultiDB::kWrongVersion;
    case DictionaryCheck::OutOfMemory: return CMultiDB::kOutOfMemory;
  }
  return CMultiDB::kBroken;
}

int BusinessCode(DictionaryCheck check) {
  switch (check) {
    case DictionaryCheck::Ok: return CMultiDB::kOpen;
    case DictionaryCheck::WrongVersion: return CMultiDB::kBusinessWrongVersion;
    case DictionaryCheck::OutOfMemory: return CMultiDB::kOutOfMemory;
    default: return CMultiDB::kBusinessCannotOpen;
  }
}

// The digits of a search key and whether it asks for a prefix; false for a key of another form.
bool ParseKey(std::string_view key, std::string& digits, bool& prefix) {
  prefix = !key.empty() && key.back() == '*';
  if (prefix) key.remove_suffix(1);
  if (key.size() < 3 || key.size() > 7) return false;
  if (key.find_first_not_of("0123456789") != std::string_view::npos) return false;
  digits = key;
  prefix = prefix && key.size() < 7;
  return true;
}

CPostalCandidate CandidateOf(const Statement& row) {
  return {std::string(row.ColumnText(0)), std::string(PrefectureName(row.ColumnInt(1))),
          std::string(row.ColumnText(2)),  std::string(row.ColumnText(3)),
          std::string(row.ColumnText(4)),  std::string(row.ColumnText(5))};
}

std::vector<CPostalLevelEntry> LevelRows(Statement statement) {
  std::vector<CPostalLevelEntry> entries;
  while (statement && statement.Step() == StepResult::Row) {
    entries.push_back({std::string(statement.ColumnText(0)), std::string(statement.ColumnText(1))});
  }
  return entries;
}

}  // namespace

int CMultiDB::MultiDB_Open(const fs::path& postalFolder, const fs::path& businessFolder) {
  MultiDB_Close();
  if (postalFolder.empty() || businessFolder.empty()) return kBadParameter;
  const int postal = PostalCode(OpenDictionaryFile(postal_, postalFolder / kPostalFileName, kPostalFormat, kTable));
  if (postal != kOpen) return postal;
  const int business =
      BusinessCode(OpenDictionaryFile(business_, businessFolder / kBusinessFileName, kBusinessFormat, kTable));
  if (business != kOpen) MultiDB_Close();
  return business;
}

void CMultiDB::MultiDB_Close() {
  postal_.Close();
  business_.Close();
}

int CMultiDB::MultiDB_Search(std::string_view key, Dictionary which, std::vector<CPostalCandidate>& candidates) {
  candidates.clear();
  std::string digits;
  bool prefix = false;
  if (!ParseKey(key, digits, prefix)) return kBadKey;
  if (!IsOpen()) return kNotOpen;
  // Every code is 7 digits, so ":" (after "9") closes the range of a prefix.
  Statement statement = Of(which).Cached(
      "SELECT Code, Pref, City, Town, Block, Company FROM Address WHERE Code >= ?1 AND Code < ?2"
      " GROUP BY Code, Pref, City, Town, Block, Company ORDER BY Code, min(rowid)");
  if (!statement.BindText(1, digits) || !statement.BindText(2, prefix ? digits + ":" : digits + "\x01")) {
    return kNotOpen;
  }
  while (statement.Step() == StepResult::Row) candidates.push_back(CandidateOf(statement));
  return kOpen;
}

std::vector<CPostalLevelEntry> CMultiDB::Prefectures() {
  std::vector<CPostalLevelEntry> entries;
  if (!IsOpen()) return entries;
  Statement statement = postal_.Cached("SELECT DISTINCT Pref FROM Address ORDER BY Pref");
  while (statement.Step() == StepResult::Row) {
    const std::string_view name = PrefectureName(statement.ColumnInt(0));
    if (!name.empty()) entries.push_back({std::string(name), {}});
  }
  return entries;
}

std::vector<CPostalLevelEntry> CMultiDB::Cities(std::string_view prefecture) {
  const int pref = PrefectureCode(prefecture);
  if (!IsOpen() || pref == 0) return {};
  Statement statement = postal_.Cached(
      "SELECT City, coalesce(min(CASE WHEN Town = '' THEN Code END), min(Code)) FROM Address"
      " WHERE Pref = ?1 GROUP BY City ORDER BY min(Code)");
  statement.BindInt(1, pref);
  return LevelRows(std::move(statement));
}

std::vector<CPostalLevelEntry> CMultiDB::Towns(std::string_view prefecture, std::string_view city) {
  const int pref = PrefectureCode(prefecture);
  if (!IsOpen() || pref == 0) return {};
  Statement statement = postal_.Cached(
      "SELECT Town, coalesce(min(CASE WHEN Block = '' THEN Code END), min(Code)) FROM Address"
      " WHERE Pref = ?1 AND City = ?2 AND Town <> '' GROUP BY Town ORDER BY min(Code)");
  statement.BindInt(1, pref);
  statement.BindText(2, city);
  return LevelRows(std::move(statement));
}

std::vector<CPostalLevelEntry> CMultiDB::Blocks(std::string_view prefecture, std::string_view city,
                                                std::string_view town) {
  const int pref = PrefectureCode(prefecture);
  if (!IsOpen() || pref == 0) return {};
  std::vector<CPostalLevelEntry> entries;
  for (Connection* db : {&postal_, &business_}) {
    Statement statement = db->Cached(
        "SELECT Block, min(Code) FROM Address WHERE Pref = ?1 AND City = ?2 AND Town = ?3 AND Block <> ''"
        " GROUP BY Block");
    statement.BindInt(1, pref);
    statement.BindText(2, city);
    statement.BindText(3, town);
    for (CPostalLevelEntry& entry : LevelRows(std::move(statement))) entries.push_back(std::move(entry));
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const CPostalLevelEntry& a, const CPostalLevelEntry& b) { return a.zip < b.zip; });
  std::set<std::string> seen;
  std::erase_if(entries, [&seen](const CPostalLevelEntry& e) { return !seen.insert(e.name).second; });
  return entries;
}

bool WritePostalDictionary(const fs::path& file, CMultiDB::Dictionary kind, std::vector<CPostalCandidate> records,
                           std::string& error) {
  const auto key = [](const CPostalCandidate& r) {
    return std::tie(r.zip, r.prefecture, r.city, r.town, r.block, r.company);
  };
  // Code order keeps the rows of one search together on disk; the stable sort keeps the source's
  // order among the entries of one code.
  std::stable_sort(records.begin(), records.end(),
                   [](const CPostalCandidate& a, const CPostalCandidate& b) { return a.zip < b.zip; });
  std::set<decltype(key(records.front()))> seen;
  const std::string_view format = kind == CMultiDB::Dictionary::Postal ? kPostalFormat : kBusinessFormat;
  return WriteDictionaryFile(
      file, format, kPostalSchemaSql,
      [&](Connection& db) {
        Statement insert = db.Prepare(
            "INSERT INTO Address(Code, Pref, City, Town, Block, Company) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
        for (const CPostalCandidate& r : records) {
          const int pref = PrefectureCode(r.prefecture);
          if (pref == 0 || !seen.insert(key(r)).second) continue;
          insert.Reset();
          if (!insert.BindText(1, r.zip) || !insert.BindInt(2, pref) || !insert.BindText(3, r.city) ||
              !insert.BindText(4, r.town) || !insert.BindText(5, r.block) || !insert.BindText(6, r.company) ||
              insert.Step() != StepResult::Done) {
            return false;
          }
        }
        return true;
      },
      error);
}

}  // namespace lookup
