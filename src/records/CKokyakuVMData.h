#pragma once
// The data store: the only way to the customer database. One per document. Results are the
// program's codes: 1 done, 10 done in part, 20 history part failed, 0 not found, -1 failure.
// The store never shows a message: after a failure LastError() holds the database's text.
// Lists are filled by appending heap records that the list owns.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/CDMListData.h"
#include "records/CDMMngData.h"
#include "records/CKokyaku.h"
#include "records/CQMVRainbowHit.h"
#include "records/CRirekiData.h"
#include "records/CQmvFile.h"
#include "records/Sqlite.h"

namespace records {

using IdArray = std::vector<std::int32_t>;
using KokyakuList = std::vector<std::unique_ptr<CKokyaku>>;
using RirekiList = std::vector<std::unique_ptr<CRirekiData>>;
using DMTitleList = std::vector<std::unique_ptr<CDMListData>>;
using DMUserArray = std::vector<std::unique_ptr<CDMMngData>>;
using RainbowHits = std::vector<std::unique_ptr<CQMVRainbowHit>>;

// The figure a seven-colour analysis row carries in its second column.
enum RainbowKind { kRainbowCount = 1, kRainbowDate = 2, kRainbowDays = 3, kRainbowAmount = 6 };

class CKokyakuVMData {
 public:
  CKokyakuVMData();
  ~CKokyakuVMData();
  CKokyakuVMData(const CKokyakuVMData&) = delete;
  CKokyakuVMData& operator=(const CKokyakuVMData&) = delete;

  // --- The database file ---
  // 0 = a work copy "ZQQMV2.qmv2" already exists (left alone); -1 = "ZQQMV.qmv" missing, unreadable,
  // not one of our databases or damaged (never written); 1 = open on a fresh work copy.
  int InitDB(const std::filesystem::path& folder);
  // Opens a past database read-only: every write then fails and nothing on disk changes. 1 / -1.
  int InitDBFromPath(const std::filesystem::path& path, bool readOnly = true);
  // Writes the work copy back into "ZQQMV.qmv" atomically; close = also close and delete the work
  // copy. 1 = saved, -1 = failed (the previous file stays whole).
  int SaveQMV(bool close);
  // Closes without saving, keeping the work copy for the next start to offer. 1 / -1.
  int CloseKeepingWorkCopy();
  // Full path of the open database file ("ZQQMV.qmv", or the past-data file).
  std::filesystem::path GetQMVFName() const;
  // Writes a consistent copy to backup, then compacts the work copy. 1 / -1.
  int CompactDB(const std::filesystem::path& backup);
  bool IsOpen() const;
  bool IsReadOnly() const;

  // --- Customers ---
  // Appends every customer; sortText is an ORDER BY clause of the extraction dialect or empty.
  // 1 = done, 0 = failure (the list is left as it was).
  int GetAllKokyaku(KokyakuList& list, std::string_view sortText = {});
  // Stores a new customer (its ID is ignored; null registration dates become now).
  // The new ID, or -1.
  int AddNewKokyaku(const CKokyaku& customer);
  // Stores many customers in one transaction. 1 = all, ids = their new IDs in order;
  // 10 = some failed, ids = the indexes of the records not added; -1 = none added.
  int AddNewKokyaku(const KokyakuList& customers, IdArray& ids);
  // Stores many customers in one transaction, all or none: 1 = all, ids = their new IDs in order;
  // -1 = none added (a record failed, or keepGoing, asked with the count stored so far every
  // 1,000 records, answered false; everything is rolled back).
  int AddNewKokyakuAllOrNone(const KokyakuList& customers, IdArray& ids,
                             const std::function<bool(std::size_t)>& keepGoing = {});
  // Rewrites customer id with the record's fields (not its ID). 1 / 0 not found / -1.
  int ModifyKokyaku(std::int32_t id, const CKokyaku& customer);
  // Sets one column of many customers to text (or, for ColorMark, to *colour) and LastUpDate to now.
  // changed receives the IDs changed. 1 = all, 10 = some, -1 = none or failure.
  int ModifyKokyaku(const IdArray& ids, IdArray& changed, std::string_view column, const COleDate& now,
                    std::string_view text, const std::int32_t* colour);
  // Deletes customers with their history and DM recipient rows; deleted receives the IDs removed.
  // 1 = all, 10 = some, 0 = none of them existed, -1 = failure.
  int DeleteKokyaku(const IdArray& ids, IdArray& deleted);

  // --- History ---
  // One copy of entry for each customer; RirekiUpDate of each becomes now. 1 = all, 10 = some, -1 = none.
  int AddNewRireki(const IdArray& customerIds, const CRirekiData& entry, const COleDate& now);
  // The new history ID, or -1 (no such customer, or failure).
  int AddNewRireki(std::int32_t customerId, const CRirekiData& entry, const COleDate& now);
  // Rewrites history entry id (its customer stays). 1 / 0 not found / -1.
  int ModifyRireki(std::int32_t id, const CRirekiData& entry, const COleDate& now);
  // Deletes history entry id; its customer's RirekiUpDate becomes now. 1 / 0 not found / -1.
  int DeleteRireki(std::int32_t id, const COleDate& now);
  // deleted receives the IDs removed. 1 = all, 10 = some, -1 = none.
  int DeleteRireki(const IdArray& ids, IdArray& deleted);
  // Deletes every history entry of a customer. 1 / -1.
  int DeleteRirekiForKokyaku(std::int32_t customerId);
  // Deletes every history entry dated before date (its day, not its time). 1 / -1.
  int DeleteRirekiForDate(const COleDate& date);
  // Appends a customer's history, newest first. 1 / -1.
  int GetRirekiForKokyaku(std::int32_t customerId, RirekiList& list);
  // Appends every history entry, newest first. 1 / -1.
  int GetAllRireki(RirekiList& list);

  // --- Extraction and analysis (statements in the extraction dialect) ---
  // Only a single read-only SELECT is run; on failure nothing is appended.
  // ids receives the customer IDs (the "ID" column) the SELECT returns, in its order. 1 / -1.
  int ExtractKokyaku(std::string_view sql, IdArray& ids);
  // list receives the history entries the SELECT returns. 1 / -1.
  int ExtractRireki(std::string_view sql, RirekiList& list);
  // One hit per row: ID from the first column, the figure from the second read as kind says.
  // limit -1 or 0 = every row, N = the first N. 1 / -1.
  int QueryRainbow(int kind, std::string_view sql, RainbowHits& hits, int limit);
  // The digits of a telephone text as a number (full-width digits count); 0 when it has none.
  static double StrTelToINT(std::string_view tel);

  // --- Direct mail ---
  // Appends every DM title, newest send date first. 1 / 0.
  int GetAllDMTitle(DMTitleList& list);
  // Creates an unsent title with the customers ids as recipients (failed receives those that do not
  // exist). The new title (caller owns it), or null.
  std::unique_ptr<CDMListData> AddNewDMTitle(const COleDate& date, std::string_view title, std::string_view content,
                                             std::string_view manager, std::int32_t method, const IdArray* ids,
                                             IdArray* failed);
  // 1 / 0 not found / -1. A sent title with history moves its recipients' sending history along.
  int ModifyDMTitle(std::int32_t id, const COleDate& date, std::string_view title, std::string_view content,
                    std::string_view manager, std::int32_t method, const COleDate& now);
  // Sets the sent and history flags; history 0 -> 1 writes one sending entry per recipient, 1 -> 0
  // removes them. 1 / 0 not found / -1 (nothing changed).
  int SetStatusDMTitle(std::int32_t id, std::int32_t sent, std::int32_t historyRegistered, std::int32_t method,
                       const COleDate& now);
  // Deletes titles with their recipients and sending history; deleted receives the IDs removed.
  // 1 = all, 10 = some not found, -1 = none.
  int DeleteDMTitle(const IdArray& ids, IdArray& deleted);
  // Adds recipients (existing ones are skipped; failed receives IDs of customers that do not exist).
  // 1 = all, 10 = some, 0 = no such DM, -1 = none.
  int AddDMTarget(std::int32_t dmId, const IdArray& ids, IdArray& failed, const COleDate& now);
  // Removes recipients and their sending history. 1 / 10 some / 0 none were recipients / -1.
  int DeleteDMTarget(std::int32_t dmId, const IdArray& ids);
  // Appends the recipients of a DM with their number, name and company. 1 / 0.
  int GetDMUserInfo(std::int32_t dmId, DMUserArray& users);

  // The text of the last database failure, for the caller to show.
  const std::string& DispOleDBErrDlg() const { return lastError_; }

 private:
  sqlite::Connection& Db() { return file_.Db(); }
  int Fail(std::string text);
  int FailDb();
  // -1 with the reason unless a database is open for writing.
  bool CanWrite();
  bool CanRead();
  int Finish(std::size_t done, std::size_t asked);
  // Translates and runs one read-only SELECT; run reads its rows and returns false on a failed step.
  int Query(std::string_view jetSql, const std::function<bool(sqlite::Statement&)>& run);
  bool InsertDMHistory(std::int32_t dmId, const IdArray* only, const COleDate& now);
  bool DeleteDMHistory(std::int32_t dmId, const IdArray* only);
  bool TouchRirekiUpDate(std::string_view customersSql, std::int32_t key, const COleDate& now);

  CQmvFile file_;
  std::string lastError_;
};

}  // namespace records
