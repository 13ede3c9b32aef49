// Extraction and analysis: statements of the extraction dialect, run read-only.
#include <sqlite3.h>
#include <strings.h>

#include <string>
#include <utility>

#include "records/CKokyakuVMData.h"
#include "records/JetSql.h"

namespace records {

namespace {

bool IsBlank(const char* tail) {
  for (; *tail; ++tail) {
    if (*tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n' && *tail != ';') return false;
  }
  return true;
}

// True when sql is exactly one statement that only reads; a second statement after it is refused.
bool IsSingleReadOnlyStatement(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()) + 1, &stmt, &tail);
  const bool ok = rc == SQLITE_OK && stmt && sqlite3_stmt_readonly(stmt) && tail && IsBlank(tail);
  sqlite3_finalize(stmt);
  return ok;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && strncasecmp(s.data(), prefix.data(), prefix.size()) == 0;
}

// An extraction needs only the customers' IDs: a select list of every customer column becomes the
// ID alone, so that neither the columns nor DISTINCT over all of them are computed for nothing.
std::string IdOnly(std::string_view sql) {
  while (!sql.empty() && sql.front() == ' ') sql.remove_prefix(1);
  for (const auto& [all, id] : {std::pair<std::string_view, std::string_view>{"SELECT DISTINCTROW Customer.* ",
                                                                               "SELECT DISTINCTROW Customer.ID "},
                                {"SELECT DISTINCT Customer.* ", "SELECT DISTINCT Customer.ID "},
                                {"SELECT Customer.* ", "SELECT Customer.ID "}}) {
    if (StartsWithNoCase(sql, all)) return std::string(id) + std::string(sql.substr(all.size()));
  }
  return std::string(sql);
}

int IdColumn(const sqlite::Statement& s) {
  for (int i = 0; i < s.ColumnCount(); ++i) {
    if (strcasecmp(std::string(s.ColumnName(i)).c_str(), "ID") == 0) return i;
  }
  return 0;
}

}  // namespace

int CKokyakuVMData::Query(std::string_view jetSql, const std::function<bool(sqlite::Statement&)>& run) {
  if (!CanRead()) return -1;
  const JetTranslation jet = TranslateJetSql(jetSql);
  if (!jet.ok) return Fail(jet.error);
  if (!IsSingleReadOnlyStatement(Db().Handle(), jet.sql)) {
    sqlite::Statement probe = Db().Prepare(jet.sql);
    return probe ? Fail("抽出には SELECT 文を一つだけ指定してください。") : FailDb();
  }
  sqlite::Statement s = Db().Prepare(jet.sql);
  if (!s) return FailDb();
  return run(s) ? 1 : FailDb();
}

int CKokyakuVMData::ExtractKokyaku(std::string_view sql, IdArray& ids) {
  IdArray read;
  const int result = Query(IdOnly(sql), [&](sqlite::Statement& s) {
    const int column = IdColumn(s);
    sqlite::StepResult step;
    while ((step = s.Step()) == sqlite::StepResult::Row) read.push_back(s.ColumnInt(column));
    return step == sqlite::StepResult::Done;
  });
  if (result == 1) ids.insert(ids.end(), read.begin(), read.end());
  return result;
}

int CKokyakuVMData::QueryRainbow(int kind, std::string_view sql, RainbowHits& hits, int limit) {
  if (kind != kRainbowCount && kind != kRainbowDate && kind != kRainbowDays && kind != kRainbowAmount) {
    return Fail("分析の種類が正しくありません。");
  }
  RainbowHits read;
  const int result = Query(sql, [&](sqlite::Statement& s) {
    if (s.ColumnCount() < 2) {
      Db().SetError(SQLITE_ERROR, "分析の結果に値の列がありません。");
      return false;
    }
    sqlite::StepResult step = sqlite::StepResult::Done;
    while ((limit <= 0 || static_cast<int>(read.size()) < limit) && (step = s.Step()) == sqlite::StepResult::Row) {
      auto hit = std::make_unique<CQMVRainbowHit>();
      hit->ID = s.ColumnInt(0);
      if (kind == kRainbowCount || kind == kRainbowDays) {
        hit->SetCount(s.ColumnInt(1));
      } else if (kind == kRainbowDate) {
        hit->SetDate(s.ColumnDouble(1));
      } else {
        hit->SetAmount(s.ColumnDouble(1));
      }
      read.push_back(std::move(hit));
    }
    return step != sqlite::StepResult::Error;
  });
  if (result == 1) {
    for (auto& hit : read) hits.push_back(std::move(hit));
  }
  return result;
}

}  // namespace records
