#include "maintenance/qt/RirekiDeleteDlgWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace maintenance {

namespace {

QLineEdit* NumberEdit(const char* caption, int digits, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setAccessibleName(QString::fromUtf8(caption));
  edit->setMaxLength(digits);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(digits + 2, QChar('0'))) + 8);
  edit->setInputMethodHints(Qt::ImhDigitsOnly);
  return edit;
}

}  // namespace

RirekiDeleteDlgWidget::RirekiDeleteDlgWidget(CRirekiDeleteDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  folder_ = new QLineEdit(this);
  folder_->setAccessibleName(QString::fromUtf8(CRirekiDeleteDlg::kFolderCaption));
  folder_->setMinimumWidth(folder_->fontMetrics().horizontalAdvance(QString(44, QChar('M'))));
  layout->addWidget(ui::MakeLabel(CRirekiDeleteDlg::kFolderCaption, this, folder_));
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folder_, 1);
  folderRow->addWidget(ui::MakeButton(CRirekiDeleteDlg::kBrowse, this, [this] {
    Act([this] {
      Store();
      model_.OnBrowse();
    });
  }));
  layout->addLayout(folderRow);

  layout->addWidget(ui::MakeLabel(CRirekiDeleteDlg::kDateCaption, this));
  auto* dateRow = new QHBoxLayout;
  year_ = NumberEdit(CRirekiDeleteDlg::kYearCaption, 4, this);
  month_ = NumberEdit(CRirekiDeleteDlg::kMonthCaption, 2, this);
  day_ = NumberEdit(CRirekiDeleteDlg::kDayCaption, 2, this);
  for (auto [edit, caption] : {std::pair{year_, CRirekiDeleteDlg::kYearCaption}, std::pair{month_, CRirekiDeleteDlg::kMonthCaption},
                               std::pair{day_, CRirekiDeleteDlg::kDayCaption}}) {
    dateRow->addWidget(edit);
    dateRow->addWidget(ui::MakeLabel(caption, this, edit));
  }
  dateRow->addStretch();
  layout->addLayout(dateRow);
  layout->addStretch();
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      Store();
      model_.OnOK();
    });
  }));
  Refresh();
}

void RirekiDeleteDlgWidget::Store() {
  model_.SetFolder(ui::FromQString(folder_->text()));
  model_.SetDate(ui::FromQString(year_->text()), ui::FromQString(month_->text()), ui::FromQString(day_->text()));
}

void RirekiDeleteDlgWidget::Refresh() {
  const auto show = [](QLineEdit* edit, const std::string& text) {
    const QString value = ui::ToQString(text);
    if (edit->text() != value) edit->setText(value);
  };
  show(folder_, model_.Folder());
  show(year_, model_.Year());
  show(month_, model_.Month());
  show(day_, model_.Day());
  switch (model_.TakeFocus()) {
    case CRirekiDeleteDlg::Field::Folder: folder_->setFocus(); folder_->selectAll(); break;
    case CRirekiDeleteDlg::Field::Year: year_->setFocus(); year_->selectAll(); break;
    case CRirekiDeleteDlg::Field::Month: month_->setFocus(); month_->selectAll(); break;
    case CRirekiDeleteDlg::Field::Day: day_->setFocus(); day_->selectAll(); break;
    case CRirekiDeleteDlg::Field::None: break;
  }
}

}  // namespace maintenance
