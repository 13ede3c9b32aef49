// The direct-mail operations of the data store. A DM whose history flag is set has one sending
// entry in each recipient's history, linked to it by Rireki.DMID; these rules keep that true.
#include <string>

#include "records/CKokyakuVMData.h"
#include "records/KokyakuRow.h"

namespace records {

namespace {

constexpr const char* kPrintedTitle = "DM";
constexpr const char* kMailedTitle = "DMメール送信";

constexpr const char* kSelectDM =
    "SELECT ID, SendDate, SendMethod, Sent, Manager, Title, Content, HistoryRegistered FROM DMList";

std::unique_ptr<CDMListData> ReadDM(const sqlite::Statement& s) {
  auto dm = std::make_unique<CDMListData>();
  dm->ID = s.ColumnInt(0);
  dm->SendDate = ColumnDate(s, 1);
  dm->SendMethod = s.ColumnInt(2);
  dm->Sent = s.ColumnInt(3);
  dm->Manager.assign(s.ColumnText(4));
  dm->Title.assign(s.ColumnText(5));
  dm->Content.assign(s.ColumnText(6));
  dm->HistoryRegistered = s.ColumnInt(7);
  return dm;
}

bool Run(sqlite::Connection& db, std::string_view sql, std::int32_t a, std::int32_t b = 0) {
  sqlite::Statement s = db.Cached(sql);
  return s && s.BindInt(1, a) && (sql.find("?2") == std::string_view::npos || s.BindInt(2, b)) &&
         s.Step() == sqlite::StepResult::Done;
}

enum { kUnreadable = -1, kNoSuchDM = 0, kWithoutHistory = 1, kWithHistory = 2 };

// Whether a DM exists and has its sending history registered.
int HistoryState(sqlite::Connection& db, std::int32_t dmId) {
  sqlite::Statement s = db.Cached("SELECT HistoryRegistered FROM DMList WHERE ID=?1");
  if (!s || !s.BindInt(1, dmId)) return kUnreadable;
  const sqlite::StepResult step = s.Step();
  if (step == sqlite::StepResult::Error) return kUnreadable;
  if (step == sqlite::StepResult::Done) return kNoSuchDM;
  return s.ColumnInt(0) == 1 ? kWithHistory : kWithoutHistory;
}

// 1 when the customer is a recipient of the DM, 0 when not, -1 on failure.
int IsRecipient(sqlite::Connection& db, std::int32_t dmId, std::int32_t customerId) {
  sqlite::Statement s = db.Cached("SELECT 1 FROM DMMng WHERE DMID=?1 AND CustomerID=?2");
  if (!s || !s.BindInt(1, dmId) || !s.BindInt(2, customerId)) return -1;
  const sqlite::StepResult step = s.Step();
  return step == sqlite::StepResult::Error ? -1 : step == sqlite::StepResult::Row ? 1 : 0;
}

}  // namespace

int CKokyakuVMData::GetAllDMTitle(DMTitleList& list) {
  if (!CanRead()) return 0;
  sqlite::Statement s = Db().Cached(std::string(kSelectDM) + " ORDER BY SendDate DESC, ID DESC");
  if (!s) return FailDb(), 0;
  DMTitleList read;
  sqlite::StepResult step;
  while ((step = s.Step()) == sqlite::StepResult::Row) read.push_back(ReadDM(s));
  if (step == sqlite::StepResult::Error) return FailDb(), 0;
  for (auto& dm : read) list.push_back(std::move(dm));
  return 1;
}

// Writes the sending entry of DM dmId into the history of its recipients (only those in `only`
// when given), and moves their RirekiUpDate to now.
bool CKokyakuVMData::InsertDMHistory(std::int32_t dmId, const IdArray* only, const COleDate& now) {
  const std::string filter = only ? " AND DMMng.CustomerID=?2" : "";
  sqlite::Statement insert = Db().Cached(
      "INSERT INTO Rireki (CustomerID, Date, ActionTitle, Action, Money, Keyword, TantouName, Picture, DMID)"
      " SELECT DMMng.CustomerID, DMList.SendDate, CASE DMList.SendMethod WHEN 1 THEN '" +
      std::string(kMailedTitle) + "' ELSE '" + kPrintedTitle +
      "' END, DMList.Title, 0, '', DMList.Manager, '', DMList.ID"
      " FROM DMMng JOIN DMList ON DMList.ID = DMMng.DMID WHERE DMMng.DMID=?1" + filter);
  sqlite::Statement touch = Db().Cached(
      "UPDATE Customer SET RirekiUpDate=?3 WHERE ID IN (SELECT CustomerID FROM DMMng WHERE DMID=?1" +
      std::string(only ? " AND CustomerID=?2" : "") + ")");
  if (!insert || !touch || !BindDate(touch, 3, now)) return false;
  const IdArray all{0};
  for (std::int32_t id : only ? *only : all) {
    for (sqlite::Statement* s : {&insert, &touch}) {
      if (!s->BindInt(1, dmId) || (only && !s->BindInt(2, id)) || s->Step() != sqlite::StepResult::Done) return false;
      s->Reset();
    }
  }
  return true;
}

bool CKokyakuVMData::DeleteDMHistory(std::int32_t dmId, const IdArray* only) {
  if (!only) return Run(Db(), "DELETE FROM Rireki WHERE DMID=?1", dmId);
  for (std::int32_t id : *only) {
    if (!Run(Db(), "DELETE FROM Rireki WHERE DMID=?1 AND CustomerID=?2", dmId, id)) return false;
  }
  return true;
}

std::unique_ptr<CDMListData> CKokyakuVMData::AddNewDMTitle(const COleDate& date, std::string_view title,
                                                           std::string_view content, std::string_view manager,
                                                           std::int32_t method, const IdArray* ids, IdArray* failed) {
  if (!CanWrite()) return nullptr;
  sqlite::Transaction transaction(Db());
  sqlite::Statement s = Db().Cached(
      "INSERT INTO DMList (SendDate, SendMethod, Sent, Manager, Title, Content, HistoryRegistered)"
      " VALUES (?1, ?2, 0, ?3, ?4, ?5, 0)");
  if (!transaction.IsActive() || !s || !BindDate(s, 1, date) || !s.BindInt(2, method) || !s.BindText(3, manager) ||
      !s.BindText(4, title) || !s.BindText(5, content) || s.Step() != sqlite::StepResult::Done) {
    FailDb();
    return nullptr;
  }
  auto dm = std::make_unique<CDMListData>();
  dm->ID = static_cast<std::int32_t>(Db().LastInsertRowid());
  dm->SendDate = date;
  dm->SendMethod = method;
  dm->Manager = manager, dm->Title = title, dm->Content = content;
  IdArray notAdded;
  if (ids) {
    for (std::int32_t id : *ids) {
      if (!Run(Db(), "INSERT OR IGNORE INTO DMMng (DMID, CustomerID) SELECT ?1, ID FROM Customer WHERE ID=?2", dm->ID,
               id)) {
        FailDb();
        return nullptr;
      }
      if (Db().Changes() != 1) notAdded.push_back(id);
    }
  }
  if (!transaction.Commit()) {
    FailDb();
    return nullptr;
  }
  if (failed) failed->insert(failed->end(), notAdded.begin(), notAdded.end());
  return dm;
}

int CKokyakuVMData::ModifyDMTitle(std::int32_t id, const COleDate& date, std::string_view title,
                                  std::string_view content, std::string_view manager, std::int32_t method,
                                  const COleDate& now) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  sqlite::Statement s = Db().Cached(
      "UPDATE DMList SET SendDate=?2, SendMethod=?3, Manager=?4, Title=?5, Content=?6 WHERE ID=?1");
  if (!transaction.IsActive() || !s || !s.BindInt(1, id) || !BindDate(s, 2, date) || !s.BindInt(3, method) ||
      !s.BindText(4, manager) || !s.BindText(5, title) || !s.BindText(6, content) ||
      s.Step() != sqlite::StepResult::Done) {
    return FailDb();
  }
  if (Db().Changes() != 1) return 0;
  // The sending entries describe the DM: they follow its date, title, manager and method.
  sqlite::Statement entries = Db().Cached(
      "UPDATE Rireki SET Date=DMList.SendDate, Action=DMList.Title, TantouName=DMList.Manager,"
      " ActionTitle=CASE DMList.SendMethod WHEN 1 THEN '" + std::string(kMailedTitle) + "' ELSE '" + kPrintedTitle +
      "' END FROM DMList WHERE DMList.ID=?1 AND Rireki.DMID=?1");
  sqlite::Statement touch = Db().Cached(
      "UPDATE Customer SET RirekiUpDate=?2 WHERE ID IN (SELECT CustomerID FROM Rireki WHERE DMID=?1)");
  if (!entries || !entries.BindInt(1, id) || entries.Step() != sqlite::StepResult::Done) return FailDb();
  const bool moved = Db().Changes() > 0;
  if (moved && (!touch || !touch.BindInt(1, id) || !BindDate(touch, 2, now) ||
                touch.Step() != sqlite::StepResult::Done)) {
    return FailDb();
  }
  return transaction.Commit() ? 1 : FailDb();
}

int CKokyakuVMData::SetStatusDMTitle(std::int32_t id, std::int32_t sent, std::int32_t historyRegistered,
                                     std::int32_t method, const COleDate& now) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  if (!transaction.IsActive()) return FailDb();
  const int state = HistoryState(Db(), id);
  if (state == kNoSuchDM) return 0;
  if (state == kUnreadable) return FailDb();
  const bool hadHistory = state == kWithHistory;
  const bool hasHistory = historyRegistered == 1;
  sqlite::Statement s = Db().Cached("UPDATE DMList SET Sent=?2, HistoryRegistered=?3, SendMethod=?4 WHERE ID=?1");
  if (!s || !s.BindInt(1, id) || !s.BindInt(2, sent) || !s.BindInt(3, historyRegistered) || !s.BindInt(4, method) ||
      s.Step() != sqlite::StepResult::Done) {
    return FailDb();
  }
  if (hadHistory && !DeleteDMHistory(id, nullptr)) return FailDb();
  if (hasHistory && !InsertDMHistory(id, nullptr, now)) return FailDb();
  return transaction.Commit() ? 1 : FailDb();
}

int CKokyakuVMData::DeleteDMTitle(const IdArray& ids, IdArray& deleted) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  if (!transaction.IsActive()) return FailDb();
  IdArray done;
  for (std::int32_t id : ids) {
    if (!DeleteDMHistory(id, nullptr) || !Run(Db(), "DELETE FROM DMMng WHERE DMID=?1", id) ||
        !Run(Db(), "DELETE FROM DMList WHERE ID=?1", id)) {
      return FailDb();
    }
    if (Db().Changes() == 1) done.push_back(id);
  }
  if (done.empty() && !ids.empty()) return Fail("削除するDMタイトルが見つかりません。");
  if (!transaction.Commit()) return FailDb();
  deleted.insert(deleted.end(), done.begin(), done.end());
  return done.size() == ids.size() ? 1 : 10;
}

int CKokyakuVMData::AddDMTarget(std::int32_t dmId, const IdArray& ids, IdArray& failed, const COleDate& now) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  if (!transaction.IsActive()) return FailDb();
  const int state = HistoryState(Db(), dmId);
  if (state == kNoSuchDM) return 0;
  if (state == kUnreadable) return FailDb();
  const bool withHistory = state == kWithHistory;
  IdArray added, notAdded;
  for (std::int32_t id : ids) {
    if (!Run(Db(), "INSERT OR IGNORE INTO DMMng (DMID, CustomerID) SELECT ?1, ID FROM Customer WHERE ID=?2", dmId, id)) {
      return FailDb();
    }
    // A customer already on the list counts as added; only a missing customer fails.
    if (Db().Changes() == 1) {
      added.push_back(id);
    } else {
      const int listed = IsRecipient(Db(), dmId, id);
      if (listed < 0) return FailDb();
      if (listed == 0) notAdded.push_back(id);
    }
  }
  if (withHistory && !added.empty() && !InsertDMHistory(dmId, &added, now)) return FailDb();
  if (notAdded.size() == ids.size() && !ids.empty()) {
    failed.insert(failed.end(), notAdded.begin(), notAdded.end());
    return Fail("追加できる顧客がありません。");
  }
  if (!transaction.Commit()) return FailDb();
  failed.insert(failed.end(), notAdded.begin(), notAdded.end());
  return notAdded.empty() ? 1 : 10;
}

int CKokyakuVMData::DeleteDMTarget(std::int32_t dmId, const IdArray& ids) {
  if (!CanWrite()) return -1;
  sqlite::Transaction transaction(Db());
  if (!transaction.IsActive() || !DeleteDMHistory(dmId, &ids)) return FailDb();
  std::size_t removed = 0;
  for (std::int32_t id : ids) {
    if (!Run(Db(), "DELETE FROM DMMng WHERE DMID=?1 AND CustomerID=?2", dmId, id)) return FailDb();
    removed += static_cast<std::size_t>(Db().Changes());
  }
  if (removed == 0 && !ids.empty()) return 0;
  if (!transaction.Commit()) return FailDb();
  return removed == ids.size() ? 1 : 10;
}

int CKokyakuVMData::GetDMUserInfo(std::int32_t dmId, DMUserArray& users) {
  if (!CanRead()) return 0;
  sqlite::Statement s = Db().Cached(
      "SELECT Customer.ID, Customer.CustomerID, Customer.Name, Customer.CompName FROM DMMng"
      " JOIN Customer ON Customer.ID = DMMng.CustomerID WHERE DMMng.DMID=?1 ORDER BY Customer.ID");
  if (!s || !s.BindInt(1, dmId)) return FailDb(), 0;
  DMUserArray read;
  sqlite::StepResult step;
  while ((step = s.Step()) == sqlite::StepResult::Row) {
    auto user = std::make_unique<CDMMngData>();
    user->ID = s.ColumnInt(0);
    user->CustomerID.assign(s.ColumnText(1));
    user->Name.assign(s.ColumnText(2));
    user->CompName.assign(s.ColumnText(3));
    read.push_back(std::move(user));
  }
  if (step == sqlite::StepResult::Error) return FailDb(), 0;
  for (auto& user : read) users.push_back(std::move(user));
  return 1;
}

}  // namespace records
