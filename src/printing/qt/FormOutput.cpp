#include "printing/qt/FormOutput.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <memory>

namespace printing {

namespace {

std::unique_ptr<QProgressDialog> Progress(QWidget* parent, int pages) {
  if (!parent || pages < 2) return nullptr;
  auto dialog = std::make_unique<QProgressDialog>(QStringLiteral("印刷しています..."), QStringLiteral("キャンセル"), 0,
                                                  pages, parent);
  dialog->setWindowTitle(QStringLiteral("印刷"));
  dialog->setWindowModality(Qt::WindowModal);
  dialog->setMinimumDuration(300);
  return dialog;
}

std::function<bool(int)> Step(QProgressDialog* dialog) {
  return [dialog](int page) {
    if (!dialog) return true;
    dialog->setValue(page);
    return !dialog->wasCanceled();
  };
}

}  // namespace

namespace {

// The printer set up for the form's paper, chosen in Qt's print dialog; false when cancelled.
bool ChoosePrinter(QWidget* parent, QPrinter& printer, const FormLayout& layout) {
  printer.setFullPage(true);
  printer.setDocName(QString::fromStdString(layout.title));
  const QSizeF mm(layout.sheet.paperW, layout.sheet.paperH);
  printer.setPageLayout(QPageLayout(QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("印刷"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

int SendOut(QWidget* parent, ui::Ui& ui, const PrintJob& job) {
  const SenderTexts sender = SenderTexts::Read(job.install);
  if (job.destination == PrintJob::Destination::Pdf) {
    const CFormRenderer renderer(job.layout, job.customers, job.histories, sender, job.options);
    QString error;
    const QString file = QString::fromStdString(job.pdf.string());
    const OutputResult result = WritePdfWithProgress(parent, renderer, file, &error);
    if (result == OutputResult::Failed) ui.Tell((error + QStringLiteral("\n") + file).toStdString());
    return result == OutputResult::Done ? 1 : 0;
  }
  QPrinter printer(QPrinter::HighResolution);
  if (!ChoosePrinter(parent, printer, job.layout)) return 0;
  RenderOptions options = job.options;
  if (job.calibration) {
    const auto [x, y] = job.calibration(printer.printerName().toStdString());
    options.offsetX += x;
    options.offsetY += y;
  }
  const CFormRenderer renderer(job.layout, job.customers, job.histories, sender, options);
  auto progress = Progress(parent, renderer.PageCount());
  if (!PaintAllPages(renderer, printer, Step(progress.get()))) {
    printer.abort();
    if (!(progress && progress->wasCanceled())) ui.Tell("印刷できませんでした");
    return 0;
  }
  return 1;
}

void InstallQtFormOutput(ui::Ui& ui) {
  SetFormOutput([&ui](const PrintJob& job) { return SendOut(QApplication::activeWindow(), ui, job); });
  SetPrinterList([] {
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(name.toStdString());
    return names;
  });
}

OutputResult PrintThroughDialog(QWidget* parent, const CFormRenderer& renderer, QString* printerName) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);
  printer.setDocName(QString::fromStdString(renderer.Layout().title));
  const QSizeF mm = renderer.PageSizeMm();
  printer.setPageLayout(QPageLayout(QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("印刷"));
  if (dialog.exec() != QDialog::Accepted) return OutputResult::Cancelled;
  if (printerName) *printerName = printer.printerName();
  auto progress = Progress(parent, renderer.PageCount());
  if (!PaintAllPages(renderer, printer, Step(progress.get()))) {
    printer.abort();
    return progress && progress->wasCanceled() ? OutputResult::Cancelled : OutputResult::Failed;
  }
  return OutputResult::Done;
}

OutputResult WritePdfWithProgress(QWidget* parent, const CFormRenderer& renderer, const QString& file, QString* error) {
  auto progress = Progress(parent, renderer.PageCount());
  if (WritePdf(renderer, file, Step(progress.get()), error)) return OutputResult::Done;
  return progress && progress->wasCanceled() ? OutputResult::Cancelled : OutputResult::Failed;
}

}  // namespace printing
