#include "records/CKokyakuVMData.h"

#include <cctype>

#include "records/JetFunctions.h"
#include "records/JetSql.h"
#include "records/KokyakuRow.h"
#include "records/QmvSchema.h"
#include "text/Cp932.h"
#include "text/Width.h"

namespace records {

CKokyakuVMData::CKokyakuVMData() {
  file_.SetValidator([](sqlite::Connection& db, std::string& why) {
    if (IsQmvDatabase(db.Handle())) return true;
    why = "顧客データベースではありません。";
    return false;
  });
}
CKokyakuVMData::~CKokyakuVMData() = default;

// ---- The database file ----

int CKokyakuVMData::InitDB(const std::filesystem::path& folder) {
  const int result = file_.InitDB(folder);
  if (result != 1) {
    lastError_ = file_.LastError();
    return result;
  }
  RegisterJetFunctions(Db().Handle());
  // Only a speed matter: a database that cannot take the index still works without it.
  Db().Exec(kQmvLaterIndexesSql);
  return 1;
}

int CKokyakuVMData::InitDBFromPath(const std::filesystem::path& path, bool /*readOnly*/) {
  // Past data is only ever opened read-only: a past file must stay as it was.
  const int result = file_.InitDBFromPath(path);
  if (result != 1) {
    lastError_ = file_.LastError();
    return result;
  }
  RegisterJetFunctions(Db().Handle());
  return 1;
}

int CKokyakuVMData::SaveQMV(bool close) {
  const int result = file_.SaveQMV(close);
  if (result != 1) lastError_ = file_.LastError();
  return result;
}

int CKokyakuVMData::CloseKeepingWorkCopy() {
  const int result = file_.CloseKeepingWorkCopy();
  if (result != 1) lastError_ = file_.LastError();
  return result;
}

std::filesystem::path CKokyakuVMData::GetQMVFName() const { return file_.GetQMVFName(); }

int CKokyakuVMData::CompactDB(const std::filesystem::path& backup) {
  const int result = file_.CompactDB(backup);
  if (result != 1) lastError_ = file_.LastError();
  return result;
}

bool CKokyakuVMData::IsOpen() const { return file_.IsOpen(); }
bool CKokyakuVMData::IsReadOnly() const { return file_.IsReadOnly(); }

// ---- Shared helpers ----

int CKokyakuVMData::Fail(std::string text) {
  lastError_ = std::move(text);
  return -1;
}

int CKokyakuVMData::FailDb() { return Fail(Db().LastError()); }

bool CKokyakuVMData::CanRead() {
  if (file_.IsOpen()) return true;
  Fail("データベースが開かれていません。");
  return false;
}

bool CKokyakuVMData::CanWrite() {
  if (!CanRead()) return false;
  if (!file_.IsReadOnly()) return true;
  Fail("データベースは読取専用です。");
  return false;
}

int CKokyakuVMData::Finish(std::size_t done, std::size_t asked) {
  if (done == asked) return 1;
  return done == 0 ? -1 : 10;
}

double CKokyakuVMData::StrTelToINT(std::string_view tel) {
  double number = 0;
  for (char c : text::FullWidthDigitsToAscii(tel)) {
    if (c >= '0' && c <= '9') number = number * 10 + (c - '0');
  }
  return number;
}

// ---- Customers ----

int CKokyakuVMData::GetAllKokyaku(KokyakuList& list, std::string_view sortText) {
  if (!CanRead()) return 0;
  const JetTranslation jet = TranslateJetSql("SELECT Customer.* FROM Customer " + std::string(sortText));
  if (!jet.ok) {
    Fail(jet.error);
    return 0;
  }
  sqlite::Statement s = Db().Cached(jet.sql);
  if (!s) return FailDb(), 0;
  const KokyakuReader reader(s);
  KokyakuList loaded;
  sqlite::StepResult step;
  while ((step = s.Step()) == sqlite::StepResult::Row) {
    auto customer = std::make_unique<CKokyaku>();
    reader.Read(s, *customer);
    loaded.push_back(std::move(customer));
  }
  if (step == sqlite::StepResult::Error) return FailDb(), 0;
  list.reserve(list.size() + loaded.size());
  for (auto& customer : loaded) list.push_back(std::move(customer));
  return 1;
}

namespace {

CKokyaku WithRegistrationDates(const CKokyaku& customer, const COleDate& now) {
  CKokyaku k = customer;
  if (!k.StartDate.IsValid()) k.StartDate = now;
  if (!k.LastUpDate.IsValid()) k.LastUpDate = now;
  if (!k.RirekiUpDate.IsValid()) k.RirekiUpDate = now;
  return k;
}

}  // namespace

int CKokyakuVMData::AddNewKokyaku(const CKokyaku& customer) {
  if (!CanWrite()) return -1;
  sqlite::Statement s = Db().Cached(KokyakuInsertSql());
  const CKokyaku k = WithRegistrationDates(customer, COleDate::Now());
  if (!s || !BindKokyaku(s, k) || s.Step() != sqlite::StepResult::Done) return FailDb();
  return static_cast<int>(Db().LastInsertRowid());
}

int CKokyakuVMData::AddNewKokyaku(const KokyakuList& customers, IdArray& ids) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  sqlite::Statement s = Db().Cached(KokyakuInsertSql());
  if (!transaction.IsActive() || !s) return FailDb();
  const COleDate now = COleDate::Now();
  IdArray added, failed;
  for (std::size_t i = 0; i < customers.size(); ++i) {
    const bool ok = customers[i] && BindKokyaku(s, WithRegistrationDates(*customers[i], now)) &&
                    s.Step() == sqlite::StepResult::Done;
    s.Reset();
    if (ok) {
      added.push_back(static_cast<std::int32_t>(Db().LastInsertRowid()));
    } else {
      if (customers[i]) lastError_ = Db().LastError();
      failed.push_back(static_cast<std::int32_t>(i));
    }
  }
  if (added.empty() && !customers.empty()) return -1;
  if (!transaction.Commit()) return FailDb();
  ids = failed.empty() ? added : failed;
  return failed.empty() ? 1 : 10;
}

int CKokyakuVMData::AddNewKokyakuAllOrNone(const KokyakuList& customers, IdArray& ids,
                                           const std::function<bool(std::size_t)>& keepGoing) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  sqlite::Statement s = Db().Cached(KokyakuInsertSql());
  if (!transaction.IsActive() || !s) return FailDb();
  const COleDate now = COleDate::Now();
  IdArray added;
  added.reserve(customers.size());
  for (std::size_t i = 0; i < customers.size(); ++i) {
    if (keepGoing && i % 1000 == 0 && !keepGoing(i)) return -1;  // the transaction rolls back
    const bool ok = customers[i] && BindKokyaku(s, WithRegistrationDates(*customers[i], now)) &&
                    s.Step() == sqlite::StepResult::Done;
    s.Reset();
    if (!ok) return FailDb();
    added.push_back(static_cast<std::int32_t>(Db().LastInsertRowid()));
  }
  if (!transaction.Commit()) return FailDb();
  ids = std::move(added);
  return 1;
}

int CKokyakuVMData::ModifyKokyaku(std::int32_t id, const CKokyaku& customer) {
  if (!CanWrite()) return -1;
  sqlite::Statement s = Db().Cached(KokyakuUpdateSql());
  if (!s || !BindKokyaku(s, customer) || !s.BindInt(KokyakuParameterCount() + 1, id) ||
      s.Step() != sqlite::StepResult::Done) {
    return FailDb();
  }
  return Db().Changes() == 1 ? 1 : 0;
}

namespace {

// The new value of one column of a bulk change, as a customer record carrying it.
bool BulkValue(const KokyakuColumn& column, std::string_view text, const std::int32_t* colour, CKokyaku& value) {
  if (column.kind == ColumnKind::Colour) {
    if (!colour) return false;
    value.ColorMark = *colour;
    return true;
  }
  return SetColumnFromText(value, column.name, text);
}

}  // namespace

int CKokyakuVMData::ModifyKokyaku(const IdArray& ids, IdArray& changed, std::string_view column, const COleDate& now,
                                  std::string_view text, const std::int32_t* colour) {
  if (!CanWrite()) return -1;
  const KokyakuColumn* c = FindKokyakuColumn(column);
  CKokyaku value;
  if (!c || c->name == "ID" || !BulkValue(*c, text, colour, value)) {
    return Fail("変更できない列です: " + std::string(column));
  }
  std::string sql = "UPDATE Customer SET \"" + std::string(c->name) + "\"=?2, LastUpDate=?3";
  if (c->name == "TEL_Home") sql += ", TEL_Home_X=?4";
  if (c->name == "TEL_Office") sql += ", TEL_Office_X=?4";
  sql += " WHERE ID=?1";
  sqlite::Transaction transaction(Db());
  sqlite::Statement s = Db().Prepare(sql);
  if (!transaction.IsActive() || !s) return FailDb();
  BindColumn(s, 2, value, *c);
  BindDate(s, 3, now);
  if (c->name == "TEL_Home" || c->name == "TEL_Office") s.BindDouble(4, StrTelToINT(ColumnText(value, c->name)));
  IdArray done;
  for (std::int32_t id : ids) {
    s.BindInt(1, id);
    const sqlite::StepResult step = s.Step();
    s.Reset();
    if (step == sqlite::StepResult::Error) return FailDb();
    if (Db().Changes() == 1) done.push_back(id);
  }
  if (!transaction.Commit()) return FailDb();
  changed.insert(changed.end(), done.begin(), done.end());
  return Finish(done.size(), ids.size());
}

int CKokyakuVMData::DeleteKokyaku(const IdArray& ids, IdArray& deleted) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  if (!transaction.IsActive()) return FailDb();
  IdArray done;
  for (std::int32_t id : ids) {
    for (const char* sql : {"DELETE FROM Rireki WHERE CustomerID=?1", "DELETE FROM DMMng WHERE CustomerID=?1",
                            "DELETE FROM Customer WHERE ID=?1"}) {
      sqlite::Statement s = Db().Cached(sql);
      if (!s || !s.BindInt(1, id) || s.Step() != sqlite::StepResult::Done) return FailDb();
    }
    if (Db().Changes() == 1) done.push_back(id);
  }
  if (!transaction.Commit()) return FailDb();
  deleted.insert(deleted.end(), done.begin(), done.end());
  if (done.empty() && !ids.empty()) return 0;
  return done.size() == ids.size() ? 1 : 10;
}

}  // namespace records
