#include "io/qt/ImportTextDlgWidget.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace io {

ImportTextDlgWidget::ImportTextDlgWidget(CImportTextDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CImportTextDlg::kPrompt, this));

  auto* group = new QGroupBox(QString::fromUtf8("区切り文字"), this);
  group->setAccessibleName(group->title());
  auto* grid = new QGridLayout(group);
  choices_ = new QButtonGroup(this);
  const char* captions[] = {"カンマ区切り", "タブ区切り", "スペース区切り", "その他・・・・・＞"};
  for (int i = 0; i < 4; ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(captions[i]), group);
    radio->setAccessibleName(radio->text());
    choices_->addButton(radio, i);
    grid->addWidget(radio, i, 0);
  }
  other_ = new QLineEdit(group);
  other_->setAccessibleName(QString::fromUtf8("その他の区切り文字"));
  other_->setMaxLength(1);
  other_->setFixedWidth(other_->fontMetrics().horizontalAdvance(QStringLiteral("MMM")) + 12);
  // A delimiter is one byte: the input method stays off while the edit has the focus.
  other_->setAttribute(Qt::WA_InputMethodEnabled, false);
  other_->installEventFilter(this);
  grid->addWidget(other_, 3, 1, Qt::AlignLeft);
  grid->setColumnStretch(2, 1);
  layout->addWidget(group);

  auto* preview = new QPlainTextEdit(ui::ToQString(model_.Preview()), this);
  preview->setReadOnly(true);
  preview->setLineWrapMode(QPlainTextEdit::NoWrap);
  preview->setAccessibleName(QString::fromUtf8("ﾃﾞｰﾀｲﾒｰｼﾞ"));
  preview->setTabChangesFocus(true);
  layout->addWidget(ui::MakeLabel("ﾃﾞｰﾀｲﾒｰｼﾞ", this, preview));
  layout->addWidget(preview, 1);

  // "戻る" stands left of OK and cancel, and comes first in the Tab order as it does on screen.
  auto* row = new QHBoxLayout;
  auto* back = ui::MakeButton("< 戻る", this, [this] { Act([this] { model_.OnBack(); }); });
  back->setAccessibleName(QString::fromUtf8("戻る"));
  row->addWidget(back);
  row->addStretch();
  row->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }, "ｷｬﾝｾﾙ"));
  layout->addLayout(row);

  connect(choices_, &QButtonGroup::idClicked, this, [this](int id) { Act([this, id] { model_.SetChoice(id); }); });
  connect(other_, &QLineEdit::textEdited, this, [this](const QString& typed) {
    Act([this, typed] { model_.SetOther(ui::FromQString(typed)); });
  });
  resize(620, 520);
  Refresh();
}

bool ImportTextDlgWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == other_ && event->type() == QEvent::FocusIn) other_->setAttribute(Qt::WA_InputMethodEnabled, false);
  return ui::ModelDialog::eventFilter(watched, event);
}

void ImportTextDlgWidget::Refresh() {
  if (auto* radio = choices_->button(model_.Choice())) radio->setChecked(true);
  other_->setEnabled(model_.OtherEnabled());
  const QString other = ui::ToQString(model_.Other());
  if (other_->text() != other) other_->setText(other);
}

}  // namespace io
