#pragma once
// "DMの詳細": one DM title's send date to the minute, title, content, manager, send method and
// its two state flags. Add and Copy start unsent at the current time; Modify and View show the
// title. A title becomes sent only by printing or mailing it, so 送付済み and 送付履歴を登録済み
// are enabled only for a title that was already sent when the dialog opened.

#include <cstdint>
#include <filesystem>
#include <string>

#include "records/CDMListData.h"
#include "records/COleDate.h"
#include "settings/CQMVComboData.h"
#include "ui/Ui.h"

namespace dm {

enum class DMTitleMode { Add, Modify, Copy, View };

// The control a refusal sends the focus to.
enum class DMTitleField { None, Year, Month, Title, Content, Manager };

// What 登録 confirmed.
struct DMTitleValues {
  records::COleDate date;
  std::string title, content, manager;
  std::int32_t method = 0, sent = 0, historyRegistered = 0;
};

class CDMTitleDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kNoTitle = "DMタイトルを入力してください\n";
  static constexpr const char* kTitleTooLong = "「DMタイトル」は100文字（ﾊﾞｲﾄ）以内で入力してください";
  static constexpr const char* kContentTooLong = "「内容」は50文字（ﾊﾞｲﾄ）以内で入力してください";
  static constexpr const char* kManagerTooLong = "「管理者」は30文字（ﾊﾞｲﾄ）以内で入力してください";
  static constexpr const char* kBadMonth = "設定された月の値がヘンです。確認してください。";
  static constexpr const char* kYearRange = "1970 から 2040 までの整数を入力してください。";
  static constexpr int kMinYear = 1970, kMaxYear = 2040;
  static constexpr int kContentList = settings::CQMVComboData::kDMType;
  static constexpr int kManagerList = settings::CQMVComboData::kTantou;

  // install: the installation folder whose data folder holds the choice lists.
  CDMTitleDlg(ui::Ui& ui, DMTitleMode mode, std::filesystem::path install);

  // Add and Copy: the date shown (the current date-time). Modify and View: the title shown.
  // Copy: the title's texts and method with now as its date, unsent.
  void Load(const records::CDMListData* title, const records::COleDate& now);

  std::string Title() const override;
  DMTitleMode Mode() const { return mode_; }
  bool OkEnabled() const { return mode_ != DMTitleMode::View; }
  ui::Ui& ChoiceUi() const { return ui_; }
  const std::filesystem::path& Install() const { return install_; }

  // 送付状況: 未送付 / 送付済み and 送付履歴を登録済み; the last two only for a title already sent.
  bool SentEnabled() const { return wasSent_ && mode_ != DMTitleMode::View; }
  std::int32_t Sent() const { return sent_; }
  void SetSent(std::int32_t sent);
  std::int32_t HistoryRegistered() const { return history_; }
  void SetHistoryRegistered(bool on);

  // 送付日: the year as typed; month, day, hour and minute as list positions (-1 none). The hour
  // list runs 8 to 23, then 0 to 7.
  const std::string& YearText() const { return yearText_; }
  void SetYearText(std::string text) { yearText_ = std::move(text); }
  void OnYearStep(int steps);
  int MonthPosition() const { return month_; }
  // Keeps the day unless the new month is shorter, then its last day; an impossible month is
  // refused with a message and the focus goes back to the month list.
  void SetMonthPosition(int position);
  int DayPosition() const { return day_; }
  void SetDayPosition(int position) { day_ = position; }
  int DayCount() const { return dayCount_; }
  // The day list takes the focus: rebuilt for the year and month shown; the day stays chosen
  // when it still exists, else none is.
  void OnDayFocus();
  int HourPosition() const { return hour_; }
  void SetHourPosition(int position) { hour_ = position; }
  int MinutePosition() const { return minute_; }
  void SetMinutePosition(int position) { minute_ = position; }

  const std::string& TitleText() const { return title_; }
  void SetTitleText(std::string text) { title_ = std::move(text); }
  const std::string& Content() const { return content_; }
  void SetContent(std::string text) { content_ = std::move(text); }
  const std::string& Manager() const { return manager_; }
  void SetManager(std::string text) { manager_ = std::move(text); }
  // 送付方法: 0 DM印刷, 1 メール送信.
  std::int32_t Method() const { return method_; }
  void SetMethod(std::int32_t method) { method_ = method == records::CDMListData::kMail ? 1 : 0; }

  // 登録: checks the title and the byte limits in order, the first failure told and the dialog
  // kept open; else closes with Values() set.
  void OnOK();
  const DMTitleValues& Values() const { return values_; }
  // The control a refusal asks to focus; None once taken.
  DMTitleField TakeFocus();

 private:
  bool Refuse(const char* message, DMTitleField field);
  void ShowDate(const records::COleDate& date);

  ui::Ui& ui_;
  DMTitleMode mode_;
  std::filesystem::path install_;
  bool wasSent_ = false;
  std::int32_t sent_ = 0, history_ = 0, method_ = 0;
  std::string yearText_;
  int month_ = -1, day_ = -1, hour_ = -1, minute_ = -1;
  int dayCount_ = 31;
  std::string title_, content_, manager_;
  DMTitleValues values_;
  DMTitleField focus_ = DMTitleField::None;
};

}  // namespace dm
