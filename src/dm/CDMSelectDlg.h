#pragma once
// "DMタイトルを選択": the unsent DM titles. In add mode (the customer list's "DM登録画面へ") the
// chosen customers become recipients of the title chosen, or of a new title made with
// "DMタイトルを新規登録..."; in print mode (form printing) the chosen title's recipients are
// handed to the printing together with "履歴に残す".

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "records/CKokyakuVMData.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace dm {

enum class DMSelectMode { Add, Print };

class CDMSelectDlg : public ui::CDialogModel {
 public:
  using Clock = std::function<records::COleDate()>;
  static constexpr const char* kTitle = "DMタイトルを選択";
  static constexpr const char* kPrompt = "DMタイトルを選択してください。";
  static constexpr const char* kSelectTitle = "DMタイトルを選択してください";
  static constexpr const char* kNoData = "データが取得できません";
  static constexpr const char* kAllFailed = "すべての顧客を追加できませんでした。\n";
  static constexpr const char* kNoSuchDM = "指定されたDMが見つかりませんでした。\n";
  static constexpr const char* kSomeFailed = "一部の顧客を追加できませんでした。\nDM送付管理画面で確認してください。\n";
  static constexpr const char* kNoCustomers = "追加する顧客がありません\n";
  static constexpr const char* kNewFailed = "登録できませんでした\n";
  static constexpr const char* kNewAllFailed = "顧客の登録ができませんでした\n";
  static constexpr const char* kNewSomeFailed = "一部の顧客が登録できませんでした。\nDM送付管理画面で確認してください。\n";
  static constexpr const char* kDateDiffers =
      "「送付日」が異なりますが印刷しますか？\n\n※送付履歴を登録する場合\n　DMタイトルの「送付日」が履歴の「日付」に登録されます。";
  static constexpr int kColumnCount = 4;
  struct Column {
    const char* title;
    int width;
  };
  static constexpr Column kColumns[kColumnCount] = {{"送付日", 80}, {"DMタイトル", 150}, {"内容", 150}, {"送付管理者", 150}};

  // customers: the customers to add (add mode).
  CDMSelectDlg(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path install, DMSelectMode mode,
               records::IdArray customers = {}, Clock clock = records::COleDate::Now);

  std::string Title() const override { return kTitle; }
  // Reads the titles and keeps the unsent ones.
  void Open();

  DMSelectMode Mode() const { return mode_; }
  int RowCount() const { return static_cast<int>(titles_.size()); }
  std::string CellText(int row, int column) const;
  int Selected() const { return selected_; }
  void Select(int row) { selected_ = row >= 0 && row < RowCount() ? row : -1; }
  // OK needs an unsent title and a writable database.
  bool OkEnabled() const;
  bool NewTitleShown() const { return mode_ == DMSelectMode::Add; }
  bool HistoryShown() const { return mode_ == DMSelectMode::Print; }
  bool KeepHistory() const { return keepHistory_; }
  void SetKeepHistory(bool on) { keepHistory_ = on; }

  void OnOK();
  // DMタイトルを新規登録... (add mode).
  void OnNewTitle();

  // After OK in print mode: the title chosen and its recipients' customer IDs.
  const records::CDMListData& ChosenTitle() const { return chosen_; }
  const records::IdArray& RecipientIds() const { return recipients_; }

 private:
  void OkAdd(const records::CDMListData& title);
  void OkPrint(const records::CDMListData& title);

  ui::Ui& ui_;
  shell::CTovanaDoc& doc_;
  std::filesystem::path install_;
  DMSelectMode mode_;
  records::IdArray customers_;
  Clock clock_;
  records::DMTitleList titles_;
  int selected_ = -1;
  bool keepHistory_ = true;
  records::CDMListData chosen_;
  records::IdArray recipients_;
};

}  // namespace dm
