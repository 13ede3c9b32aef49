#pragma once
// The history of the customer shown in the card pane, kept over the data store: the owner of the
// history dialogs. Saves go to the store with the picture stored first; the cached customer's
// RirekiUpDate follows every save, and the list screen hears of it to rewrite that row. Also the
// history commands of the customer list: add, modify (or look, when read-only), copy, bulk add.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "history/CRirekiDlg.h"
#include "history/CRirekiDlgOwner.h"
#include "records/CKokyakuVMData.h"
#include "ui/Ui.h"

namespace history {

class CRirekiListOwner : public CRirekiDlgOwner {
 public:
  static constexpr const char* kAddReadOnly = "データベースは読取専用です。\n履歴を追加することはできません。\n";
  static constexpr const char* kModifyReadOnly = "データベースは読取専用です。\n履歴を修正することはできません。\n";
  static constexpr const char* kLookOnly =
      "データベースは読取専用です。\n履歴を修正することはできません。\n参照のみを行ないます。";
  static constexpr const char* kCopyReadOnly = "データベースは読取専用です。\n履歴をコピーすることはできません。\n";
  static constexpr const char* kNoCustomerForAdd = "履歴を追加する顧客を選択してください";
  static constexpr const char* kNoCustomers = "顧客を選択してください。";
  static constexpr const char* kBulkQuestion = "選択されている%d件の顧客に履歴を一括追加します。よろしいですか？";
  static constexpr const char* kBulkFailed = "顧客への履歴登録に失敗しました。\n";
  static constexpr const char* kBulkPartly = "一部の顧客への履歴登録に失敗しました。\n";
  static constexpr const char* kBulkDone = "選択されている顧客に履歴を登録しました。\n";
  // From this many customers a bulk add shows the wait window besides the wait cursor.
  static constexpr std::size_t kBulkWaitWindowFrom = 1000;

  // customers: the document's cached customers (their RirekiUpDate is kept); readOnly: past data
  // is viewed; install: the installation folder, for the dialogs' choice lists. The store, the
  // list and ui must outlive the owner.
  CRirekiListOwner(ui::Ui& ui, records::CKokyakuVMData& store, records::KokyakuList& customers,
                   std::filesystem::path pictureFolder, bool readOnly, std::filesystem::path install,
                   CRirekiDlg::Clock clock = records::COleDate::Now);

  // Shows a customer's history, newest first, nothing selected. 1, or -1 with the list empty.
  int ShowCustomer(std::int32_t customerId);
  std::int32_t Customer() const { return customerId_; }
  const records::RirekiList& History() const { return history_; }
  int Selection() const { return selection_; }
  // -1 or a row out of range selects nothing.
  void Select(int row);
  // Told the ID of each cached customer whose RirekiUpDate changed.
  void SetRirekiUpDateChanged(std::function<void(std::int32_t)> changed) { rirekiUpDateChanged_ = std::move(changed); }

  // --- Commands ---
  // 履歴を追加: the Add dialog for the first of the selected customers.
  void OnAddRireki(const records::IdArray& selectedCustomers);
  // The selected entry in the Modify dialog, or in the reference dialog when read-only.
  void OnModifyRireki();
  // The selected entry copied into an Add dialog for the shown customer.
  void OnCopyRireki();
  // One entry for every selected customer, entered in the BulkAdd dialog. The store's result
  // (1 all, 10 some, -1 none), or 0 when nothing was stored.
  int OnBulkAddRireki(const records::IdArray& selectedCustomers);

  // --- CRirekiDlgOwner ---
  int AddRireki(std::int32_t customerId, std::unique_ptr<records::CRirekiData> entry) override;
  int ModifyRireki(std::int32_t historyId, records::CRirekiData& entry) override;
  bool IsReadOnly() const override { return readOnly_ || store_.IsReadOnly(); }
  std::filesystem::path PictureFolder() const override { return pictureFolder_; }
  std::optional<RirekiStep> StepRireki(int step) override;
  std::optional<RirekiPlace> SelectRireki(std::int32_t historyId) override;

 protected:
  // Told after the shown history was read anew: another customer, or again after a bulk add.
  virtual void HistoryReplaced() {}

 private:
  void TouchCustomer(std::int32_t customerId, const records::COleDate& now);
  void ReportBulk(int result);
  std::unique_ptr<CRirekiDlg> MakeDialog(RirekiMode mode);

  ui::Ui& ui_;
  records::CKokyakuVMData& store_;
  records::KokyakuList& customers_;
  std::filesystem::path pictureFolder_;
  bool readOnly_;
  std::filesystem::path install_;
  CRirekiDlg::Clock clock_;
  std::int32_t customerId_ = -1;
  records::RirekiList history_;
  int selection_ = -1;
  std::function<void(std::int32_t)> rirekiUpDateChanged_;
};

}  // namespace history
