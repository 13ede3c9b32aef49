#include "lookup/CFnw.h"

#include "lookup/DictionaryFile.h"
#include "platform/DurableFile.h"

namespace lookup {
namespace fs = std::filesystem;
using records::sqlite::Connection;
using records::sqlite::Statement;
using records::sqlite::StepResult;

const char* const kPhoneBookSchemaSql =
    "CREATE TABLE Phone(Tel TEXT NOT NULL, TelText TEXT NOT NULL, Zip TEXT NOT NULL, Name TEXT NOT NULL,"
    " Pref TEXT NOT NULL, City TEXT NOT NULL, Town TEXT NOT NULL, Block TEXT NOT NULL);"
    "CREATE INDEX PhoneByTel ON Phone(Tel);";

namespace {

constexpr std::string_view kTable = "Phone";

void AppendMatches(Connection& db, const std::string& digits, std::vector<CPhoneCandidate>& out) {
  if (!db.IsOpen()) return;
  Statement statement =
      db.Cached("SELECT TelText, Zip, Name, Pref, City, Town, Block FROM Phone WHERE Tel = ?1 ORDER BY rowid");
  statement.BindText(1, digits);
  while (statement.Step() == StepResult::Row) {
    CPhoneCandidate c;
    for (auto [column, field] : {std::pair{0, &c.tel}, {1, &c.zip}, {2, &c.name}, {3, &c.prefecture},
                                 {4, &c.city}, {5, &c.town}, {6, &c.block}}) {
      *field = statement.ColumnText(column);
    }
    out.push_back(std::move(c));
  }
}

fs::path MediumBook(const fs::path& cdRoot) { return cdRoot / CFnw::kMediumFolder / CFnw::kBookFileName; }

}  // namespace

bool CFnw::OpenBook(const fs::path& file) {
  return OpenDictionaryFile(book_, file, kPhoneBookFormat, kTable) == DictionaryCheck::Ok;
}

int CFnw::Fnw_Open(const fs::path& hdFolder, const fs::path& cdRoot, const fs::path& diffFolder) {
  Fnw_Close();
  std::error_code ec;
  const bool fromDisk = !hdFolder.empty() && fs::exists(hdFolder / kBookFileName, ec) && OpenBook(hdFolder / kBookFileName);
  if (!fromDisk && (cdRoot.empty() || !OpenBook(MediumBook(cdRoot)))) return 0;
  const fs::path diff = diffFolder.empty() ? fs::path() : diffFolder / kDiffFileName;
  if (!diff.empty() && fs::exists(diff, ec) &&
      OpenDictionaryFile(diff_, diff, kPhoneBookFormat, kTable) != DictionaryCheck::Ok) {
    Fnw_Close();
    return 0;
  }
  return 1;
}

void CFnw::Fnw_Close() {
  book_.Close();
  diff_.Close();
}

int CFnw::Fnw_Search(std::string_view tel, std::vector<CPhoneCandidate>& candidates) {
  candidates.clear();
  const std::string digits = TelephoneDigits(tel);
  if (!IsOpen() || digits.empty()) return -1;
  AppendMatches(book_, digits, candidates);
  AppendMatches(diff_, digits, candidates);
  return static_cast<int>(candidates.size());
}

void CFnw::Fnw_MemRelease() {
  for (Connection* db : {&book_, &diff_}) {
    if (db->IsOpen()) sqlite3_db_release_memory(db->Handle());
  }
}

int CFnw::Fnw_CopyDic(const fs::path& cdRoot, const fs::path& hdFolder) {
  const fs::path source = MediumBook(cdRoot);
  {
    Connection probe;
    if (OpenDictionaryFile(probe, source, kPhoneBookFormat, kTable) != DictionaryCheck::Ok) return 0;
  }
  const fs::path target = hdFolder / kBookFileName;
  const fs::path temp = platform::SavingPathFor(target);
  std::error_code ec;
  std::string error;
  fs::create_directories(hdFolder, ec);
  fs::copy_file(source, temp, fs::copy_options::overwrite_existing, ec);
  // A medium's files are read-only; the copy must stay replaceable.
  if (!ec) fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  if (!ec && platform::SyncFile(temp, error) && platform::ReplaceFile(temp, target, error)) return 1;
  fs::remove(temp, ec);
  return 0;
}

bool WritePhoneBook(const fs::path& file, const std::vector<CPhoneCandidate>& entries, std::string& error) {
  return WriteDictionaryFile(
      file, kPhoneBookFormat, kPhoneBookSchemaSql,
      [&entries](Connection& db) {
        Statement insert = db.Prepare(
            "INSERT INTO Phone(Tel, TelText, Zip, Name, Pref, City, Town, Block) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
        for (const CPhoneCandidate& e : entries) {
          const std::string digits = TelephoneDigits(e.tel);
          if (digits.empty()) continue;
          insert.Reset();
          int index = 1;
          bool ok = insert.BindText(index++, digits);
          for (const std::string* field : {&e.tel, &e.zip, &e.name, &e.prefecture, &e.city, &e.town, &e.block}) {
            ok = ok && insert.BindText(index++, *field);
          }
          if (!ok || insert.Step() != StepResult::Done) return false;
        }
        return true;
      },
      error);
}

}  // namespace lookup
