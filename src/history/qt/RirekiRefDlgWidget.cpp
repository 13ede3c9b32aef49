#include "history/qt/RirekiRefDlgWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "history/qt/RirekiFieldGrid.h"
#include "history/qt/RirekiPictureView.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"

namespace history {

namespace {

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
  LayOutRirekiFields(grid, {year_, month_, day_, hour_, minute_, staff_, summary_, keyword_, details_, amount_}, this);
  LayOutRirekiPicture(grid, picturePath_, picture_, nullptr, this);

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
