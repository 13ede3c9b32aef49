#include "dm/qt/DMTitleDlgWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <functional>

#include "history/RirekiDateLists.h"
#include "history/qt/YearSpinBox.h"
#include "ui/qt/ChoiceListComboBox.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"

namespace dm {

namespace {

using ui::FromQString;
using ui::ToQString;

// The day list, rebuilt by the model whenever it takes the focus or drops down.
class DayComboBox : public QComboBox {
 public:
  DayComboBox(QWidget* parent, std::function<void()> rebuild) : QComboBox(parent), rebuild_(std::move(rebuild)) {}
  void showPopup() override {
    rebuild_();
    QComboBox::showPopup();
  }

 protected:
  void focusInEvent(QFocusEvent* event) override {
    rebuild_();
    QComboBox::focusInEvent(event);
  }

 private:
  std::function<void()> rebuild_;
};

QComboBox* Fill(QComboBox* box, const char* caption, const std::vector<std::string>& texts) {
  box->setAccessibleName(QString::fromUtf8(caption));
  for (const std::string& t : texts) box->addItem(ToQString(t));
  return box;
}

void ShowPosition(QComboBox* box, int position, int count = -1) {
  const QSignalBlocker quiet(box);
  if (count >= 0 && box->count() != count) {
    box->clear();
    for (const std::string& t : history::DayTexts(count)) box->addItem(ToQString(t));
  }
  box->setCurrentIndex(position);
}

QRadioButton* Radio(const char* caption, QWidget* parent) {
  auto* radio = new QRadioButton(QString::fromUtf8(caption), parent);
  radio->setAccessibleName(radio->text());
  return radio;
}

}  // namespace

DMTitleDlgWidget::DMTitleDlgWidget(CDMTitleDlg& model, QWidget* parent) : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);

  auto* state = new QGroupBox(QString::fromUtf8("送付状況"), this);
  state->setAccessibleName(state->title());
  auto* stateRow = new QHBoxLayout(state);
  unsent_ = Radio("未送付", state);
  sent_ = Radio("送付済み", state);
  history_ = new QCheckBox(QString::fromUtf8("送付履歴を登録済み"), state);
  history_->setAccessibleName(history_->text());
  stateRow->addWidget(unsent_);
  stateRow->addWidget(sent_);
  stateRow->addSpacing(16);
  stateRow->addWidget(history_);
  stateRow->addStretch();
  auto* stateGroup = new QButtonGroup(this);
  stateGroup->addButton(unsent_, 0);
  stateGroup->addButton(sent_, 1);
  connect(stateGroup, &QButtonGroup::idClicked, this, [this](int id) { Act([this, id] { model_.SetSent(id); }); });
  connect(history_, &QCheckBox::clicked, this, [this](bool on) { Act([this, on] { model_.SetHistoryRegistered(on); }); });
  layout->addWidget(state);

  auto* grid = new QGridLayout;
  year_ = new history::YearSpinBox(this, [this](int steps) { Act([this, steps] { model_.OnYearStep(steps); }); });
  year_->setAccessibleName(QString::fromUtf8("送付日 年"));
  // Digits only: the year never goes through the input method.
  year_->Edit()->setAttribute(Qt::WA_InputMethodEnabled, false);
  month_ = Fill(new QComboBox(this), "月", history::MonthTexts());
  day_ = Fill(new DayComboBox(this, [this] { Act([this] { model_.OnDayFocus(); }); }), "日", {});
  day_->setMinimumContentsLength(2);
  hour_ = Fill(new QComboBox(this), "時", history::HourTexts());
  minute_ = Fill(new QComboBox(this), "分", history::MinuteTexts());
  connect(year_->Edit(), &QLineEdit::textChanged, this, [this](const QString& t) { model_.SetYearText(FromQString(t)); });
  connect(month_, &QComboBox::activated, this, [this](int p) { Act([this, p] { model_.SetMonthPosition(p); }); });
  connect(day_, &QComboBox::currentIndexChanged, this, [this](int p) { model_.SetDayPosition(p); });
  connect(hour_, &QComboBox::currentIndexChanged, this, [this](int p) { model_.SetHourPosition(p); });
  connect(minute_, &QComboBox::currentIndexChanged, this, [this](int p) { model_.SetMinutePosition(p); });
  auto* date = new QHBoxLayout;
  for (const auto& [field, unit] : std::initializer_list<std::pair<QWidget*, const char*>>{
           {year_, "年"}, {month_, "月"}, {day_, "日"}, {hour_, "時"}, {minute_, "分"}}) {
    date->addWidget(field);
    date->addWidget(ui::MakeLabel(unit, this, field));
  }
  date->addStretch();
  grid->addWidget(ui::MakeLabel("送付日", this, year_), 0, 0);
  grid->addLayout(date, 0, 1);

  title_ = new QLineEdit(this);
  title_->setMinimumWidth(360);
  connect(title_, &QLineEdit::textChanged, this, [this](const QString& t) { model_.SetTitleText(FromQString(t)); });
  grid->addWidget(ui::MakeLabel("DMタイトル", this, title_), 1, 0);
  grid->addWidget(title_, 1, 1);
  title_->setAccessibleName(QString::fromUtf8("DMタイトル"));

  content_ = new ui::ChoiceListComboBox(model_.ChoiceUi(), model_.Install(), QString::fromUtf8("内容"), this);
  content_->Fill(CDMTitleDlg::kContentList);
  connect(content_, &QComboBox::currentTextChanged, this, [this](const QString& t) { model_.SetContent(FromQString(t)); });
  grid->addWidget(ui::MakeLabel("内容", this, content_), 2, 0);
  grid->addWidget(content_, 2, 1);
  manager_ = new ui::ChoiceListComboBox(model_.ChoiceUi(), model_.Install(), QString::fromUtf8("管理者"), this);
  manager_->Fill(CDMTitleDlg::kManagerList);
  connect(manager_, &QComboBox::currentTextChanged, this, [this](const QString& t) { model_.SetManager(FromQString(t)); });
  grid->addWidget(ui::MakeLabel("管理者", this, manager_), 3, 0);
  grid->addWidget(manager_, 3, 1);

  auto* method = new QGroupBox(QString::fromUtf8("送付方法"), this);
  method->setAccessibleName(method->title());
  auto* methodRow = new QHBoxLayout(method);
  print_ = Radio("DM印刷", method);
  mail_ = Radio("メール送信", method);
  methodRow->addWidget(print_);
  methodRow->addWidget(mail_);
  methodRow->addStretch();
  auto* methodGroup = new QButtonGroup(this);
  methodGroup->addButton(print_, 0);
  methodGroup->addButton(mail_, 1);
  connect(methodGroup, &QButtonGroup::idClicked, this, [this](int id) { model_.SetMethod(id); });
  grid->addWidget(method, 4, 0, 1, 2);
  layout->addLayout(grid);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QString::fromUtf8("登録"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  ok_->setAccessibleName(ok_->text());
  cancel->setAccessibleName(ui::SpokenCaption(cancel->text()));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, [this] { Act([this] { model_.OnOK(); }); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(buttons);

  setTabOrder(history_, year_);
  Refresh();
  title_->setFocus();
}

void DMTitleDlgWidget::Refresh() {
  const bool sentEnabled = model_.SentEnabled();
  unsent_->setChecked(model_.Sent() == 0);
  sent_->setChecked(model_.Sent() == 1);
  sent_->setEnabled(sentEnabled);
  unsent_->setEnabled(sentEnabled || model_.Sent() == 0);
  history_->setChecked(model_.HistoryRegistered() == 1);
  history_->setEnabled(sentEnabled);
  year_->ShowText(ToQString(model_.YearText()));
  ShowPosition(month_, model_.MonthPosition());
  ShowPosition(day_, model_.DayPosition(), model_.DayCount());
  ShowPosition(hour_, model_.HourPosition());
  ShowPosition(minute_, model_.MinutePosition());
  if (title_->text() != ToQString(model_.TitleText())) {
    const QSignalBlocker quiet(title_);
    title_->setText(ToQString(model_.TitleText()));
  }
  content_->ShowText(model_.Content());
  manager_->ShowText(model_.Manager());
  print_->setChecked(model_.Method() == 0);
  mail_->setChecked(model_.Method() == 1);
  ok_->setEnabled(model_.OkEnabled());
  ShowFocus();
}

void DMTitleDlgWidget::ShowFocus() {
  QWidget* target = nullptr;
  switch (model_.TakeFocus()) {
    case DMTitleField::None: return;
    case DMTitleField::Year: target = year_; break;
    case DMTitleField::Month: target = month_; break;
    case DMTitleField::Title: target = title_; break;
    case DMTitleField::Content: target = content_; break;
    case DMTitleField::Manager: target = manager_; break;
  }
  target->setFocus();
}

}  // namespace dm
