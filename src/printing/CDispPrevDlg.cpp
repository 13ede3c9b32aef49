#include "printing/CDispPrevDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "lumaro/CChuBunrui.h"
#include "lumaro/CDaiBunrui.h"
#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "lumaro/CShoBunrui.h"
#include "platform/CProfile.h"
#include "printing/CQMVDispPrev.h"
#include "text/Format.h"
#include "text/Width.h"

namespace printing {

namespace {

constexpr const char* kSection = "Settings-Print";

FormChoice ChoiceOf(const lumaro::CLayoutInfo& layout, const std::string& maker) {
  return {layout.Title, maker, layout.LayoutID, layout.MotoLayoutID, layout.FormGenre};
}

std::optional<double> ReadMm(const std::string& text) {
  const std::string ascii = text::FullWidthAsciiToAscii(text);
  if (ascii.empty()) return 0.0;
  char* end = nullptr;
  const double value = std::strtod(ascii.c_str(), &end);
  if (end != ascii.c_str() + ascii.size() || value < -CPrintOffsetDlg::kLimit || value > CPrintOffsetDlg::kLimit) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

CDispPrevDlg::CDispPrevDlg(ui::Ui& ui, std::filesystem::path install, platform::CProfile* profile, int caller,
                           bool historyOffered, bool historyInitial)
    : ui_(ui),
      install_(std::move(install)),
      profile_(profile),
      caller_(caller),
      historyOffered_(historyOffered),
      history_(historyOffered && historyInitial) {
  lumaro::CLumaro catalogue(install_, [&ui](std::string_view text) { ui.Tell(text); });
  if (catalogue.ReadDataFile() == 1) {
    for (const auto& top : catalogue.GetIndex()) {
      if (!top) continue;
      std::vector<FormChoice> forms;
      for (const auto& middle : top->Children)
        for (const auto& bottom : middle->Children)
          for (const auto& layout : bottom->Children) {
            // A form without customer data is opened by the form program, not printed here.
            if (layout && layout->FormGenre != lumaro::CLayoutInfo::kGenreNoCustomer) {
              forms.push_back(ChoiceOf(*layout, bottom->Name));
            }
          }
      if (forms.empty()) continue;
      categories_.push_back(top->Name);
      catalogue_.push_back(std::move(forms));
    }
    std::vector<FormChoice> originals;
    for (const auto& layout : catalogue.GetPickUpData()) {
      if (layout && layout->FormGenre != lumaro::CLayoutInfo::kGenreNoCustomer) originals.push_back(ChoiceOf(*layout, {}));
    }
    if (!originals.empty()) {
      categories_.push_back(kOriginals);
      catalogue_.push_back(std::move(originals));
    }
  }
  jointChoices_.push_back(kNoJoint);
  jointColumns_.emplace_back();
  for (int i = 1; i <= 10; ++i) {
    jointChoices_.push_back(text::Format("備考%d", i));
    jointColumns_.push_back(text::Format("Note%d", i));
  }
  if (profile_) {
    const std::string column = profile_->GetString(kSection, "JointColumn", "");
    const auto it = std::find(jointColumns_.begin(), jointColumns_.end(), column);
    if (it != jointColumns_.end()) joint_ = static_cast<int>(it - jointColumns_.begin());
    destination_ = profile_->GetInt(kSection, "Destination", 0) == 1 ? PrintJob::Destination::Pdf
                                                                      : PrintJob::Destination::Printer;
  }
  // Open on the form printed last, when it is still in the catalogue.
  const int last = profile_ ? profile_->GetInt(kSection, "LastLayout", 0) : 0;
  for (std::size_t c = 0; c < catalogue_.size(); ++c) {
    for (std::size_t r = 0; r < catalogue_[c].size(); ++r) {
      if (catalogue_[c][r].layoutId == last && last != 0) {
        SelectCategory(static_cast<int>(c));
        SelectForm(static_cast<int>(r));
        return;
      }
    }
  }
  SelectCategory(0);
}

void CDispPrevDlg::SetCustomers(std::vector<const records::CKokyaku*> customers, HistoryArrays histories) {
  customers_ = std::move(customers);
  histories_ = std::move(histories);
}

void CDispPrevDlg::SelectCategory(int index) {
  if (index < 0 || index >= static_cast<int>(catalogue_.size())) {
    forms_.clear();
    formRow_ = -1;
    layout_.reset();
    return;
  }
  category_ = index;
  forms_ = catalogue_[static_cast<std::size_t>(index)];
  SelectForm(forms_.empty() ? -1 : 0);
}

void CDispPrevDlg::SelectForm(int row) {
  formRow_ = row >= 0 && row < static_cast<int>(forms_.size()) ? row : -1;
  layout_.reset();
  firstPiece_ = 1;
  if (formRow_ < 0) return;
  lumaro::CLumaro catalogue(install_, [this](std::string_view text) { ui_.Tell(text); });
  if (const auto info = catalogue.GetLayoutInfo(forms_[static_cast<std::size_t>(formRow_)].layoutId)) {
    layout_ = ReadFormLayout(*info);
  }
}

FormChoice CDispPrevDlg::Chosen() const {
  return formRow_ >= 0 ? forms_[static_cast<std::size_t>(formRow_)] : FormChoice{};
}

std::filesystem::path CDispPrevDlg::PreviewPicture() const {
  const FormChoice chosen = Chosen();
  if (chosen.layoutId == 0) return {};
  const int id = chosen.layoutId >= lumaro::CLayoutInfo::kFirstOriginalID && chosen.motoLayoutId > 0
                     ? chosen.motoLayoutId
                     : chosen.layoutId;
  std::filesystem::path file = install_ / "Data" / "Preview" / text::Format("%d.jpg", id);
  std::error_code ec;
  return std::filesystem::is_regular_file(file, ec) ? file : std::filesystem::path();
}

void CDispPrevDlg::SetFirstPiece(int piece) { firstPiece_ = std::clamp(piece, 1, PieceCount()); }

void CDispPrevDlg::SetJointChoice(int index) {
  joint_ = std::clamp(index, 0, static_cast<int>(jointChoices_.size()) - 1);
}

RenderOptions CDispPrevDlg::Options() const {
  RenderOptions options;
  options.firstPiece = FirstPieceOffered() ? firstPiece_ - 1 : 0;
  options.jointColumn = jointColumns_[static_cast<std::size_t>(joint_)];
  return options;
}

void CDispPrevDlg::OnCalibrate() {
  CPrintOffsetDlg dialog(ui_, install_, profile_);
  ui_.Run(dialog);
}

void CDispPrevDlg::OnOK() {
  if (formRow_ < 0) return ui_.Tell(kNoForm);
  if (!layout_) return ui_.Tell("レイアウト情報がありません。");
  if (destination_ == PrintJob::Destination::Pdf) {
    const auto file = ui_.SaveFile("PDFに保存", "PDFファイル (*.pdf)|*.pdf||",
                                   Chosen().title + ".pdf");
    if (!file) return;
    pdf_ = *file;
    if (pdf_.extension() != ".pdf" && pdf_.extension() != ".PDF") pdf_ += ".pdf";
  }
  if (profile_) {
    profile_->WriteInt(kSection, "LastLayout", Chosen().layoutId);
    profile_->WriteString(kSection, "JointColumn", jointColumns_[static_cast<std::size_t>(joint_)]);
    profile_->WriteInt(kSection, "Destination", destination_ == PrintJob::Destination::Pdf ? 1 : 0);
  }
  (void)caller_;
  EndDialog(true);
}

CPrintOffsetDlg::CPrintOffsetDlg(ui::Ui& ui, std::filesystem::path install, platform::CProfile* profile)
    : ui_(ui), install_(std::move(install)), profile_(profile), printers_(Printers()) {
  SelectPrinter(printers_.empty() ? -1 : 0);
}

void CPrintOffsetDlg::SelectPrinter(int index) {
  printer_ = index >= 0 && index < static_cast<int>(printers_.size()) ? index : -1;
  const auto [x, y] = printer_ >= 0 ? PrinterCalibration(profile_, printers_[static_cast<std::size_t>(printer_)])
                                    : std::pair{0.0, 0.0};
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", x);
  XText = buffer;
  std::snprintf(buffer, sizeof buffer, "%.1f", y);
  YText = buffer;
}

void CPrintOffsetDlg::OnPrintPage() {
  const FormOutput& output = GetFormOutput();
  if (!output) return ui_.Tell("印刷できません");
  PrintJob job;
  job.layout = CalibrationLayout();
  job.install = install_;
  // The page shows where the printer puts things by itself: no calibration applied.
  job.calibration = [](const std::string&) { return std::pair{0.0, 0.0}; };
  output(job);
}

void CPrintOffsetDlg::OnOK() {
  const auto x = ReadMm(XText), y = ReadMm(YText);
  if (!x || !y) return ui_.Tell(kBadNumber);
  if (printer_ < 0) return EndDialog(false);
  if (!profile_ || !WritePrinterCalibration(*profile_, printers_[static_cast<std::size_t>(printer_)], *x, *y)) {
    return ui_.Tell("設定を保存できませんでした");
  }
  EndDialog(true);
}

FormLayout CalibrationLayout() {
  FormLayout layout;
  layout.layoutId = 0;
  layout.genre = lumaro::CLayoutInfo::kGenreNoCustomer;
  layout.title = "印刷位置の調整用紙";
  layout.sheet = *ParseSheet("paper=A4;orient=P;nx=1;ny=1;x0=0;y0=0;dx=210;dy=297;w=210;h=297;r=0");
  FormField field;
  field.name = "Calibration";
  field.box = {0, 0, 210, 297};
  layout.fields.push_back(field);
  return layout;
}

}  // namespace printing
