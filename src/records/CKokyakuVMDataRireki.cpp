// The history operations of the data store.
#include <iterator>
#include <string>

#include "records/CKokyakuVMData.h"
#include "records/KokyakuRow.h"
#include "records/RirekiRow.h"

namespace records {

namespace {

constexpr const char* kInsertRireki =
    "INSERT INTO Rireki (CustomerID, Date, ActionTitle, Action, Money, Keyword, TantouName, Picture)"
    " SELECT ID, ?2, ?3, ?4, ?5, ?6, ?7, ?8 FROM Customer WHERE ID=?1";
constexpr const char* kTouchCustomer = "UPDATE Customer SET RirekiUpDate=?2 WHERE ID=?1";
constexpr const char* kTouchCustomerOfRireki =
    "UPDATE Customer SET RirekiUpDate=?2 WHERE ID=(SELECT CustomerID FROM Rireki WHERE ID=?1)";

// Binds parameters 2 to 8 of an insert or update of a history entry.
bool BindRireki(sqlite::Statement& s, const CRirekiData& e) {
  return BindDate(s, 2, e.Date) && s.BindTextNoCopy(3, e.ActionTitle) && s.BindTextNoCopy(4, e.Action) &&
         s.BindDouble(5, e.Money) && s.BindTextNoCopy(6, e.Keyword) && s.BindTextNoCopy(7, e.TantouName) &&
         s.BindTextNoCopy(8, e.Picture);
}

}  // namespace

bool CKokyakuVMData::TouchRirekiUpDate(std::string_view sql, std::int32_t key, const COleDate& now) {
  sqlite::Statement s = Db().Cached(sql);
  return s && s.BindInt(1, key) && BindDate(s, 2, now) && s.Step() == sqlite::StepResult::Done;
}

int CKokyakuVMData::AddNewRireki(const IdArray& customerIds, const CRirekiData& entry, const COleDate& now) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  sqlite::Statement s = Db().Cached(kInsertRireki);
  if (!transaction.IsActive() || !s || !BindRireki(s, entry)) return FailDb();
  std::size_t added = 0;
  for (std::int32_t id : customerIds) {
    if (!s.BindInt(1, id) || s.Step() != sqlite::StepResult::Done) return FailDb();
    s.Reset();
    if (Db().Changes() != 1) continue;
    if (!TouchRirekiUpDate(kTouchCustomer, id, now)) return FailDb();
    ++added;
  }
  if (added == 0) return customerIds.empty() ? 1 : Fail("履歴を登録する顧客が見つかりません。");
  if (!transaction.Commit()) return FailDb();
  return Finish(added, customerIds.size());
}

int CKokyakuVMData::AddNewRireki(std::int32_t customerId, const CRirekiData& entry, const COleDate& now) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  sqlite::Statement s = Db().Cached(kInsertRireki);
  if (!transaction.IsActive() || !s || !BindRireki(s, entry) || !s.BindInt(1, customerId) ||
      s.Step() != sqlite::StepResult::Done) {
    return FailDb();
  }
  if (Db().Changes() != 1) return Fail("履歴を登録する顧客が見つかりません。");
  const auto id = static_cast<int>(Db().LastInsertRowid());
  if (!TouchRirekiUpDate(kTouchCustomer, customerId, now) || !transaction.Commit()) return FailDb();
  return id;
}

int CKokyakuVMData::ModifyRireki(std::int32_t id, const CRirekiData& entry, const COleDate& now) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  sqlite::Statement s = Db().Cached(
      "UPDATE Rireki SET Date=?2, ActionTitle=?3, Action=?4, Money=?5, Keyword=?6, TantouName=?7, Picture=?8"
      " WHERE ID=?1");
  if (!transaction.IsActive() || !s || !BindRireki(s, entry) || !s.BindInt(1, id) ||
      s.Step() != sqlite::StepResult::Done) {
    return FailDb();
  }
  if (Db().Changes() != 1) return 0;
  if (!TouchRirekiUpDate(kTouchCustomerOfRireki, id, now) || !transaction.Commit()) return FailDb();
  return 1;
}

int CKokyakuVMData::DeleteRireki(std::int32_t id, const COleDate& now) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  if (!transaction.IsActive() || !TouchRirekiUpDate(kTouchCustomerOfRireki, id, now)) return FailDb();
  sqlite::Statement s = Db().Cached("DELETE FROM Rireki WHERE ID=?1");
  if (!s || !s.BindInt(1, id) || s.Step() != sqlite::StepResult::Done) return FailDb();
  if (Db().Changes() != 1) return 0;
  return transaction.Commit() ? 1 : FailDb();
}

int CKokyakuVMData::DeleteRireki(const IdArray& ids, IdArray& deleted) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  sqlite::Statement s = Db().Cached("DELETE FROM Rireki WHERE ID=?1");
  if (!transaction.IsActive() || !s) return FailDb();
  IdArray done;
  for (std::int32_t id : ids) {
    if (!s.BindInt(1, id) || s.Step() != sqlite::StepResult::Done) return FailDb();
    s.Reset();
    if (Db().Changes() == 1) done.push_back(id);
  }
  if (done.empty()) return ids.empty() ? 1 : Fail("削除する履歴が見つかりません。");
  if (!transaction.Commit()) return FailDb();
  deleted.insert(deleted.end(), done.begin(), done.end());
  return Finish(done.size(), ids.size());
}

int CKokyakuVMData::DeleteRirekiForKokyaku(std::int32_t customerId) {
  if (!CanWrite()) return -1;
  sqlite::Statement s = Db().Cached("DELETE FROM Rireki WHERE CustomerID=?1");
  if (!s || !s.BindInt(1, customerId) || s.Step() != sqlite::StepResult::Done) return FailDb();
  return 1;
}

int CKokyakuVMData::DeleteRirekiForDate(const COleDate& date) {
  if (!CanWrite()) return -1;
  if (!date.IsValid()) return Fail("日付が正しくありません。");
  sqlite::Statement s = Db().Cached("DELETE FROM Rireki WHERE Date < ?1");
  if (!s || !s.BindDouble(1, date.DateOnly().Value()) || s.Step() != sqlite::StepResult::Done) return FailDb();
  return 1;
}

namespace {

// Runs a SELECT of history entries and appends them; false on a failed step (nothing appended).
bool ReadRireki(sqlite::Statement& s, RirekiList& list) {
  const RirekiReader reader(s);
  RirekiList read;
  sqlite::StepResult step;
  while ((step = s.Step()) == sqlite::StepResult::Row) {
    auto entry = std::make_unique<CRirekiData>();
    reader.Read(s, *entry);
    read.push_back(std::move(entry));
  }
  if (step == sqlite::StepResult::Error) return false;
  if (list.empty()) {
    list = std::move(read);
  } else {
    list.insert(list.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
  }
  return true;
}

}  // namespace

int CKokyakuVMData::GetRirekiForKokyaku(std::int32_t customerId, RirekiList& list) {
  if (!CanRead()) return -1;
  sqlite::Statement s = Db().Cached("SELECT " + std::string(kRirekiColumns) +
                                    " FROM Rireki WHERE CustomerID=?1 ORDER BY Date DESC, ID DESC");
  if (!s || !s.BindInt(1, customerId) || !ReadRireki(s, list)) return FailDb();
  return 1;
}

int CKokyakuVMData::GetAllRireki(RirekiList& list) {
  if (!CanRead()) return -1;
  sqlite::Statement s =
      Db().Cached("SELECT " + std::string(kRirekiColumns) + " FROM Rireki ORDER BY Date DESC, ID DESC");
  if (!s || !ReadRireki(s, list)) return FailDb();
  return 1;
}

int CKokyakuVMData::ExtractRireki(std::string_view sql, RirekiList& list) {
  // ReadRireki appends nothing unless every row was read.
  return Query(sql, [&](sqlite::Statement& s) { return ReadRireki(s, list); });
}

}  // namespace records
