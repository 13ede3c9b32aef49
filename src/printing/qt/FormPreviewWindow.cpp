#include "printing/qt/FormPreviewWindow.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "printing/qt/FormOutput.h"
#include "printing/qt/FormPreviewWidget.h"

namespace printing {

FormPreviewWindow::FormPreviewWindow(std::shared_ptr<const CFormRenderer> renderer, QWidget* parent)
    : QWidget(parent), renderer_(std::move(renderer)) {
  setWindowTitle(QString::fromStdString(renderer_->Layout().title) + QStringLiteral(" - Quillet"));
  auto* layout = new QVBoxLayout(this);
  preview_ = new FormPreviewWidget(this);
  preview_->SetRenderer(renderer_);
  layout->addWidget(preview_, 1);
  auto* buttons = new QHBoxLayout;
  auto* print = new QPushButton(QStringLiteral("印刷(&P)..."), this);
  auto* pdf = new QPushButton(QStringLiteral("PDFに保存(&S)..."), this);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  for (QPushButton* b : {print, pdf, close}) b->setAccessibleName(b->text().remove(QStringLiteral("(&P)")).remove(QStringLiteral("(&S)")));
  buttons->addStretch();
  buttons->addWidget(print);
  buttons->addWidget(pdf);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(print, &QPushButton::clicked, this, &FormPreviewWindow::Print);
  connect(pdf, &QPushButton::clicked, this, &FormPreviewWindow::SavePdf);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  resize(900, 680);
}

void FormPreviewWindow::Print() { PrintThroughDialog(this, *renderer_); }

void FormPreviewWindow::SavePdf() {
  const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("PDFに保存"),
                                                    QString::fromStdString(renderer_->Layout().title) + ".pdf",
                                                    QStringLiteral("PDF (*.pdf)"));
  if (file.isEmpty()) return;
  QString error;
  if (WritePdfWithProgress(this, *renderer_, file, &error) == OutputResult::Failed) {
    QMessageBox::warning(this, QStringLiteral("Quillet"), error);
  }
}

void ShowQuilletFailure(const QString& text) { QMessageBox::warning(nullptr, QStringLiteral("Quillet"), text); }

}  // namespace printing
