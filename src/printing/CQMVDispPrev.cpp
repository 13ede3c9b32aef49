#include "printing/CQMVDispPrev.h"

#include <cstdio>

#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "platform/CProfile.h"
#include "printing/CDispPrevDlg.h"

namespace printing {

namespace {
constexpr const char* kSection = "Settings-Print";
}

std::pair<double, double> PrinterCalibration(const platform::CProfile* profile, const std::string& printer) {
  if (!profile) return {0, 0};
  const std::string value = profile->GetString(kSection, "Offset:" + printer, "");
  double x = 0, y = 0;
  if (std::sscanf(value.c_str(), "%lf,%lf", &x, &y) != 2) return {0, 0};
  return {x, y};
}

bool WritePrinterCalibration(platform::CProfile& profile, const std::string& printer, double x, double y) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f,%.1f", x, y);
  return profile.WriteString(kSection, "Offset:" + printer, text);
}

CQMVDispPrev::CQMVDispPrev(ui::Ui& ui, std::filesystem::path install, platform::CProfile* profile)
    : ui_(ui), install_(std::move(install)), profile_(profile) {}

void CQMVDispPrev::SetPreviewCustomers(std::vector<const records::CKokyaku*> customers, HistoryArrays histories) {
  previewCustomers_ = std::move(customers);
  previewHistories_ = std::move(histories);
}

int CQMVDispPrev::CallDispPrevDlg(int caller, int historyOffered, int historyInitial) {
  CDispPrevDlg dialog(ui_, install_, profile_, caller, historyOffered != 0, historyInitial != 0);
  dialog.SetCustomers(previewCustomers_, previewHistories_);
  if (!ui_.Run(dialog)) return 0;
  LayoutID = dialog.Chosen().layoutId;
  MotoLayoutID = dialog.Chosen().motoLayoutId;
  FormGenre = dialog.Chosen().genre;
  History = dialog.HistoryChecked() ? 1 : 0;
  Options = dialog.Options();
  Destination = dialog.Destination();
  PdfFile = dialog.PdfFile();
  return 1;
}

int CQMVDispPrev::CallQuilletFormType1(const std::vector<const records::CKokyaku*>& customers) {
  return Print(customers, {});
}

int CQMVDispPrev::CallQuilletFormType2(const std::vector<const records::CKokyaku*>& customers,
                                       const HistoryArrays& histories) {
  return Print(customers, histories);
}

int CQMVDispPrev::Print(const std::vector<const records::CKokyaku*>& customers, HistoryArrays histories) {
  lumaro::CLumaro catalogue(install_, [this](std::string_view text) { ui_.Tell(text); });
  const auto info = catalogue.GetLayoutInfo(LayoutID);
  auto layout = info ? ReadFormLayout(*info) : std::nullopt;
  if (!layout) {
    ui_.Tell("レイアウト情報がありません。");
    return 0;
  }
  const FormOutput& output = GetFormOutput();
  if (!output) {
    ui_.Tell("印刷できません");
    return 0;
  }
  PrintJob job;
  job.layout = std::move(*layout);
  job.customers = customers;
  job.histories = std::move(histories);
  job.options = Options;
  job.destination = Destination;
  job.pdf = PdfFile;
  job.install = install_;
  job.calibration = [profile = profile_](const std::string& printer) { return PrinterCalibration(profile, printer); };
  return output(job) ? 1 : 0;
}

}  // namespace printing
