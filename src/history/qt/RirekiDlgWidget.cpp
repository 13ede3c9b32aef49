#include "history/qt/RirekiDlgWidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <functional>
#include <utility>

#include "history/RirekiDateLists.h"
#include "history/qt/RirekiFieldGrid.h"
#include "history/qt/RirekiPictureView.h"
#include "history/qt/YearSpinBox.h"
#include "ui/qt/ChoiceListComboBox.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"

namespace history {

namespace {

using ui::FromQString;
using ui::ToQString;

// The day list, which the model rebuilds each time it drops down.
class DayComboBox : public QComboBox {
 public:
  DayComboBox(QWidget* parent, std::function<void()> beforeDropDown)
      : QComboBox(parent), beforeDropDown_(std::move(beforeDropDown)) {}
  void showPopup() override {
    beforeDropDown_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> beforeDropDown_;
};

QComboBox* MakeList(QComboBox* box, const char* caption, const std::vector<std::string>& texts) {
  box->setAccessibleName(QString::fromUtf8(caption));
  for (const std::string& t : texts) box->addItem(ToQString(t));
  return box;
}

void ShowItems(QComboBox* box, int count, int position) {
  const QSignalBlocker quiet(box);
  if (box->count() != count) {
    box->clear();
    for (const std::string& t : DayTexts(count)) box->addItem(ToQString(t));
  }
  box->setCurrentIndex(position);
}

void ShowPosition(QComboBox* box, int position) {
  const QSignalBlocker quiet(box);
  box->setCurrentIndex(position);
}

}  // namespace

RirekiDlgWidget::RirekiDlgWidget(CRirekiDlg& model, QWidget* parent) : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  BuildDate();
  BuildTexts();
  LayOutRirekiFields(grid, {year_, month_, day_, hour_, minute_, staff_, summary_, keyword_, details_, amount_}, this);
  BuildPicture(grid);
  layout->addLayout(grid, 1);
  BuildButtons(layout);
  resize(680, 440);
  Refresh();
}

void RirekiDlgWidget::BuildDate() {
  year_ = new YearSpinBox(this, [this](int steps) { Act([this, steps] { model_.OnYearStep(steps); }); });
  year_->setAccessibleName(QString::fromUtf8("日付 年"));
  month_ = MakeList(new QComboBox(this), "月", MonthTexts());
  day_ = MakeList(new DayComboBox(this, [this] { Act([this] { model_.OnDayDropDown(); }); }), "日", {});
  hour_ = MakeList(new QComboBox(this), "時", HourTexts());
  minute_ = MakeList(new QComboBox(this), "分", MinuteTexts());
  day_->setMinimumContentsLength(2);
  connect(year_->Edit(), &QLineEdit::textChanged, this,
          [this](const QString& t) { model_.SetYearText(FromQString(t)); });
  connect(month_, &QComboBox::currentIndexChanged, this, [this](int p) { model_.SetMonthPosition(p); });
  connect(day_, &QComboBox::currentIndexChanged, this, [this](int p) { model_.SetDayPosition(p); });
  connect(hour_, &QComboBox::currentIndexChanged, this, [this](int p) { model_.SetHourPosition(p); });
  connect(minute_, &QComboBox::currentIndexChanged, this, [this](int p) { model_.SetMinutePosition(p); });
}

void RirekiDlgWidget::BuildTexts() {
  const auto choice = [this](const char* caption, int list) {
    auto* box = new ui::ChoiceListComboBox(model_.ChoiceUi(), model_.Install(), QString::fromUtf8(caption), this);
    box->Fill(list);
    return box;
  };
  staff_ = choice("担当者", CRirekiDlg::kStaffList);
  summary_ = choice("概要", CRirekiDlg::kSummaryList);
  keyword_ = choice("検索ｷｰﾜｰﾄﾞ", CRirekiDlg::kKeywordList);
  details_ = new QPlainTextEdit(this);
  details_->setAccessibleName(QString::fromUtf8("詳細"));
  details_->setTabChangesFocus(true);
  amount_ = new QLineEdit(this);
  amount_->setAccessibleName(QString::fromUtf8("金額"));
  amount_->setAlignment(Qt::AlignRight);
  amount_->setMaximumWidth(200);

  connect(staff_, &QComboBox::currentTextChanged, this, [this](const QString& t) { model_.SetStaff(FromQString(t)); });
  connect(summary_, &QComboBox::currentTextChanged, this,
          [this](const QString& t) { model_.SetSummary(FromQString(t)); });
  connect(keyword_, &QComboBox::currentTextChanged, this,
          [this](const QString& t) { model_.SetKeyword(FromQString(t)); });
  connect(details_, &QPlainTextEdit::textChanged, this,
          [this] { model_.SetDetails(FromQString(details_->toPlainText())); });
  connect(amount_, &QLineEdit::textChanged, this, [this](const QString& t) { model_.SetAmountText(FromQString(t)); });
}

void RirekiDlgWidget::BuildPicture(QGridLayout* grid) {
  picturePath_ = new QLineEdit(this);
  picturePath_->setReadOnly(true);
  picturePath_->setAccessibleName(QString::fromUtf8("画像ファイル"));
  picture_ = new RirekiPictureView(this);
  deletePicture_ = ui::MakeButton("削除", this, [this] { Act([this] { model_.OnDeletePicture(); }); });
  auto* buttons = Row({ui::MakeButton("登録...", this, [this] { Act([this] { model_.OnRegisterPicture(); }); }),
                       deletePicture_});
  LayOutRirekiPicture(grid, picturePath_, picture_, buttons, this);
}

void RirekiDlgWidget::BuildButtons(QVBoxLayout* layout) {
  previous_ = ui::MakeButton("前の履歴へ", this, [this] { Act([this] { model_.OnPrevious(); }); });
  next_ = ui::MakeButton("次の履歴へ", this, [this] { Act([this] { model_.OnNext(); }); });
  ok_ = ui::MakeButton(model_.OkCaption(), this, [this] { Act([this] { model_.OnOK(); }); });
  close_ = ui::MakeButton(model_.CloseCaption(), this, [this] { reject(); });
  ok_->setDefault(true);
  previous_->setVisible(model_.StepButtonsShown());
  next_->setVisible(model_.StepButtonsShown());
  auto* row = new QHBoxLayout;
  row->addWidget(previous_);
  row->addWidget(next_);
  row->addStretch();
  row->addWidget(ok_);
  row->addWidget(close_);
  layout->addLayout(row);
}

void RirekiDlgWidget::Refresh() {
  year_->ShowText(ToQString(model_.YearText()));
  ShowPosition(month_, model_.MonthPosition());
  ShowItems(day_, model_.DayCount(), model_.DayPosition());
  ShowPosition(hour_, model_.HourPosition());
  ShowPosition(minute_, model_.MinutePosition());
  staff_->ShowText(model_.Staff());
  summary_->ShowText(model_.Summary());
  keyword_->ShowText(model_.Keyword());
  if (details_->toPlainText() != ToQString(model_.Details())) {
    const QSignalBlocker quiet(details_);
    details_->setPlainText(ToQString(model_.Details()));
  }
  if (amount_->text() != ToQString(model_.AmountText())) {
    const QSignalBlocker quiet(amount_);
    amount_->setText(ToQString(model_.AmountText()));
  }
  picturePath_->setText(ToQString(model_.Picture()));
  picture_->Show(model_.PicturePath());
  deletePicture_->setEnabled(model_.CanDeletePicture());
  SetStepButton(previous_, model_.PreviousEnabled(), next_);
  SetStepButton(next_, model_.NextEnabled(), previous_);
  ShowFocus();
}

void RirekiDlgWidget::SetStepButton(QPushButton* button, bool enabled, QPushButton* other) {
  // A button about to be disabled hands its focus on, so the keyboard user is not left nowhere.
  if (!enabled && button->hasFocus()) other->setFocus();
  button->setEnabled(enabled);
}

void RirekiDlgWidget::ShowFocus() {
  QWidget* target = nullptr;
  switch (model_.TakeFocus()) {
    case RirekiField::None: return;
    case RirekiField::Year: target = year_; break;
    case RirekiField::Day: target = day_; break;
    case RirekiField::Staff: target = staff_; break;
    case RirekiField::Summary: target = summary_; break;
    case RirekiField::Keyword: target = keyword_; break;
    case RirekiField::Details: target = details_; break;
    case RirekiField::Amount: target = amount_; break;
  }
  target->setFocus();
  if (target == amount_) amount_->selectAll();
  if (target == year_) year_->selectAll();
}

}  // namespace history
