#pragma once
// A dialog of the import that asks for one of a few choices by radio buttons: the format of the
// data ("データの取り込み"), one ContactXML file or a folder ("XMLファイルの指定"), and the ledger of
// the sibling product ("ミルテデータの取り込み").

#include <string>
#include <vector>

#include "ui/Ui.h"

namespace io {

class CImportOptionDlg : public ui::CDialogModel {
 public:
  CImportOptionDlg(std::string title, std::string prompt, std::vector<std::string> options, std::string okCaption,
                   int selection = 0)
      : title_(std::move(title)), prompt_(std::move(prompt)), options_(std::move(options)), okCaption_(std::move(okCaption)),
        selection_(selection) {}

  // "データの取り込み" with its four formats, "次へ >" going on.
  static CImportOptionDlg Format();
  // "XMLファイルの指定".
  static CImportOptionDlg XmlSource();
  // "ミルテデータの取り込み".
  static CImportOptionDlg MirteSource();

  std::string Title() const override { return title_; }
  const std::string& Prompt() const { return prompt_; }
  const std::vector<std::string>& Options() const { return options_; }
  const std::string& OkCaption() const { return okCaption_; }
  int Selection() const { return selection_; }
  void Select(int option) {
    if (option >= 0 && option < static_cast<int>(options_.size())) selection_ = option;
  }
  void OnOK() { EndDialog(true); }

 private:
  std::string title_, prompt_;
  std::vector<std::string> options_;
  std::string okCaption_;
  int selection_;
};

}  // namespace io
