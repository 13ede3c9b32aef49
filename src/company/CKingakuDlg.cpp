#include "company/CKingakuDlg.h"

#include <utility>

#include "company/AutoText.h"
#include "text/Cp932.h"
#include "text/Width.h"

namespace company {

CKingakuDlg::CKingakuDlg(ui::Ui& ui, std::filesystem::path install) : ui_(ui), install_(std::move(install)) {}

void CKingakuDlg::Open() {
  const std::filesystem::path folder = AutoTextFolder(install_);
  const std::string method = ReadAutoText(folder, kRoundingFile).value_or("D");
  rounding_ = method == "U" ? Rounding::Up : method == "F" ? Rounding::HalfUp : Rounding::Down;
  if (auto rate = ReadAutoText(folder, kRateFile)) SetRate(std::move(*rate));
}

const char* CKingakuDlg::RoundingCaption(Rounding r) {
  switch (r) {
    case Rounding::HalfUp: return "四捨五入";
    case Rounding::Up: return "切り上げ";
    default: return "切り捨て";
  }
}

void CKingakuDlg::SetRate(std::string rate) { rate_ = text::CutToCp932Bytes(rate, kRateBytes); }

std::optional<std::string> CKingakuDlg::StoredRate(std::string_view typed) {
  std::string rate = text::FullWidthDigitsToAscii(typed);
  const std::size_t point = rate.find('.');
  const auto digits = [](std::string_view part) {
    return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  const std::string_view whole = std::string_view(rate).substr(0, point);
  const bool number = digits(whole) && (point == std::string::npos || digits(std::string_view(rate).substr(point + 1)));
  if (!number) return std::nullopt;
  return rate;
}

void CKingakuDlg::OnOK() {
  const std::optional<std::string> rate = StoredRate(rate_);
  if (!rate) return ui_.Tell(kBadRate);
  const char* method = rounding_ == Rounding::Up ? "U" : rounding_ == Rounding::HalfUp ? "F" : "D";
  std::string error;
  if (!WriteAutoTexts(AutoTextFolder(install_), {{kRoundingFile, method}, {kRateFile, *rate}}, error)) {
    return ui_.Tell(kSaveFailed);
  }
  EndDialog(true);
}

bool EditKingaku(ui::Ui& ui, const std::filesystem::path& install) {
  CKingakuDlg dialog(ui, install);
  dialog.Open();
  return ui.Run(dialog);
}

}  // namespace company
