#pragma once
// The About box: the program's name and version.

#include <string>

#include "ui/Ui.h"

namespace shell {

class CAboutDlg : public ui::CDialogModel {
 public:
  explicit CAboutDlg(int versionNumber);
  std::string Title() const override { return "バージョン情報"; }
  // "顧客ソレル\nVersion 1.00" for 100.
  const std::string& Text() const { return text_; }
  void OnOK() { EndDialog(true); }

 private:
  std::string text_;
};

}  // namespace shell
