#include "customers/CComboItemDlg.h"

#include <algorithm>

#include "text/Cp932.h"

namespace customers {

CComboItemDlg::CComboItemDlg(ui::Ui& ui, std::size_t textLimit, std::vector<std::string> shown, std::string text)
    : ui_(ui), textLimit_(textLimit), shown_(std::move(shown)) {
  SetText(std::move(text));
}

void CComboItemDlg::SetText(std::string text) { text_ = text::CutToCp932Bytes(text, textLimit_); }

void CComboItemDlg::OnOK() {
  if (text_.empty()) {
    ui_.Tell(kEmptyMessage);
    return;
  }
  if (std::find(shown_.begin(), shown_.end(), text_) != shown_.end()) {
    ui_.Tell(kDuplicateMessage);
    return;
  }
  EndDialog(true);
}

}  // namespace customers
