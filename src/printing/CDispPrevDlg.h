#pragma once
// "印刷" of the printing component: forms of the catalogue by category (with the original forms),
// the chosen form's preview picture and a live preview of the customers on it, the first piece of
// a partly used sheet, a joint name's column, the history option where the caller offers it, and
// printer or PDF. The renderer draws the preview in the view; this model decides.

#include <filesystem>
#include <string>
#include <vector>

#include "printing/FormSheet.h"
#include "printing/PrintJob.h"
#include "ui/Ui.h"

namespace platform {
class CProfile;
}

namespace printing {

struct FormChoice {
  std::string title;
  std::string maker;
  int layoutId = 0;
  int motoLayoutId = 0;
  int genre = 0;
};

class CDispPrevDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "印刷";
  static constexpr const char* kNoForm = "フォームを選択してください";
  static constexpr const char* kOriginals = "オリジナルフォーム";
  static constexpr const char* kNoJoint = "（連名なし）";

  CDispPrevDlg(ui::Ui& ui, std::filesystem::path install, platform::CProfile* profile, int caller, bool historyOffered,
               bool historyInitial);
  std::string Title() const override { return kTitle; }
  const std::filesystem::path& Install() const { return install_; }

  void SetCustomers(std::vector<const records::CKokyaku*> customers, HistoryArrays histories);
  const std::vector<const records::CKokyaku*>& Customers() const { return customers_; }
  const HistoryArrays& Histories() const { return histories_; }

  // The categories: the catalogue's top categories, then the original forms when there are any.
  const std::vector<std::string>& Categories() const { return categories_; }
  int Category() const { return category_; }
  void SelectCategory(int index);
  // The forms of the category shown; the chosen row, -1 none.
  const std::vector<FormChoice>& Forms() const { return forms_; }
  int FormRow() const { return formRow_; }
  void SelectForm(int row);
  // The chosen form; layoutId 0 when none.
  FormChoice Chosen() const;
  // The chosen form's layout as the renderer reads it (null when none or unreadable).
  const FormLayout* Layout() const { return layout_ ? &*layout_ : nullptr; }
  // The catalogue's preview picture of the chosen form; empty when there is none.
  std::filesystem::path PreviewPicture() const;

  // First piece (1-based) of a sheet of several pieces; only such forms offer it.
  bool FirstPieceOffered() const { return layout_ && layout_->sheet.Pieces() > 1; }
  int PieceCount() const { return layout_ ? layout_->sheet.Pieces() : 1; }
  int FirstPiece() const { return firstPiece_; }
  void SetFirstPiece(int piece);

  // 連名: the columns a joint addressee's given name may come from (index 0: none).
  const std::vector<std::string>& JointChoices() const { return jointChoices_; }
  int JointChoice() const { return joint_; }
  void SetJointChoice(int index);

  bool HistoryOffered() const { return historyOffered_; }
  bool HistoryChecked() const { return history_; }
  void SetHistoryChecked(bool on) { history_ = historyOffered_ && on; }

  PrintJob::Destination Destination() const { return destination_; }
  void SetDestination(PrintJob::Destination d) { destination_ = d; }
  const std::filesystem::path& PdfFile() const { return pdf_; }

  // The options the preview and the print use (no calibration: the printer is chosen later).
  RenderOptions Options() const;

  // "印刷位置の調整...": the calibration dialog.
  void OnCalibrate();
  // "印刷": needs a form; PDF asks for the file.
  void OnOK();

 private:
  void FillForms();

  ui::Ui& ui_;
  std::filesystem::path install_;
  platform::CProfile* profile_;
  int caller_;
  bool historyOffered_;
  bool history_;
  std::vector<const records::CKokyaku*> customers_;
  HistoryArrays histories_;
  std::vector<std::string> categories_;
  std::vector<std::vector<FormChoice>> catalogue_;  // per category
  int category_ = 0;
  std::vector<FormChoice> forms_;
  int formRow_ = -1;
  std::optional<FormLayout> layout_;
  int firstPiece_ = 1;
  std::vector<std::string> jointChoices_;
  std::vector<std::string> jointColumns_;
  int joint_ = 0;
  PrintJob::Destination destination_ = PrintJob::Destination::Printer;
  std::filesystem::path pdf_;
};

// "印刷位置の調整": a printer's calibration, measured on a printed calibration page.
class CPrintOffsetDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "印刷位置の調整";
  static constexpr const char* kExplanation =
      "調整用紙を印刷し、十字の中心が用紙の左端と上端からそれぞれ20mmの位置になるよう、\n"
      "ずれた距離をmm単位で入力してください（右・下へずらすときは正の値）。";
  static constexpr const char* kBadNumber = "-20から20までの数値を入力してください";
  static constexpr double kLimit = 20;

  CPrintOffsetDlg(ui::Ui& ui, std::filesystem::path install, platform::CProfile* profile);
  std::string Title() const override { return kTitle; }

  const std::vector<std::string>& PrinterNames() const { return printers_; }
  int Printer() const { return printer_; }
  void SelectPrinter(int index);
  std::string XText, YText;

  // "調整用紙を印刷": the calibration page on the printer chosen in the print dialog.
  void OnPrintPage();
  void OnOK();

 private:
  ui::Ui& ui_;
  std::filesystem::path install_;
  platform::CProfile* profile_;
  std::vector<std::string> printers_;
  int printer_ = -1;
};

// The calibration page: crosses 20 mm in from the paper's left and top edges.
FormLayout CalibrationLayout();

}  // namespace printing
