#include "history/CRirekiDlg.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

#include "history/PictureStore.h"
#include "history/RirekiDateLists.h"
#include "text/Cp932.h"
#include "text/Format.h"
#include "text/NumberInput.h"

namespace history {

namespace {

using records::CivilTime;
using records::COleDate;
using records::CRirekiData;

// More than two decimals once trailing zeros are stripped: 12.500 passes, 12.345 does not.
bool HasTooManyDecimals(std::string_view amount) {
  const std::size_t point = amount.find('.');
  if (point == std::string_view::npos) return false;
  while (amount.size() > point + 1 && amount.back() == '0') amount.remove_suffix(1);
  return amount.size() - point - 1 > 2;
}

bool SameMinute(const COleDate& date, const CivilTime& t) {
  if (!date.IsValid()) return false;
  const CivilTime d = date.ToCivil();
  return d.year == t.year && d.month == t.month && d.day == t.day && d.hour == t.hour && d.minute == t.minute;
}

}  // namespace

CRirekiDlg::CRirekiDlg(ui::Ui& ui, RirekiMode mode, CRirekiDlgOwner* owner, std::filesystem::path install,
                       Clock clock)
    : ui_(ui), mode_(mode), owner_(owner), install_(std::move(install)), clock_(std::move(clock)) {
  Reset();
  RebuildDayList();
}

void CRirekiDlg::LoadEntry(const CRirekiData& entry) {
  working_ = entry;
  if (mode_ == RirekiMode::Copy) working_.Date = resetTime_;
  loaded_ = true;
  ShowRecord(working_);
  RebuildDayList();
}

void CRirekiDlg::SetStepEnabled(bool previous, bool next) {
  previousEnabled_ = previous;
  nextEnabled_ = next;
}

std::string CRirekiDlg::Title() const {
  switch (mode_) {
    case RirekiMode::Modify: return "履歴の修正";
    case RirekiMode::BulkAdd: return "履歴を一括追加";
    case RirekiMode::Add:
    case RirekiMode::Copy: break;
  }
  return "履歴を追加";
}

std::filesystem::path CRirekiDlg::PicturePath() const {
  return PictureFilePath(owner_ ? owner_->PictureFolder() : std::filesystem::path(), picture_);
}

RirekiField CRirekiDlg::TakeFocus() { return std::exchange(focus_, RirekiField::None); }

// --- Showing records ---

void CRirekiDlg::ShowDate(const COleDate& date) {
  // Any loaded day must be showable, whatever month the list was last built for.
  dayCount_ = 31;
  if (!date.IsValid()) {
    yearText_.clear();
    month_ = day_ = hour_ = minute_ = -1;
    return;
  }
  const CivilTime t = date.ToCivil();
  yearText_ = std::to_string(t.year);
  month_ = t.month - 1;
  day_ = t.day - 1;
  hour_ = history::HourPosition(t.hour);
  minute_ = t.minute;
}

void CRirekiDlg::ShowRecord(const CRirekiData& record) {
  staff_ = record.TantouName;
  summary_ = record.ActionTitle;
  keyword_ = record.Keyword;
  details_ = record.Action;
  amountText_ = records::AmountText(record.Money);
  picture_ = record.Picture;
  ShowDate(record.Date);
}

void CRirekiDlg::RebuildDayList() {
  dayCount_ = DayListLength(YearForDayList(yearText_), month_);
  if (day_ >= dayCount_) day_ = dayCount_ - 1;
}

void CRirekiDlg::Reset() {
  working_.Clear();
  loaded_ = false;
  resetTime_ = clock_();
  ShowRecord(working_);
  ShowDate(resetTime_);
}

void CRirekiDlg::OnYearStep(int steps) {
  const auto typed = text::ReadWholeNumber(yearText_);
  // From just outside the range, one step reaches its end.
  const std::int64_t from = typed ? *typed : resetTime_.ToCivil().year;
  const std::int64_t year = std::clamp<std::int64_t>(from, kMinYear - 1, kMaxYear + 1);
  yearText_ = std::to_string(std::clamp<std::int64_t>(year + steps, kMinYear, kMaxYear));
}

// --- Reading and checking ---

bool CRirekiDlg::Refuse(const std::string& message, RirekiField field) {
  ui_.Tell(message);
  focus_ = field;
  return false;
}

bool CRirekiDlg::CheckText(const std::string& value, std::size_t limit, RirekiField field) {
  if (text::Cp932Length(value) <= limit) return true;
  return Refuse(text::Format(kTextTooLong, limit), field);
}

bool CRirekiDlg::ReadYear(int& year) {
  const auto typed = text::ReadWholeNumber(yearText_);
  if (!typed) return Refuse(kWholeNumberExpected, RirekiField::Year);
  if (*typed < kMinYear || *typed > kMaxYear) return Refuse(kYearRange, RirekiField::Year);
  year = static_cast<int>(*typed);
  return true;
}

bool CRirekiDlg::ReadAmount(double& amount) {
  const auto typed = text::ReadNumber(amountText_);
  if (!typed) return Refuse(kNumberExpected, RirekiField::Amount);
  if (*typed < kMinAmount || *typed > kMaxAmount) return Refuse(kAmountRange, RirekiField::Amount);
  amount = *typed;
  return true;
}

std::optional<CRirekiDlg::Fields> CRirekiDlg::ReadFields() {
  Fields f;
  if (!ReadYear(f.date.year) || !CheckText(staff_, records::kRirekiTantouLimit, RirekiField::Staff) ||
      !CheckText(summary_, records::kActionTitleLimit, RirekiField::Summary) ||
      !CheckText(keyword_, records::kKeywordLimit, RirekiField::Keyword) ||
      !CheckText(details_, records::kActionLimit, RirekiField::Details) || !ReadAmount(f.amount)) {
    return std::nullopt;
  }
  f.date.month = month_ + 1;
  f.date.day = day_ + 1;
  f.date.hour = HourAtPosition(hour_);
  f.date.minute = minute_ < 0 ? 0 : minute_;
  if (month_ < 0 || day_ < 0 || !COleDate::FromCivil(f.date).IsValid()) {
    Refuse(kDateInvalid, RirekiField::Day);
    return std::nullopt;
  }
  if (HasTooManyDecimals(text::PlainNumberText(amountText_).value_or(""))) {
    Refuse(kTooManyDecimals, RirekiField::Amount);
    return std::nullopt;
  }
  f.staff = staff_;
  f.summary = summary_;
  f.keyword = keyword_;
  f.details = details_;
  f.picture = picture_;
  return f;
}

bool CRirekiDlg::IsChanged(const Fields& f) const {
  CRirekiData blank;
  blank.Date = resetTime_;
  const CRirekiData& reference = loaded_ ? working_ : blank;
  return f.staff != reference.TantouName || f.summary != reference.ActionTitle || f.keyword != reference.Keyword ||
         f.details != reference.Action || f.picture != reference.Picture || f.amount != reference.Money ||
         !SameMinute(reference.Date, f.date);
}

void CRirekiDlg::CopyInto(const Fields& f, CRirekiData& record) {
  record.Date = COleDate::FromCivil(f.date);
  record.TantouName = f.staff;
  record.ActionTitle = f.summary;
  record.Keyword = f.keyword;
  record.Action = f.details;
  record.Money = f.amount;
  record.Picture = f.picture;
}

// --- Saving ---

bool CRirekiDlg::Add(const Fields& f) {
  if (!owner_) return false;
  auto record = std::make_unique<CRirekiData>(loaded_ ? working_ : CRirekiData());
  CopyInto(f, *record);
  record->ID = 0;
  record->CustomerID = customerId_;
  return owner_->AddRireki(customerId_, std::move(record)) >= 1;
}

bool CRirekiDlg::Modify(const Fields& f) {
  if (!owner_) return false;
  // The working record changes only once saved, so a failed save still counts as unsaved.
  CRirekiData changed = working_;
  CopyInto(f, changed);
  if (owner_->ModifyRireki(changed.ID, changed) != 1) return false;
  working_ = std::move(changed);
  return true;
}

void CRirekiDlg::OnOK() {
  switch (mode_) {
    case RirekiMode::Add:
    case RirekiMode::Copy: return OkAdd();
    case RirekiMode::Modify: return OkModify();
    case RirekiMode::BulkAdd: return OkBulkAdd();
  }
}

void CRirekiDlg::OkAdd() {
  const auto f = ReadFields();
  if (!f || !ui_.Ask(kAddQuestion)) return;
  if (!Add(*f)) return ui_.Tell(kAddFailed);
  Reset();
}

void CRirekiDlg::OkModify() {
  const auto f = ReadFields();
  if (!f || !ui_.Ask(kModifyQuestion)) return;
  if (!Modify(*f)) return ui_.Tell(kModifyFailed);
  ShowRecord(working_);
  if (const auto place = owner_->SelectRireki(working_.ID)) SetStepEnabled(place->hasPrevious, place->hasNext);
}

void CRirekiDlg::OkBulkAdd() {
  const auto f = ReadFields();
  if (!f || !ui_.Ask(kBulkQuestion)) return;
  CopyInto(*f, working_);
  EndDialog(true);
}

void CRirekiDlg::OnCancel() {
  switch (mode_) {
    case RirekiMode::Add:
    case RirekiMode::Copy: return CloseAdd();
    case RirekiMode::Modify: return CloseModify();
    case RirekiMode::BulkAdd: return EndDialog(false);
  }
}

void CRirekiDlg::CloseAdd() {
  const auto f = ReadFields();
  if (!f) return;
  if (IsChanged(*f) && ui_.Ask(kAddOnClose) && !Add(*f)) ui_.Tell(kAddOnCloseFailed);
  EndDialog(false);
}

void CRirekiDlg::CloseModify() {
  const auto f = ReadFields();
  if (!f) return;
  if (IsChanged(*f) && ui_.Ask(kModifyOnClose) && !Modify(*f)) return ui_.Tell(kModifyOnCloseFailed);
  EndDialog(false);
}

// --- Stepping (Modify) ---

void CRirekiDlg::Step(int step) {
  if (!owner_) return;
  const auto f = ReadFields();
  if (!f) return;
  if (IsChanged(*f) && ui_.Ask(kModifyQuestion)) {
    // Saved before stepping, so a failed save leaves the owner's selection on the entry shown.
    if (!Modify(*f)) return ui_.Tell(kModifyFailed);
    ShowRecord(working_);
    // The save rebuilds the owner's list: find the entry again to step from it.
    owner_->SelectRireki(working_.ID);
  }
  if (const auto stepped = owner_->StepRireki(step)) ShowStepped(*stepped, step);
}

void CRirekiDlg::ShowStepped(const RirekiStep& stepped, int step) {
  working_ = stepped.entry;
  loaded_ = true;
  ShowRecord(working_);
  if (step < 0) {
    SetStepEnabled(stepped.further, true);
  } else {
    SetStepEnabled(true, stepped.further);
  }
}

// --- Picture ---

void CRirekiDlg::OnRegisterPicture() {
  const auto chosen = ui_.OpenFile("", kPictureFilter, {});
  if (chosen) picture_ = chosen->string();
}

void CRirekiDlg::OnDeletePicture() {
  if (ui_.Ask(kPictureDeleteQuestion)) picture_.clear();
}

}  // namespace history
