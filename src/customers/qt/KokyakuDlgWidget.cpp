#include "customers/qt/KokyakuDlgWidget.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/ChoiceListComboBox.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"
#include "ui/qt/ScreenFit.h"

namespace customers {

KokyakuDlgWidget::KokyakuDlgWidget(CKokyakuDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model), bind_(model.Form(), this, false) {
  setWindowTitle(ui::ToQString(model_.Title()));
  actions_.postal = [this](AddressBlock block) { Act([this, block] { model_.OnPostalLookup(block); }); };
  actions_.phone = [this](AddressBlock block) { Act([this, block] { model_.OnPhoneLookup(block); }); };
  actions_.openUrl = [this](const std::string& column) { Act([this, column] { model_.OnOpenUrl(column); }); };
  // The fields scroll on a small screen; the buttons below them stay in view.
  auto* page = new QWidget(this);
  auto* fields = new QVBoxLayout(page);
  fields->setContentsMargins(0, 0, 0, 0);
  fields->addWidget(BuildBasic());
  BuildBlocks(fields);
  auto* layout = new QVBoxLayout(this);
  BuildButtons(layout);
  layout->insertWidget(0, ui::ScrollPage(page, this), 1);
  Refresh();
}

QWidget* KokyakuDlgWidget::BuildBasic() {
  auto* box = new QGroupBox(QString::fromUtf8("基本情報"), this);
  box->setAccessibleName(box->title());
  auto* grid = new QGridLayout(box);
  int column = 0, row = 0;
  const auto add = [&](const char* caption, QWidget* field) {
    if (caption) grid->addWidget(ui::MakeLabel(caption, box, field), row, column);
    grid->addWidget(field, row, column + 1);
    column += 2;
  };
  const auto next = [&] { ++row, column = 0; };
  const bool birthDay = model_.Kind() != CardKind::Company;

  add("お客様ｺｰﾄﾞ", bind_.Edit("CustomerID", "お客様ｺｰﾄﾞ"));
  add("個人/法人", bind_.Values("EntryType", "個人/法人", CodedItems("EntryType")));
  add(nullptr, bind_.Check("CustomerType", "見込み客"));
  next();
  add("氏名", bind_.Edit("Name", "氏名"));
  add("敬称", bind_.Suggestions("Suffix", "敬称", SuffixTexts()));
  add("ﾌﾘｶﾞﾅ", bind_.Edit("Yomi", "ﾌﾘｶﾞﾅ"));
  next();
  add("性別", bind_.Values("Sex", "性別", CodedItems("Sex")));
  if (birthDay) add("生年月日", bind_.Edit("BirthDay", "生年月日"));
  if (!birthDay) column += 2;
  add("自社担当者", bind_.ChoiceList("TantouName", "自社担当者", CKokyakuDlg::kStaffList, model_.ChoiceUi(),
                                     model_.Install()));
  next();
  const std::string rank1 = model_.Caption("Ranking1", "ﾗﾝｷﾝｸﾞ１"), rank2 = model_.Caption("Ranking2", "ﾗﾝｷﾝｸﾞ２");
  add("重要度", bind_.ChoiceList("ImportantRanking", "重要度", CKokyakuDlg::kImportantList, model_.ChoiceUi(),
                                 model_.Install()));
  add(rank1.c_str(), bind_.ChoiceList("Ranking1", rank1.c_str(), CKokyakuDlg::kRank1List, model_.ChoiceUi(),
                                      model_.Install()));
  add(rank2.c_str(), bind_.ChoiceList("Ranking2", rank2.c_str(), CKokyakuDlg::kRank2List, model_.ChoiceUi(),
                                      model_.Install()));
  next();
  add("ｶﾗｰ", bind_.Colours("ｶﾗｰ"));
  add("登録日", bind_.DateText("StartDate", "登録日"));
  add("最終更新日", bind_.DateText("LastUpDate", "最終更新日"));
  for (int c : {1, 3, 5}) grid->setColumnStretch(c, 1);
  return box;
}

void KokyakuDlgWidget::BuildBlocks(QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  switch (model_.Kind()) {
    case CardKind::Normal:
      row->addWidget(HomeBlock(bind_, this, actions_, QString::fromUtf8("自宅情報(個人客送り先)"), false));
      row->addWidget(CompanyBlock(bind_, this, actions_, QString::fromUtf8("会社基本情報(法人客送り先)")));
      break;
    case CardKind::Person:
      row->addWidget(HomeBlock(bind_, this, actions_, QString::fromUtf8("自宅情報(個人客送り先)"), false));
      break;
    case CardKind::Company:
      row->addWidget(CompanyBlock(bind_, this, actions_, QString::fromUtf8("会社基本情報(法人客送り先)")));
      row->addWidget(CompanyDetailBlock(bind_, this, model_.ChoiceUi(), model_.Install()));
      break;
  }
  layout->addLayout(row);
  const std::string note = model_.Caption("Note1", "備考１");
  auto* noteRow = new QHBoxLayout;
  QLineEdit* noteEdit = bind_.Edit("Note1", note.c_str());
  noteRow->addWidget(ui::MakeLabel(note, this, noteEdit));
  noteRow->addWidget(noteEdit, 1);
  layout->addLayout(noteRow);
}

void KokyakuDlgWidget::BuildButtons(QVBoxLayout* layout) {
  const char* typeButton = "会社詳細...";
  if (model_.TypeSubDialog() == SubKind::CompanyInfo) typeButton = "会社情報...";
  if (model_.TypeSubDialog() == SubKind::HomeInfo) typeButton = "個人情報...";
  auto* row = new QHBoxLayout;
  row->addWidget(ui::MakeButton(typeButton, this, [this] { Act([this] { model_.OnSubDialog(model_.TypeSubDialog()); }); }));
  row->addWidget(ui::MakeButton("さらに備考...", this, [this] { Act([this] { model_.OnSubDialog(SubKind::Notes); }); }));
  row->addWidget(ui::MakeButton("写真...", this, [this] { Act([this] { model_.OnPictures(); }); }));
  row->addStretch();
  previous_ = ui::MakeButton("前へ", this, [this] { Act([this] { model_.OnPrevious(); }); });
  next_ = ui::MakeButton("次へ", this, [this] { Act([this] { model_.OnNext(); }); });
  ok_ = ui::MakeButton(model_.OkCaption(), this, [this] { Act([this] { model_.OnOK(); }); });
  close_ = ui::MakeButton("閉じる", this, [this] { reject(); });
  previous_->setVisible(model_.StepButtonsShown());
  next_->setVisible(model_.StepButtonsShown());
  ok_->setEnabled(model_.OkEnabled());
  for (QPushButton* b : {previous_, next_, ok_, close_}) {
    b->setAutoDefault(false);
    row->addWidget(b);
  }
  layout->addLayout(row);
}

void KokyakuDlgWidget::SetStepButton(QPushButton* button, bool enabled, QPushButton* other) {
  // A button about to be disabled hands its focus on, so the keyboard user is not left nowhere.
  if (!enabled && button->hasFocus()) other->setFocus();
  button->setEnabled(enabled);
}

void KokyakuDlgWidget::Refresh() {
  bind_.Refresh();
  SetStepButton(previous_, model_.PreviousEnabled(), next_);
  SetStepButton(next_, model_.NextEnabled(), previous_);
  const std::string focus = model_.TakeFocus();
  if (!focus.empty()) bind_.Focus(focus);
}

void KokyakuDlgWidget::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter) return ui::ModelDialog::keyPressEvent(event);
  // Enter goes from field to field as on a paper form; on a button it presses the button.
  if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) return button->click();
  focusNextChild();
}

}  // namespace customers
