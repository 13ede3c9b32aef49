#include "io/CImportTextDlg.h"

namespace io {

void CImportTextDlg::SetOther(std::string_view typed) {
  if (typed.empty()) {
    other_.clear();
    return;
  }
  if (typed.front() == '"') {
    other_.clear();
    Changed();
    ui_.Tell(kNoQuote);
    return;
  }
  // One byte: a character outside ASCII cannot separate cells byte by byte.
  other_ = static_cast<unsigned char>(typed.front()) < 0x80 ? std::string(1, typed.front()) : std::string();
}

char CImportTextDlg::Delimiter() const {
  switch (choice_) {
    case kTab: return '\t';
    case kSpace: return ' ';
    case kOther: return other_.empty() ? '\0' : other_.front();
    default: return ',';
  }
}

void CImportTextDlg::OnOK() {
  if (choice_ == kOther && other_.empty()) return ui_.Tell(kNoOther);
  EndDialog(true);
}

}  // namespace io
