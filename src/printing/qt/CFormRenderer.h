#pragma once
// Draws customers onto a catalogue form: the same code paints the preview, the printer's pages,
// PDF files and the catalogue's preview pictures. It knows nothing of dialogs. The painter it is
// given works in millimetres with the page's top-left at the origin.

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "printing/FormPlan.h"
#include "printing/FormSheet.h"
#include "printing/FormText.h"
#include "printing/PrintJob.h"
#include "records/CKokyaku.h"
#include "records/CRirekiData.h"

class QPainter;
class QPagedPaintDevice;

namespace printing {

class CFormRenderer {
 public:
  // customers and the history records stay owned by the caller and must outlive the renderer;
  // histories: genre 4, one array per customer in the same order (missing arrays print none).
  CFormRenderer(FormLayout layout, std::vector<const records::CKokyaku*> customers, HistoryArrays histories,
                SenderTexts sender, RenderOptions options = {});

  int PageCount() const { return plan_.PageCount(); }
  QSizeF PageSizeMm() const { return {layout_.sheet.paperW, layout_.sheet.paperH}; }
  const FormLayout& Layout() const { return layout_; }
  const FormPlan& Plan() const { return plan_; }

  // Paints page (0-based) on painter, whose unit is the millimetre.
  void PaintPage(QPainter& painter, int page) const;

 private:
  void PaintPiece(QPainter& p, const RectMm& piece, const PlacedPiece& placed) const;
  void PaintField(QPainter& p, const FormField& f, const records::CKokyaku* k, const PlacedPiece& placed) const;

  FormLayout layout_;
  std::vector<const records::CKokyaku*> customers_;
  HistoryArrays histories_;
  SenderTexts sender_;
  RenderOptions options_;
  FormPlan plan_;
};

// The page drawn on a white image at dpi.
QImage RenderPageImage(const CFormRenderer& renderer, int page, double dpi);

// Makes the text of a PDF written by Qt read back as the ideographs drawn (see the .cpp).
void RepairPdfTextMapping(QByteArray& pdf);

// Sets painter on device (whose page is the form's paper) to millimetres.
void BeginMillimetres(QPainter& painter, const QPaintDevice& device);

// Writes every page into a PDF file. progress is told each page before it is drawn and may
// answer false to stop. The file appears only when complete (written beside it and renamed);
// false with nothing left behind when stopped or when it cannot be written (error says why).
bool WritePdf(const CFormRenderer& renderer, const QString& file, const std::function<bool(int)>& progress,
              QString* error);

// Draws every page on a paged device already set up (a printer): one newPage between pages.
// false when progress stopped it.
bool PaintAllPages(const CFormRenderer& renderer, QPagedPaintDevice& device, const std::function<bool(int)>& progress);

}  // namespace printing
