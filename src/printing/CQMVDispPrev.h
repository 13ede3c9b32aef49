#pragma once
// The printing component: a dialog to choose a form from the catalogue and see the customers on
// it, then the print itself. After CallDispPrevDlg returns 1 it holds the chosen layout ID, base
// layout ID, form genre and history option (in this order), and the print options the dialog
// set; CallQuilletFormType1/2 print with them through the installed output (PrintJob.h).

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "printing/PrintJob.h"
#include "ui/Ui.h"

namespace platform {
class CProfile;
}

namespace printing {

class CQMVDispPrev {
 public:
  // profile keeps the print options and each printer's calibration (may be null).
  CQMVDispPrev(ui::Ui& ui, std::filesystem::path install, platform::CProfile* profile);

  // The customers the dialog previews (and for a customer card their history); the caller keeps them.
  void SetPreviewCustomers(std::vector<const records::CKokyaku*> customers, HistoryArrays histories = {});

  // caller: 1 DM printing, 0 customer printing. 1 when a form was chosen and printing asked for.
  int CallDispPrevDlg(int caller, int historyOffered, int historyInitial);
  void SetPictureDir(const std::filesystem::path& folder) { pictureDir_ = folder; }
  const std::filesystem::path& PictureDir() const { return pictureDir_; }

  // Nonzero when printed. The layout fields select the form.
  int CallQuilletFormType1(const std::vector<const records::CKokyaku*>& customers);
  // As Type1, with one history array per customer in the same order (form genre 4).
  int CallQuilletFormType2(const std::vector<const records::CKokyaku*>& customers, const HistoryArrays& histories);

  std::int32_t LayoutID = 0;
  std::int32_t MotoLayoutID = 0;
  std::int32_t FormGenre = 0;
  std::int32_t History = 0;
  RenderOptions Options;
  PrintJob::Destination Destination = PrintJob::Destination::Printer;
  std::filesystem::path PdfFile;

 private:
  int Print(const std::vector<const records::CKokyaku*>& customers, HistoryArrays histories);

  ui::Ui& ui_;
  std::filesystem::path install_;
  platform::CProfile* profile_;
  std::filesystem::path pictureDir_;
  std::vector<const records::CKokyaku*> previewCustomers_;
  HistoryArrays previewHistories_;
};

// The calibration kept for a printer in the profile: (x, y) mm, (0, 0) when none.
std::pair<double, double> PrinterCalibration(const platform::CProfile* profile, const std::string& printer);
bool WritePrinterCalibration(platform::CProfile& profile, const std::string& printer, double x, double y);

}  // namespace printing
