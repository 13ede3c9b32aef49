#pragma once
// "ｵﾘｼﾞﾅﾙﾌｫｰﾑ名の変更と削除": the user's original forms, renamed one at a time or deleted
// several at once (with the form program's ".org" file of each), and the name dialog it opens.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Ui.h"

namespace lumaro {
class CLumaro;
}

namespace printing {

class COriginalNameDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "オリジナルフォーム名の変更";
  static constexpr const char* kPrompt = "新しい名前を入力してください";
  static constexpr const char* kEmpty = "フォーム名を入力してください";
  static constexpr const char* kTooLong = "フォーム名は200バイト（全角100文字）以内で入力してください";
  static constexpr std::size_t kMaxBytes = 200;

  COriginalNameDlg(ui::Ui& ui, std::string name) : ui_(ui), Name(std::move(name)) {}
  std::string Title() const override { return kTitle; }
  void OnOK();

 private:
  ui::Ui& ui_;

 public:
  std::string Name;
};

class COriginalFormDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "ｵﾘｼﾞﾅﾙﾌｫｰﾑ名の変更と削除";
  static constexpr const char* kText =
      "フォーム名の変更・削除を行います。\nリストからフォームを選択して操作ボタンをクリックしてください。";
  static constexpr const char* kListCaption = "オリジナルフォーム一覧";
  static constexpr const char* kRenameCaption = "名前の変更";
  static constexpr const char* kDeleteCaption = "フォームの削除";
  static constexpr const char* kCloseCaption = "とじる";

  // changed is told whenever the originals file changed (the menu screen's list follows).
  COriginalFormDlg(ui::Ui& ui, std::filesystem::path install, std::function<void()> changed);
  ~COriginalFormDlg() override;
  std::string Title() const override { return kTitle; }

  // The originals' titles in list order.
  const std::vector<std::string>& Rows() const { return rows_; }
  const std::vector<int>& Selection() const { return selection_; }
  void SetSelection(std::vector<int> rows);
  bool RenameEnabled() const { return selection_.size() == 1; }
  bool DeleteEnabled() const { return !selection_.empty(); }

  void OnRename();
  void OnDelete();

  // The ".org" file the form program keeps for an original form.
  static std::filesystem::path OrgFile(const std::filesystem::path& install, int layoutId);

 private:
  void Load();

  ui::Ui& ui_;
  std::filesystem::path install_;
  std::function<void()> changed_;
  std::unique_ptr<lumaro::CLumaro> catalogue_;
  std::vector<std::string> rows_;
  std::vector<int> ids_;
  std::vector<int> selection_;
};

// 設定 › 印刷について › ｵﾘｼﾞﾅﾙﾌｫｰﾑ名の変更・削除...: closes at once when there are no originals.
void EditOriginalForms(ui::Ui& ui, const std::filesystem::path& install, const std::function<void()>& changed);

}  // namespace printing
