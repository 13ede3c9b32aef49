#include "dm/CDMTitleDlg.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "history/RirekiDateLists.h"
#include "text/Cp932.h"
#include "text/NumberInput.h"

namespace dm {

CDMTitleDlg::CDMTitleDlg(ui::Ui& ui, DMTitleMode mode, std::filesystem::path install)
    : ui_(ui), mode_(mode), install_(std::move(install)) {}

std::string CDMTitleDlg::Title() const {
  switch (mode_) {
    case DMTitleMode::Modify: return "DMタイトルを修正";
    case DMTitleMode::View: return "DMタイトルを参照";
    default: return "DMタイトルを追加";
  }
}

void CDMTitleDlg::Load(const records::CDMListData* title, const records::COleDate& now) {
  const bool shown = title && (mode_ == DMTitleMode::Modify || mode_ == DMTitleMode::View);
  if (title && mode_ != DMTitleMode::Add) {
    title_ = title->Title;
    content_ = title->Content;
    manager_ = title->Manager;
    SetMethod(title->SendMethod);
  }
  if (shown) {
    sent_ = title->Sent == 1 ? 1 : 0;
    history_ = title->HistoryRegistered == 1 ? 1 : 0;
    wasSent_ = sent_ == 1;
    // A title without a valid date shows the current time, as a new one would.
    ShowDate(title->SendDate.IsValid() ? title->SendDate : now);
  } else {
    sent_ = history_ = 0;
    wasSent_ = false;
    ShowDate(now);
  }
}

void CDMTitleDlg::ShowDate(const records::COleDate& date) {
  const records::CivilTime t = date.ToCivil();
  yearText_ = std::to_string(t.year);
  month_ = t.month - 1;
  dayCount_ = history::DayListLength(t.year, month_);
  day_ = t.day - 1;
  hour_ = history::HourPosition(t.hour);
  minute_ = t.minute;
}

void CDMTitleDlg::SetSent(std::int32_t sent) {
  // Only printing or mailing makes a title sent: an unsent one stays so here.
  if (sent == 1 && !wasSent_) return;
  sent_ = sent == 1 ? 1 : 0;
}

void CDMTitleDlg::SetHistoryRegistered(bool on) {
  if (!wasSent_) return;
  history_ = on ? 1 : 0;
}

void CDMTitleDlg::OnYearStep(int steps) {
  const auto typed = text::ReadWholeNumber(yearText_);
  long long year = typed ? *typed : kMinYear;
  year = std::clamp<long long>(year + steps, kMinYear, kMaxYear);
  yearText_ = std::to_string(year);
}

void CDMTitleDlg::SetMonthPosition(int position) {
  if (position < 0 || position > 11) {
    Refuse(kBadMonth, DMTitleField::Month);
    return;
  }
  month_ = position;
  const int days = history::DayListLength(history::YearForDayList(yearText_), month_);
  dayCount_ = days;
  if (day_ >= days) day_ = days - 1;
}

void CDMTitleDlg::OnDayFocus() {
  dayCount_ = history::DayListLength(history::YearForDayList(yearText_), month_);
  if (day_ >= dayCount_) day_ = -1;
}

bool CDMTitleDlg::Refuse(const char* message, DMTitleField field) {
  focus_ = field;
  Changed();
  ui_.Tell(message);
  return false;
}

DMTitleField CDMTitleDlg::TakeFocus() { return std::exchange(focus_, DMTitleField::None); }

void CDMTitleDlg::OnOK() {
  if (!OkEnabled()) return;
  const auto year = text::ReadWholeNumber(yearText_);
  if (!year || *year < kMinYear || *year > kMaxYear) return void(Refuse(kYearRange, DMTitleField::Year));
  if (month_ < 0 || month_ > 11) return void(Refuse(kBadMonth, DMTitleField::Month));
  if (title_.empty()) return void(Refuse(kNoTitle, DMTitleField::Title));
  if (text::Cp932Length(title_) > records::kDMTitleLimit) return void(Refuse(kTitleTooLong, DMTitleField::Title));
  if (text::Cp932Length(content_) > records::kDMContentLimit) return void(Refuse(kContentTooLong, DMTitleField::Content));
  if (text::Cp932Length(manager_) > records::kDMManagerLimit) return void(Refuse(kManagerTooLong, DMTitleField::Manager));
  const int y = static_cast<int>(*year), m = month_ + 1;
  const int days = history::DayListLength(y, month_);
  // A day left unchosen after the year moved off a leap year is read as the month's last day.
  const int d = day_ < 0 || day_ >= days ? days : day_ + 1;
  values_.date = records::COleDate::FromCivil({y, m, d, history::HourAtPosition(hour_), std::max(0, minute_), 0});
  values_.title = title_;
  values_.content = content_;
  values_.manager = manager_;
  values_.method = method_;
  values_.sent = sent_;
  values_.historyRegistered = sent_ == 1 ? history_ : 0;
  EndDialog(true);
}

}  // namespace dm
