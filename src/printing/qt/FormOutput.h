#pragma once
// A rendered form sent out: to a printer chosen in Qt's print dialog (any CUPS printer), or into
// a PDF file. Long output shows its progress; cancelling leaves no half-written file.

#include <QString>

#include "printing/PrintJob.h"
#include "printing/qt/CFormRenderer.h"
#include "ui/Ui.h"

class QWidget;

namespace printing {

enum class OutputResult { Done, Cancelled, Failed };

// Qt's print dialog for the form's paper, then every page. printerName receives the printer used.
OutputResult PrintThroughDialog(QWidget* parent, const CFormRenderer& renderer, QString* printerName = nullptr);
// Every page into file, with a progress window under parent (none when parent is null).
OutputResult WritePdfWithProgress(QWidget* parent, const CFormRenderer& renderer, const QString& file, QString* error);

// A job to the printer (the printer's calibration applied once it is chosen) or to its PDF file;
// failures are told through ui. 1 when every page went out.
int SendOut(QWidget* parent, ui::Ui& ui, const PrintJob& job);

// Makes SendOut the printing component's output, and the system's printers its printer list.
void InstallQtFormOutput(ui::Ui& ui);

}  // namespace printing
