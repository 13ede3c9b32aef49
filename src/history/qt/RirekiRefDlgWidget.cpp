#include "history/qt/RirekiRefDlgWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "history/qt/RirekiPictureView.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"

namespace history {

namespace {

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  for (QWidget* w : widgets) row->addWidget(w);
  row->addStretch();
  return row;
}

void SetStepButton(QPushButton* button, bool enabled, QPushButton* other) {
  if (!enabled && button->hasFocus()) other->setFocus();
  button->setEnabled(enabled);
}

}  // namespace

QLineEdit* RirekiRefDlgWidget::Field(const char* caption, int width) {
  auto* field = new QLineEdit(this);
  field->setReadOnly(true);
  field->setAccessibleName(QString::fromUtf8(caption));
  if (width > 0) field->setFixedWidth(width);
  return field;
}

RirekiRefDlgWidget::RirekiRefDlgWidget(CRirekiRefDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  year_ = Field("日付 年", 60);
  month_ = Field("月", 36);
  day_ = Field("日", 36);
  hour_ = Field("時", 36);
  minute_ = Field("分", 36);
  staff_ = Field("担当者");
  summary_ = Field("概要");
  keyword_ = Field("検索ｷｰﾜｰﾄﾞ");
  amount_ = Field("金額", 200);
  amount_->setAlignment(Qt::AlignRight);
  details_ = new QPlainTextEdit(this);
  details_->setReadOnly(true);
  details_->setAccessibleName(QString::fromUtf8("詳細"));
  picturePath_ = Field("画像ファイル");
  picture_ = new RirekiPictureView(this);

  auto* grid = new QGridLayout;
  grid->addWidget(ui::MakeLabel("日付", this, year_), 0, 0);
  grid->addLayout(Row({year_, ui::MakeLabel("年", this), month_, ui::MakeLabel("月", this, month_), day_,
                       ui::MakeLabel("日", this, day_)}),
                  0, 1);
  grid->addWidget(ui::MakeLabel("時間", this, hour_), 1, 0);
  grid->addLayout(Row({hour_, ui::MakeLabel("時", this), minute_, ui::MakeLabel("分", this, minute_)}), 1, 1);
  const std::pair<const char*, QWidget*> rows[] = {
      {"担当者", staff_}, {"概要", summary_}, {"検索ｷｰﾜｰﾄﾞ", keyword_}, {"詳細", details_}, {"金額", amount_}};
  int row = 2;
  for (const auto& [caption, widget] : rows) {
    grid->addWidget(ui::MakeLabel(caption, this, widget), row, 0, widget == details_ ? Qt::AlignTop : Qt::Alignment());
    grid->addWidget(widget, row++, 1);
  }
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(1, 1);
  auto* pictureColumn = new QVBoxLayout;
  pictureColumn->addWidget(ui::MakeLabel("画像", this));
  pictureColumn->addWidget(picturePath_);
  pictureColumn->addWidget(picture_, 0, Qt::AlignHCenter);
  pictureColumn->addStretch();
  grid->addLayout(pictureColumn, 0, 2, 7, 1);

  previous_ = ui::MakeButton("前の履歴へ", this, [this] { Act([this] { model_.OnPrevious(); }); });
  next_ = ui::MakeButton("次の履歴へ", this, [this] { Act([this] { model_.OnNext(); }); });
  auto* close = ui::MakeButton("閉じる", this, [this] { Act([this] { model_.OnClose(); }); });
  close->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(previous_);
  buttons->addWidget(next_);
  buttons->addStretch();
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addLayout(buttons);
  resize(680, 420);
  Refresh();
}

void RirekiRefDlgWidget::Refresh() {
  const auto number = [](int n) { return QString::number(n); };
  year_->setText(number(model_.Year()));
  month_->setText(number(model_.Month()));
  day_->setText(number(model_.Day()));
  hour_->setText(number(model_.Hour()));
  minute_->setText(QStringLiteral("%1").arg(model_.Minute(), 2, 10, QLatin1Char('0')));
  const records::CRirekiData& entry = model_.Entry();
  staff_->setText(ui::ToQString(entry.TantouName));
  summary_->setText(ui::ToQString(entry.ActionTitle));
  keyword_->setText(ui::ToQString(entry.Keyword));
  details_->setPlainText(ui::ToQString(entry.Action));
  amount_->setText(ui::ToQString(model_.AmountText()));
  picturePath_->setText(ui::ToQString(entry.Picture));
  picture_->Show(model_.PicturePath());
  SetStepButton(previous_, model_.PreviousEnabled(), next_);
  SetStepButton(next_, model_.NextEnabled(), previous_);
}

}  // namespace history
