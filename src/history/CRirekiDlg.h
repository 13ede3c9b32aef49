#pragma once
// The history entry dialog: one entry's date to the minute, staff, summary, keyword, details,
// amount and picture. Add and Copy save each entry through the owner and stay open for the next;
// Modify saves through the owner and steps through the owner's list; BulkAdd only confirms and
// leaves the entry in Entry() for the caller to store for many customers.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "history/CRirekiDlgOwner.h"
#include "platform/CNeritEnv.h"
#include "records/COleDate.h"
#include "records/CRirekiData.h"
#include "settings/CQMVComboData.h"
#include "ui/Ui.h"

namespace history {

enum class RirekiMode { Add, Modify, BulkAdd, Copy };

// The controls a failed check sends the focus to.
enum class RirekiField { None, Year, Day, Staff, Summary, Keyword, Details, Amount };

class CRirekiDlg : public ui::CDialogModel {
 public:
  using Clock = std::function<records::COleDate()>;

  static constexpr const char* kDateInvalid = "日付の設定値が正しくありません。\n正しい日付を入力してください。\n";
  static constexpr const char* kTooManyDecimals = "小数点以下は二桁までです。";
  static constexpr const char* kWholeNumberExpected = "整数を入力してください。";
  static constexpr const char* kNumberExpected = "数値を入力してください。";
  static constexpr const char* kYearRange = "100 から 9999 までの整数を入力してください。";
  static constexpr const char* kAmountRange = "-100000000 から 1000000000000 までの数値を入力してください。";
  static constexpr const char* kTextTooLong = "半角%d文字以内で入力してください。";
  static constexpr const char* kAddQuestion = "履歴を追加します。よろしいですか？";
  static constexpr const char* kAddFailed = "履歴が登録できませんでした。\n";
  static constexpr const char* kModifyQuestion = "履歴を修正します。よろしいですか？";
  static constexpr const char* kModifyFailed = "履歴が修正できませんでした。\n";
  static constexpr const char* kBulkQuestion = "履歴を一括登録します。よろしいですか？";
  static constexpr const char* kAddOnClose =
      "履歴を追加しますか？\n【はい】で追加してダイアログを閉じます。\n【いいえ】で追加せずにダイアログを閉じます。";
  static constexpr const char* kAddOnCloseFailed = "履歴が追加できませんでした。\n";
  static constexpr const char* kModifyOnClose =
      "履歴を修正しますか？\n【はい】で修正してダイアログを閉じます。\n【いいえ】で修正せずにダイアログを閉じます。";
  static constexpr const char* kModifyOnCloseFailed = "履歴が更新できませんでした。\n";
  static constexpr const char* kPictureDeleteQuestion = "画像の登録を解除してよろしいですか？\n(画像ファイル自身は削除しません)";
  static constexpr const char* kPictureFilter = "jpg ﾌｧｲﾙ(*.jpg)|*.jpg|bmp ﾌｧｲﾙ(*.bmp)|*.bmp||";

  static constexpr int kStaffList = settings::CQMVComboData::kTantou;
  static constexpr int kSummaryList = settings::CQMVComboData::kRirekiType;
  static constexpr int kKeywordList = settings::CQMVComboData::kRirekiWord;
  static constexpr int kMinYear = 100, kMaxYear = 9999;
  static constexpr double kMinAmount = -100000000.0, kMaxAmount = 1000000000000.0;

  // owner may be null: saving then fails. install: the installation folder whose data folder
  // holds the choice lists. clock gives "now" (the reset time), for tests.
  CRirekiDlg(ui::Ui& ui, RirekiMode mode, CRirekiDlgOwner* owner,
             std::filesystem::path install = platform::CNeritEnv().GetInstallFolder(),
             Clock clock = records::COleDate::Now);

  // --- Set by the opener before showing ---
  // The customer a new entry belongs to (Add, Copy).
  void SetCustomer(std::int32_t customerId) { customerId_ = customerId; }
  // The entry to work on (Modify, Copy). A copy takes the reset time as its date.
  void LoadEntry(const records::CRirekiData& entry);
  // Whether 前の履歴へ / 次の履歴へ start enabled (Modify).
  void SetStepEnabled(bool previous, bool next);

  // --- What the controls show ---
  std::string Title() const override;
  RirekiMode Mode() const { return mode_; }
  std::string OkCaption() const { return mode_ == RirekiMode::Modify ? "修正" : "追加"; }
  std::string CloseCaption() const { return mode_ == RirekiMode::BulkAdd ? "ｷｬﾝｾﾙ" : "閉じる"; }
  // What the choice-list boxes read their lists through.
  ui::Ui& ChoiceUi() const { return ui_; }
  const std::filesystem::path& Install() const { return install_; }
  bool StepButtonsShown() const { return mode_ == RirekiMode::Modify; }
  bool PreviousEnabled() const { return previousEnabled_; }
  bool NextEnabled() const { return nextEnabled_; }

  // Date controls: the year as typed; month, day, hour and minute as list positions (-1 = none).
  const std::string& YearText() const { return yearText_; }
  void SetYearText(std::string text) { yearText_ = std::move(text); }
  int MonthPosition() const { return month_; }
  void SetMonthPosition(int position) { month_ = position; }
  int DayPosition() const { return day_; }
  void SetDayPosition(int position) { day_ = position; }
  int HourPosition() const { return hour_; }
  void SetHourPosition(int position) { hour_ = position; }
  int MinutePosition() const { return minute_; }
  void SetMinutePosition(int position) { minute_ = position; }
  // The year's spin buttons, arrow keys and wheel: the year as typed moved by steps and kept
  // within kMinYear to kMaxYear; a year that cannot be read starts from the reset time's.
  void OnYearStep(int steps);
  // Entries of the day list ("1" to DayCount()).
  int DayCount() const { return dayCount_; }
  // The day list drops down: rebuilt for the year and month shown, the chosen day clamped.
  void OnDayDropDown() { RebuildDayList(); }

  // Texts as typed; the three choice-list boxes are filled from kStaffList, kSummaryList, kKeywordList.
  const std::string& Staff() const { return staff_; }
  void SetStaff(std::string text) { staff_ = std::move(text); }
  const std::string& Summary() const { return summary_; }
  void SetSummary(std::string text) { summary_ = std::move(text); }
  const std::string& Keyword() const { return keyword_; }
  void SetKeyword(std::string text) { keyword_ = std::move(text); }
  const std::string& Details() const { return details_; }
  void SetDetails(std::string text) { details_ = std::move(text); }
  const std::string& AmountText() const { return amountText_; }
  void SetAmountText(std::string text) { amountText_ = std::move(text); }

  // The picture as held (a stored bare name, or the path chosen), where it is found, and whether
  // 削除 is enabled.
  const std::string& Picture() const { return picture_; }
  std::filesystem::path PicturePath() const;
  bool CanDeletePicture() const { return !picture_.empty(); }

  // --- Actions ---
  void OnOK();
  // 閉じる, Esc and the close box.
  void OnCancel() override;
  void OnPrevious() { Step(-1); }
  void OnNext() { Step(+1); }
  void OnRegisterPicture();
  void OnDeletePicture();

  // The control a failed check asks to focus; None once taken.
  RirekiField TakeFocus();
  // The working record: the loaded entry (Modify, Copy), after a modify its saved state; in
  // BulkAdd after OK, the confirmed entry for the caller to store.
  const records::CRirekiData& Entry() const { return working_; }

 private:
  // The controls read and checked, ready to go into a record.
  struct Fields {
    records::CivilTime date;
    std::string staff, summary, keyword, details, picture;
    double amount = 0;
  };

  std::optional<Fields> ReadFields();
  bool ReadYear(int& year);
  bool ReadAmount(double& amount);
  bool CheckText(const std::string& text, std::size_t limit, RirekiField field);
  bool Refuse(const std::string& message, RirekiField field);
  bool IsChanged(const Fields& f) const;
  static void CopyInto(const Fields& f, records::CRirekiData& record);
  void ShowDate(const records::COleDate& date);
  void ShowRecord(const records::CRirekiData& record);
  void RebuildDayList();
  void Reset();

  bool Add(const Fields& f);
  bool Modify(const Fields& f);
  void OkAdd();
  void OkModify();
  void OkBulkAdd();
  void CloseAdd();
  void CloseModify();
  void Step(int step);
  void ShowStepped(const RirekiStep& stepped, int step);

  ui::Ui& ui_;
  RirekiMode mode_;
  CRirekiDlgOwner* owner_;
  std::filesystem::path install_;
  Clock clock_;
  records::CRirekiData working_;
  // True while working_ is the reference of the change test; else a blank entry at resetTime_ is.
  bool loaded_ = false;
  records::COleDate resetTime_;
  std::int32_t customerId_ = -1;
  bool previousEnabled_ = false, nextEnabled_ = false;

  std::string yearText_;
  int month_ = -1, day_ = -1, hour_ = -1, minute_ = -1;
  int dayCount_ = 31;
  std::string staff_, summary_, keyword_, details_, amountText_, picture_;
  RirekiField focus_ = RirekiField::None;
};

}  // namespace history
