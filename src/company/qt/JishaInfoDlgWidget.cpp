#include "company/qt/JishaInfoDlgWidget.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace company {

namespace {

// A row of number boxes joined by "-", each as wide as its digits.
QHBoxLayout* NumberRow(QWidget* parent, std::initializer_list<QLineEdit*> boxes) {
  auto* row = new QHBoxLayout;
  bool first = true;
  for (QLineEdit* box : boxes) {
    if (!first) row->addWidget(ui::MakeLabel("-", parent));
    first = false;
    const int digits = box->maxLength();
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(digits + 2, QLatin1Char('0'))) + 12);
    row->addWidget(box);
  }
  row->addStretch();
  return row;
}

}  // namespace

JishaInfoDlgWidget::JishaInfoDlgWidget(CJishaInfoDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CJishaInfoDlg::kIntro, this));

  auto* setRow = new QHBoxLayout;
  sets_ = new QComboBox(this);
  for (int i = 0; i < CJishaInfoDlg::kSetCount; ++i) sets_->addItem(ui::ToQString(CJishaInfoDlg::SetName(i)));
  sets_->setAccessibleName(QString::fromUtf8("使用者"));
  setRow->addWidget(ui::MakeLabel("使用者", this, sets_));
  setRow->addWidget(sets_);
  makeFirst_ = ui::MakeButton("使用者１と入れ替え", this, [this] { Act([this] { model_.OnMakeFirst(); }); });
  setRow->addWidget(makeFirst_);
  setRow->addStretch();
  layout->addLayout(setRow);

  auto* form = new QFormLayout;
  const auto addRow = [this, form](const char* caption, QWidget* field) { form->addRow(ui::MakeLabel(caption, this, field), field); };
  const auto addNumberRow = [this, form](const char* caption, std::initializer_list<QLineEdit*> boxes) {
    form->addRow(ui::MakeLabel(caption, this, *boxes.begin()), NumberRow(this, boxes));
  };
  addRow("会社名", MakeBox(JishaBox::Company, "会社名"));
  addRow("部署名", MakeBox(JishaBox::Department, "部署名"));
  addRow("担当者", MakeBox(JishaBox::Person, "担当者"));
  addNumberRow("〒", {MakeBox(JishaBox::Zip1, "〒 上3桁"), MakeBox(JishaBox::Zip2, "〒 下4桁")});
  addRow("住所/所在地", MakeBox(JishaBox::Address, "住所/所在地"));
  addNumberRow("TEL", {MakeBox(JishaBox::Tel1, "TEL 市外局番"), MakeBox(JishaBox::Tel2, "TEL 市内局番"),
                       MakeBox(JishaBox::Tel3, "TEL 加入者番号")});
  addNumberRow("FAX", {MakeBox(JishaBox::Fax1, "FAX 市外局番"), MakeBox(JishaBox::Fax2, "FAX 市内局番"),
                       MakeBox(JishaBox::Fax3, "FAX 加入者番号")});
  addRow("取引銀行", MakeBox(JishaBox::Bank, "取引銀行"));
  addRow("会社ｷｬｯﾁﾌﾚｰｽﾞ", MakeBox(JishaBox::CatchPhrase, "会社ｷｬｯﾁﾌﾚｰｽﾞ"));
  layout->addLayout(form);
  layout->addStretch();
  layout->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }));

  connect(sets_, &QComboBox::activated, this, [this](int set) { Act([this, set] { model_.ShowSet(set); }); });
  resize(620, sizeHint().height());
  Refresh();
}

QLineEdit* JishaInfoDlgWidget::MakeBox(JishaBox box, const char* accessibleName) {
  auto* edit = new QLineEdit(this);
  edit->setAccessibleName(QString::fromUtf8(accessibleName));
  if (const std::size_t digits = CJishaInfoDlg::MaxLength(box)) {
    edit->setMaxLength(static_cast<int>(digits));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setInputMethodHints(Qt::ImhDigitsOnly);
  }
  boxes_[static_cast<std::size_t>(box)] = edit;
  connect(edit, &QLineEdit::textEdited, this,
          [this, box](const QString& text) { Act([this, box, &text] { model_.SetText(box, ui::FromQString(text)); }); });
  return edit;
}

void JishaInfoDlgWidget::Refresh() {
  sets_->setCurrentIndex(model_.ShownSet());
  makeFirst_->setEnabled(model_.ShownSet() != 0);
  for (std::size_t i = 0; i < kJishaBoxCount; ++i) {
    const QString text = ui::ToQString(model_.Text(static_cast<JishaBox>(i)));
    if (boxes_[i]->text() != text) boxes_[i]->setText(text);
  }
}

void JishaInfoDlgWidget::showEvent(QShowEvent* event) {
  ui::ModelDialog::showEvent(event);
  // On the first run nothing else is on the screen yet: the dialog stands in its middle.
  if (model_.CentredOnScreen()) {
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
      const QRect room = screen->availableGeometry();
      move(room.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
  }
}

}  // namespace company
