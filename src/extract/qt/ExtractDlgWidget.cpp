#include "extract/qt/ExtractDlgWidget.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"

namespace extract {

namespace {

using ui::ToQString;

QComboBox* MakeCombo(QWidget* parent, const char* name, bool editable = false) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(editable);
  combo->setAccessibleName(QString::fromUtf8(name));
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(9);
  return combo;
}

QComboBox* MakeConnector(QWidget* parent, const char* name) {
  QComboBox* combo = MakeCombo(parent, name);
  combo->setMinimumContentsLength(5);
  for (const char* label : kConnectorLabels) combo->addItem(QString::fromUtf8(label));
  return combo;
}

Connector ConnectorAt(int row) { return row < 0 ? Connector::None : static_cast<Connector>(row + 1); }
int RowOf(Connector c) { return c == Connector::None ? -1 : static_cast<int>(c) - 1; }

}  // namespace

ExtractDlgWidget::ExtractDlgWidget(CExtractDlg& model, QWidget* parent) : ui::ModelDialog(model, parent), model_(model) {
  auto* conditions = new QGroupBox(QString::fromUtf8("抽出条件"), this);
  conditions->setAccessibleName(conditions->title());
  auto* grid = new QGridLayout(conditions);
  for (int k = 0; k < 3; ++k) {
    const std::string letter(1, static_cast<char>('A' + k));
    Row& row = rows_[static_cast<std::size_t>(k)];
    const std::string caption = "条件<" + letter + ">";
    row.item = MakeCombo(conditions, (caption + " 項目").c_str());
    row.item->setMaxVisibleItems(20);
    row.value = MakeCombo(conditions, (caption + " 条件").c_str(), true);
    row.colour = MakeCombo(conditions, (caption + " 色").c_str());
    row.op = MakeCombo(conditions, (caption + " 比較式").c_str());
    row.label = ui::MakeLabel(caption, conditions, row.item);
    row.label->setTextFormat(Qt::PlainText);  // "<A>" is the label's text, not markup
    for (const Item& item : model_.Items()) row.item->addItem(ToQString(item.label));
    for (const auto& colour : model_.Colours()) row.colour->addItem(ToQString(colour.name));
    row.valueLabel = ui::MakeLabel("条件", conditions, row.value);
    auto* line = new QHBoxLayout;
    line->addWidget(row.item, 1);
    line->addWidget(row.valueLabel);
    line->addWidget(row.value, 1);
    line->addWidget(row.colour, 1);
    line->addWidget(ui::MakeLabel("比較式", conditions, row.op));
    line->addWidget(row.op);
    grid->addWidget(row.label, 2 * k, 0);
    grid->addLayout(line, 2 * k, 1);
    connect(row.item, &QComboBox::activated, this, [this, k](int i) { Act([&] { model_.SelectItem(k, i); }); });
    connect(row.op, &QComboBox::activated, this, [this, k](int i) { model_.SelectOperator(k, i); });
    connect(row.colour, &QComboBox::activated, this, [this, k](int i) { model_.SelectColour(k, i); });
    connect(row.value, &QComboBox::editTextChanged, this, [this, k](const QString& t) { model_.SetValue(k, ui::FromQString(t)); });
  }
  ab_ = MakeConnector(conditions, "条件<A>と条件<B>のつなぎ");
  bc_ = MakeConnector(conditions, "条件<B>と条件<C>のつなぎ");
  grid->addWidget(ui::MakeLabel("A と B", conditions, ab_), 1, 0);
  grid->addWidget(ab_, 1, 1, Qt::AlignLeft);
  grid->addWidget(ui::MakeLabel("B と C", conditions, bc_), 3, 0);
  grid->addWidget(bc_, 3, 1, Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
  connect(ab_, &QComboBox::activated, this, [this](int i) { Act([&] { model_.SetAB(ConnectorAt(i)); }); });
  connect(bc_, &QComboBox::activated, this, [this](int i) { Act([&] { model_.SetBC(ConnectorAt(i)); }); });
  grid->addWidget(ui::MakeLabel("※（A  B）  C  の優先順になります", conditions), 6, 0, 1, 2);
  grid->addWidget(ui::MakeLabel("※項目が日付の場合、 yyyy/mm/dd と入力してください。\n時刻は無視します。", conditions), 7, 0, 1, 2);

  auto* result = new QGroupBox(QString::fromUtf8("抽出結果"), this);
  result->setAccessibleName(result->title());
  auto* resultRow = new QHBoxLayout(result);
  customers_ = new QRadioButton(QString::fromUtf8("顧客一覧"), result);
  columns_ = ui::MakeButton("顧客一覧の表示設定...", result, [this] { Act([this] { model_.OnColumns(); }); });
  history_ = new QRadioButton(QString::fromUtf8("履歴一覧"), result);
  customers_->setAccessibleName(customers_->text());
  history_->setAccessibleName(history_->text());
  resultRow->addWidget(customers_);
  resultRow->addWidget(columns_);
  resultRow->addWidget(history_);
  resultRow->addStretch();
  connect(customers_, &QRadioButton::clicked, this, [this] { Act([this] { model_.SetResultType(settings::CExCondition::kCustomers); }); });
  connect(history_, &QRadioButton::clicked, this, [this] { Act([this] { model_.SetResultType(settings::CExCondition::kHistory); }); });

  auto* savedGroup = new QGroupBox(QString::fromUtf8("保存済み条件"), this);
  savedGroup->setAccessibleName(savedGroup->title());
  auto* savedLayout = new QVBoxLayout(savedGroup);
  saved_ = ui::MakeList("保存済み条件", savedGroup);
  savedLayout->addWidget(saved_, 1);
  auto* savedButtons = new QHBoxLayout;
  rename_ = ui::MakeButton("名前の変更...", savedGroup, [this] { Act([this] { model_.OnRename(); }); });
  delete_ = ui::MakeButton("条件を削除", savedGroup, [this] { Act([this] { model_.OnDelete(); }); });
  savedButtons->addWidget(rename_);
  savedButtons->addWidget(delete_);
  savedLayout->addLayout(savedButtons);
  connect(saved_, &QListWidget::currentRowChanged, this, [this](int r) {
    if (r >= 0 && r != model_.SavedSelection()) Act([&] { model_.SelectSaved(r); });
  });

  auto* buttons = new QHBoxLayout;
  preExtract_ = ui::MakeButton("通常、顧客一覧をこの条件で抽出して表示する", this, [this] { Act([this] { model_.OnSetPreExtraction(); }); });
  extract_ = ui::MakeButton("抽出実行", this, [this] { Act([this] { model_.OnOK(); }); });
  save_ = ui::MakeButton("条件を保存...", this, [this] { Act([this] { model_.OnSave(); }); });
  QPushButton* cancel = ui::MakeButton("ｷｬﾝｾﾙ", this, [this] { reject(); });
  buttons->addWidget(preExtract_);
  buttons->addStretch();
  buttons->addWidget(extract_);
  buttons->addWidget(save_);
  buttons->addWidget(cancel);
  const bool pre = model_.PreExtractionShown();
  preExtract_->setVisible(pre);
  preExtract_->setDefault(pre);
  extract_->setDefault(!pre);
  extract_->setEnabled(model_.ExtractEnabled());
  save_->setVisible(model_.SaveShown());

  auto* top = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(conditions);
  left->addWidget(result);
  left->addStretch();
  top->addLayout(left, 3);
  top->addWidget(savedGroup, 1);
  saved_->setMinimumWidth(140);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  resize(980, 480);
  Refresh();
}

void ExtractDlgWidget::FillRow(int k) {
  Row& row = rows_[static_cast<std::size_t>(k)];
  const CExtractDlg::ConditionState& c = model_.Condition(k);
  const QSignalBlocker q1(row.item), q2(row.value), q3(row.op), q4(row.colour);
  row.item->setCurrentIndex(c.item);
  if (row.shownItem != c.item) {
    row.shownItem = c.item;
    row.op->clear();
    for (const Operator& op : c.ops) row.op->addItem(ToQString(op.label));
    row.value->clear();
    for (const std::string& v : c.values) row.value->addItem(ToQString(v));
    const std::string field = c.item >= 0 ? model_.Items()[static_cast<std::size_t>(c.item)].field : std::string();
    const InputMode mode = InputModeOf(field);
    row.value->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, mode != InputMode::Off);
    row.value->lineEdit()->setProperty("imeMode", mode == InputMode::Katakana ? QStringLiteral("halfKatakana") : QString());
  }
  row.op->setCurrentIndex(c.op);
  row.colour->setCurrentIndex(c.colourRow);
  if (row.value->currentText() != ToQString(c.value)) row.value->setEditText(ToQString(c.value));
  row.value->setVisible(!c.colour);
  row.colour->setVisible(c.colour);
  row.valueLabel->setBuddy(c.colour ? row.colour : row.value);
  const bool enabled = model_.ConditionEnabled(k);
  for (QWidget* w : {static_cast<QWidget*>(row.label), static_cast<QWidget*>(row.valueLabel), static_cast<QWidget*>(row.item), static_cast<QWidget*>(row.value),
                     static_cast<QWidget*>(row.colour), static_cast<QWidget*>(row.op)}) {
    w->setEnabled(enabled);
  }
}

void ExtractDlgWidget::Refresh() {
  for (int k = 0; k < 3; ++k) FillRow(k);
  {
    const QSignalBlocker q1(ab_), q2(bc_);
    ab_->setCurrentIndex(RowOf(model_.AB()));
    bc_->setCurrentIndex(RowOf(model_.BC()));
    bc_->setEnabled(model_.ConditionEnabled(1));
  }
  customers_->setChecked(model_.ResultType() == settings::CExCondition::kCustomers);
  history_->setChecked(model_.ResultType() == settings::CExCondition::kHistory);
  customers_->setEnabled(model_.ResultTypeEnabled(settings::CExCondition::kCustomers));
  history_->setEnabled(model_.ResultTypeEnabled(settings::CExCondition::kHistory));
  columns_->setEnabled(model_.ColumnsEnabled());
  rename_->setEnabled(model_.RenameEnabled());
  delete_->setEnabled(model_.DeleteEnabled());
  ui::ShowRows(saved_, model_.SavedNames(), model_.SavedSelection());
}

}  // namespace extract
