#include "customers/qt/KokyakuSubDlgWidget.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"
#include "ui/qt/ScreenFit.h"

namespace customers {

KokyakuSubDlgWidget::KokyakuSubDlgWidget(CKokyakuSubDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model), bind_(model.Form(), this, true) {
  setWindowTitle(ui::ToQString(model_.Title()));
  actions_.postal = [this](AddressBlock) { Act([this] { model_.OnPostalLookup(); }); };
  actions_.phone = [this](AddressBlock) { Act([this] { model_.OnPhoneLookup(); }); };
  // The URL buttons open links from the main page only; here they are ordinary fields.
  actions_.openUrl = [](const std::string&) {};
  // The fields scroll on a small screen; OK and cancel stay in view.
  auto* page = new QWidget(this);
  auto* fields = new QVBoxLayout(page);
  fields->setContentsMargins(0, 0, 0, 0);
  BuildFields(fields);
  auto* layout = new QVBoxLayout(this);
  const std::string cancel = model_.CancelCaption();
  QDialogButtonBox* buttons = ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }, cancel.c_str());
  if (model_.IsViewOnly()) ui::MakeViewOnly(buttons);
  layout->addWidget(ui::ScrollPage(page, this), 1);
  layout->addWidget(buttons);
  Refresh();
}

void KokyakuSubDlgWidget::BuildFields(QVBoxLayout* layout) {
  switch (model_.Kind()) {
    case SubKind::Notes: return BuildNotes(layout);
    case SubKind::CompanyDetails:
      layout->addWidget(CompanyDetailBlock(bind_, this, model_.ChoiceUi(), model_.Install()));
      return;
    case SubKind::CompanyInfo: {
      auto* row = new QHBoxLayout;
      row->addWidget(CompanyBlock(bind_, this, actions_, QString::fromUtf8("会社基本情報(法人客送り先)")));
      row->addWidget(CompanyDetailBlock(bind_, this, model_.ChoiceUi(), model_.Install()));
      layout->addLayout(row);
      return;
    }
    case SubKind::HomeInfo:
      layout->addWidget(HomeBlock(bind_, this, actions_, QString::fromUtf8("自宅情報(個人客送り先)"), true));
      return;
  }
}

void KokyakuSubDlgWidget::BuildNotes(QVBoxLayout* layout) {
  layout->addWidget(ui::MakeLabel("備考1～１０を入力してください（検索のキーワードとして利用もできます）", this));
  auto* grid = new QGridLayout;
  for (int i = 0; i < 10; ++i) {
    const std::string caption = model_.NoteCaption(i);
    const std::string column = "Note" + std::to_string(i + 1);
    QLineEdit* edit = bind_.Edit(column, caption.c_str());
    grid->addWidget(ui::MakeLabel(caption, this, edit), i, 0);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QChar(0x3042)) * 30);
    grid->addWidget(edit, i, 1);
  }
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);
}

void KokyakuSubDlgWidget::Refresh() {
  bind_.Refresh();
  const std::string focus = model_.Form().TakeFocus();
  if (!focus.empty()) bind_.Focus(focus);
}

}  // namespace customers
