#include "maintenance/CCompactDlg.h"

#include "text/Format.h"

namespace maintenance {

namespace fs = std::filesystem;

CCompactDlg::CCompactDlg(ui::Ui& ui, fs::path startFolder, records::COleDate today)
    : ui_(ui), startFolder_(std::move(startFolder)), today_(today) {}

std::string CCompactDlg::DefaultName() const {
  const records::CivilTime t = today_.ToCivil();
  return text::Format("%d%d%d の顧客ﾃﾞｰﾀ.qmv", t.year, t.month, t.day);
}

void CCompactDlg::OnBrowse() {
  const fs::path suggested = file_.empty() ? startFolder_ / DefaultName() : fs::path(file_);
  if (auto chosen = ui_.SaveFile(kTitle, kFilter, suggested)) {
    fs::path file = *chosen;
    if (file.extension().empty()) file += ".qmv";
    file_ = browsed_ = file.string();
    Changed();
  }
}

void CCompactDlg::OnOK() {
  if (file_.empty()) return ui_.Tell(kNoName);
  std::error_code ec;
  if (file_ != browsed_ && fs::exists(file_, ec) && !ui_.Ask(kOverwrite, ui::Answer::No)) return;
  if (!ui_.Ask(kStart)) return;
  EndDialog(true);
}

}  // namespace maintenance
