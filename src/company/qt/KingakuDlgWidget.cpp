#include "company/qt/KingakuDlgWidget.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace company {

KingakuDlgWidget::KingakuDlgWidget(CKingakuDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CKingakuDlg::kIntro, this));
  auto* group = new QGroupBox(QString::fromUtf8(CKingakuDlg::kGroup), this);
  group->setAccessibleName(group->title());
  auto* radios = new QVBoxLayout(group);
  methods_ = new QButtonGroup(this);
  for (Rounding r : {Rounding::Down, Rounding::HalfUp, Rounding::Up}) {
    auto* radio = new QRadioButton(QString::fromUtf8(CKingakuDlg::RoundingCaption(r)), group);
    radio->setAccessibleName(radio->text());
    methods_->addButton(radio, static_cast<int>(r));
    radios->addWidget(radio);
  }
  layout->addWidget(group);

  rate_ = new QLineEdit(this);
  rate_->setAccessibleName(QString::fromUtf8(CKingakuDlg::kRateCaption));
  ui::LimitToCp932Bytes(rate_, CKingakuDlg::kRateBytes);
  rate_->setFixedWidth(rate_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  layout->addWidget(ui::MakeLabel(CKingakuDlg::kRateCaption, this, rate_));
  auto* rateRow = new QHBoxLayout;
  rateRow->addWidget(rate_);
  rateRow->addWidget(ui::MakeLabel(CKingakuDlg::kRateUnit, this));
  rateRow->addStretch();
  layout->addLayout(rateRow);
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.SetRounding(static_cast<Rounding>(methods_->checkedId()));
      model_.SetRate(ui::FromQString(rate_->text()));
      model_.OnOK();
    });
  }));
  Refresh();
}

void KingakuDlgWidget::Refresh() {
  if (auto* checked = methods_->button(static_cast<int>(model_.GetRounding()))) checked->setChecked(true);
  const QString rate = ui::ToQString(model_.Rate());
  if (rate_->text() != rate) rate_->setText(rate);
}

}  // namespace company
