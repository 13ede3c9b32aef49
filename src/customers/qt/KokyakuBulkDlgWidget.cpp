#include "customers/qt/KokyakuBulkDlgWidget.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/qt/ChoiceListComboBox.h"
#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace customers {

namespace {

// A colour mark's swatch; values are stored 0x00BBGGRR.
QIcon Swatch(std::int32_t bgr) {
  QPixmap pixmap(16, 12);
  pixmap.fill(QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
  QPainter p(&pixmap);
  p.setPen(Qt::darkGray);
  p.drawRect(0, 0, 15, 11);
  return QIcon(pixmap);
}

}  // namespace

KokyakuBulkDlgWidget::KokyakuBulkDlgWidget(CKokyakuBulkDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CKokyakuBulkDlg::kIntro, this));
  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  grid->addWidget(ui::MakeLabel(CKokyakuBulkDlg::kFieldGroup, this), 0, 0);
  grid->addWidget(ui::MakeLabel(CKokyakuBulkDlg::kValueGroup, this), 0, 1, 1, 2);
  fields_ = new QButtonGroup(this);
  // Row by row, so Tab reads each radio and then its input.
  for (int field = 0; field < CKokyakuBulkDlg::kFieldCount; ++field) {
    const QString caption = ui::ToQString(model.Captions()[field]);
    auto* radio = new QRadioButton(caption, this);
    radio->setAccessibleName(caption);
    fields_->addButton(radio, field);
    radios_[field] = radio;
    QWidget* input;
    if (field == CKokyakuBulkDlg::kColour) {
      colour_ = new QComboBox(this);
      colour_->setAccessibleName(caption);
      for (const ChoiceItem& item : model.Colours()) colour_->addItem(Swatch(item.value), ui::ToQString(item.text), item.value);
      colour_->setMinimumHeight(std::max(15, colour_->fontMetrics().height() + 4));
      connect(colour_, &QComboBox::currentIndexChanged, this, [this](int position) { model_.ChooseColour(position); });
      input = colour_;
    } else {
      auto* box = new ui::ChoiceListComboBox(model.ChoiceUi(), model.Install(), caption, this);
      box->Fill(CKokyakuBulkDlg::ChoiceListOf(field));
      connect(box, &QComboBox::currentTextChanged, this,
              [this, field](const QString& t) { model_.SetText(field, ui::FromQString(t)); });
      texts_[field] = box;
      input = box;
    }
    grid->addWidget(radio, field + 1, 0);
    grid->addWidget(input, field + 1, 1);
    // The drop-down's caption for a screen reader, which names the list by its entry.
    QLabel* setTo = ui::MakeLabel(CKokyakuBulkDlg::kSetTo, this, input);
    setTo->setAccessibleName(caption + QString::fromUtf8(CKokyakuBulkDlg::kSetTo));
    grid->addWidget(setTo, field + 1, 2);
  }
  connect(fields_, &QButtonGroup::idClicked, this, [this](int field) { Act([this, field] { model_.ChooseField(field); }); });
  layout->addLayout(grid);
  layout->addStretch();
  layout->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }));
  setMinimumWidth(420);
  Refresh();
}

QWidget* KokyakuBulkDlgWidget::Input(int field) const {
  if (field == CKokyakuBulkDlg::kColour) return colour_;
  return field > 0 && field < CKokyakuBulkDlg::kFieldCount ? texts_[field] : nullptr;
}

void KokyakuBulkDlgWidget::Refresh() {
  if (QAbstractButton* chosen = fields_->button(model_.Field())) chosen->setChecked(true);
  {
    const QSignalBlocker quiet(colour_);
    colour_->setCurrentIndex(model_.ColourPosition());
  }
  for (int field = 0; field < CKokyakuBulkDlg::kFieldCount; ++field) {
    if (texts_[field]) texts_[field]->ShowText(model_.Text(field));
    Input(field)->setEnabled(model_.IsInputEnabled(field));
  }
  if (QWidget* target = Input(model_.TakeFocus())) {
    target->setFocus();
    if (auto* box = qobject_cast<QComboBox*>(target); box && box->isEditable()) box->lineEdit()->selectAll();
  }
}

}  // namespace customers
