#include "printing/qt/DispPrevDlgWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "printing/qt/CFormRenderer.h"
#include "printing/qt/FormPreviewWidget.h"
#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"

namespace printing {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

DispPrevDlgWidget::DispPrevDlgWidget(CDispPrevDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model), sender_(SenderTexts::Read(model.Install())) {
  setWindowTitle(Q(model.Title()));
  auto* outer = new QVBoxLayout(this);
  auto* body = new QHBoxLayout;
  outer->addLayout(body, 1);

  auto* left = new QVBoxLayout;
  body->addLayout(left);
  category_ = new QComboBox(this);
  for (const auto& c : model.Categories()) category_->addItem(Q(c));
  auto* categoryRow = new QHBoxLayout;
  categoryRow->addWidget(ui::MakeLabel("分類(&C):", this, category_));
  categoryRow->addWidget(category_, 1);
  left->addLayout(categoryRow);
  forms_ = ui::MakeList("フォーム一覧", this);
  left->addWidget(ui::MakeLabel("フォーム一覧(&F):", this, forms_));
  left->addWidget(forms_, 1);
  picture_ = new QLabel(this);
  picture_->setAccessibleName(QStringLiteral("フォームの見本"));
  picture_->setFixedSize(240, 120);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setFrameShape(QFrame::StyledPanel);
  left->addWidget(picture_);

  auto* options = new QGroupBox(QStringLiteral("印刷の設定"), this);
  auto* form = new QFormLayout(options);
  firstPiece_ = new QSpinBox(options);
  firstPiece_->setAccessibleName(QStringLiteral("開始位置"));
  form->addRow(ui::MakeLabel("開始位置(&S):", options, firstPiece_), firstPiece_);
  joint_ = new QComboBox(options);
  for (const auto& j : model.JointChoices()) joint_->addItem(Q(j));
  form->addRow(ui::MakeLabel("連名の名(&J):", options, joint_), joint_);
  printer_ = new QRadioButton(QStringLiteral("プリンタ(&P)"), options);
  pdf_ = new QRadioButton(QStringLiteral("PDFファイル(&D)"), options);
  printer_->setAccessibleName(QStringLiteral("プリンタ"));
  pdf_->setAccessibleName(QStringLiteral("PDFファイル"));
  auto* destination = new QHBoxLayout;
  destination->addWidget(printer_);
  destination->addWidget(pdf_);
  form->addRow(new QLabel(QStringLiteral("出力先:"), options), destination);
  history_ = new QCheckBox(QStringLiteral("履歴に残す(&R)"), options);
  history_->setAccessibleName(QStringLiteral("履歴に残す"));
  history_->setVisible(model.HistoryOffered());
  form->addRow(history_);
  form->addRow(ui::MakeButton("印刷位置の調整...", options, [this] { Act([this] { model_.OnCalibrate(); }); }));
  left->addWidget(options);

  preview_ = new FormPreviewWidget(this);
  preview_->setMinimumSize(380, 320);
  preview_->SetZoom(75);
  body->addWidget(preview_, 1);

  QDialogButtonBox* buttons = ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); });
  buttons->buttons().front()->setText(QStringLiteral("印刷(&O)"));
  buttons->buttons().front()->setAccessibleName(QStringLiteral("印刷"));
  outer->addWidget(buttons);

  connect(category_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i != model_.Category()) Act([this, i] { model_.SelectCategory(i); });
  });
  connect(forms_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row != model_.FormRow()) Act([this, row] { model_.SelectForm(row); });
  });
  connect(firstPiece_, &QSpinBox::valueChanged, this, [this](int v) {
    if (v != model_.FirstPiece()) Act([this, v] { model_.SetFirstPiece(v); });
  });
  connect(joint_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i != model_.JointChoice()) Act([this, i] { model_.SetJointChoice(i); });
  });
  connect(history_, &QCheckBox::toggled, this, [this](bool on) { Act([this, on] { model_.SetHistoryChecked(on); }); });
  connect(printer_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Act([this] { model_.SetDestination(PrintJob::Destination::Printer); });
  });
  connect(pdf_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Act([this] { model_.SetDestination(PrintJob::Destination::Pdf); });
  });
  Refresh();
}

void DispPrevDlgWidget::Refresh() {
  const QSignalBlocker b1(category_), b2(firstPiece_), b3(joint_), b4(history_), b5(printer_), b6(pdf_);
  category_->setCurrentIndex(model_.Category());
  std::vector<std::string> rows;
  for (const auto& f : model_.Forms()) rows.push_back(f.maker.empty() ? f.title : f.title + "（" + f.maker + "）");
  ui::ShowRows(forms_, rows, model_.FormRow());
  firstPiece_->setRange(1, model_.PieceCount());
  firstPiece_->setValue(model_.FirstPiece());
  firstPiece_->setEnabled(model_.FirstPieceOffered());
  joint_->setCurrentIndex(model_.JointChoice());
  history_->setChecked(model_.HistoryChecked());
  printer_->setChecked(model_.Destination() == PrintJob::Destination::Printer);
  pdf_->setChecked(model_.Destination() == PrintJob::Destination::Pdf);
  const std::filesystem::path picture = model_.PreviewPicture();
  QPixmap pixmap(Q(picture.string()));
  picture_->setPixmap(pixmap.isNull() ? QPixmap()
                                      : pixmap.scaled(picture_->size() - QSize(4, 4), Qt::KeepAspectRatio,
                                                      Qt::SmoothTransformation));
  // The catalogue's own picture, when it has one for the form.
  picture_->setVisible(!pixmap.isNull());
  Rebuild();
}

void DispPrevDlgWidget::Rebuild() {
  const int layout = model_.Chosen().layoutId;
  if (layout == shownLayout_ && model_.FirstPiece() == shownFirst_ && model_.JointChoice() == shownJoint_) return;
  shownLayout_ = layout;
  shownFirst_ = model_.FirstPiece();
  shownJoint_ = model_.JointChoice();
  if (!model_.Layout()) {
    preview_->SetRenderer(nullptr);
    return;
  }
  RenderOptions options = model_.Options();
  options.preview = true;
  preview_->SetRenderer(std::make_shared<CFormRenderer>(*model_.Layout(), model_.Customers(), model_.Histories(),
                                                        sender_, options));
}

PrintOffsetDlgWidget::PrintOffsetDlgWidget(CPrintOffsetDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  setWindowTitle(Q(model.Title()));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q(CPrintOffsetDlg::kExplanation), this));
  auto* form = new QFormLayout;
  printers_ = new QComboBox(this);
  for (const auto& p : model.PrinterNames()) printers_->addItem(Q(p));
  form->addRow(ui::MakeLabel("プリンタ(&P):", this, printers_), printers_);
  x_ = new QLineEdit(this);
  y_ = new QLineEdit(this);
  form->addRow(ui::MakeLabel("横方向(mm)(&X):", this, x_), x_);
  form->addRow(ui::MakeLabel("縦方向(mm)(&Y):", this, y_), y_);
  layout->addLayout(form);
  layout->addWidget(ui::MakeButton("調整用紙を印刷...", this, [this] { Act([this] { model_.OnPrintPage(); }); }));
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.XText = x_->text().toStdString();
      model_.YText = y_->text().toStdString();
      model_.OnOK();
    });
  }));
  connect(printers_, &QComboBox::currentIndexChanged, this, [this](int i) { Act([this, i] { model_.SelectPrinter(i); }); });
  Refresh();
}

void PrintOffsetDlgWidget::Refresh() {
  const QSignalBlocker block(printers_);
  printers_->setCurrentIndex(model_.Printer());
  x_->setText(Q(model_.XText));
  y_->setText(Q(model_.YText));
}

}  // namespace printing
