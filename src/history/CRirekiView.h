#pragma once
// The history list screen (screen 4): every history entry, or the current history extraction, in
// one table with each entry's customer beside it. It carries the commands of menu 134 and
// toolbar 145: reference (stepping through the rows), delete, find, print, extraction and
// analysis, and the save prompt before an unsaved extraction is left.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "history/CRirekiList.h"
#include "history/CRirekiStepSource.h"
#include "history/RirekiDialogHooks.h"
#include "shell/CScreen.h"
#include "ui/ListKey.h"
#include "ui/Ui.h"

namespace shell {
class CMainFrame;
class CTovanaDoc;
}  // namespace shell

namespace history {

struct RirekiViewContext {
  ui::Ui* ui = nullptr;
  shell::CMainFrame* frame = nullptr;
  shell::CTovanaDoc* doc = nullptr;
  std::filesystem::path install;
  lookup::CLookupFacility* lookups = nullptr;  // for the analysis's address sweep; may be null
};

// Also the step source of the reference dialog it opens: the dialog steps through the rows as
// they are shown.
class CRirekiView : public shell::CScreen, public CRirekiStepSource {
 public:
  static constexpr const char* kScreenTitle = "顧客 ソレル－履歴一覧";
  static constexpr const char* kWidthSection = "Settings-RList";
  static constexpr int kMinimumWidth = 20;
  // 詳細 takes the room the other columns leave, never less than this.
  static constexpr int kDetailsLeast = 200;
  static constexpr const char* kNoDocument = "この操作を行うことはできません";
  static constexpr const char* kNoHistory = "履歴データを表示できません。\n";
  static constexpr const char* kSearchEnded = "検索が終了しました。\n";
  static constexpr const char* kNotSelected = "履歴が選択されていません。\n";
  static constexpr const char* kDeleteReadOnly = "データベースは読取専用です。\n履歴を削除できません。";
  static constexpr const char* kNothingToDelete = "削除する履歴を選択してください";
  static constexpr const char* kDeleteQuestion =
      "選択されている%d件の履歴を削除します。\n履歴を削除すると、二度と元に戻すことはできません。\n\n"
      "本当に削除してよろしいですか？";
  static constexpr const char* kDeleteFailed = "履歴が削除できませんでした";
  static constexpr const char* kDeletePartly = "一部の履歴が削除できませんでした";
  static constexpr const char* kNothingToPrint = "印刷する履歴が選択されていません。";
  static constexpr const char* kPrintQuestion = "選択されている%d件の履歴を印刷します。よろしいですか？";
  static constexpr const char* kSaveQuestion = "抽出した条件は保存されていません。保存しますか？";
  static constexpr const char* kSaveReadOnly = "データベースは読取専用です。\n抽出条件の保存はできません。";
  static constexpr const char* kReadFailed = "履歴情報を取得できませんでした";

  explicit CRirekiView(RirekiViewContext context);

  int Number() const override { return kHistory; }
  std::string Title() const override { return kScreenTitle; }
  void OnInitialUpdate() override;
  bool OnCommand(int id) override;
  bool IsCommandEnabled(int id) const override;
  std::vector<shell::MenuItem> MenuBar() const override;
  void OnFind(const shell::FindRequest& request) override;
  void OnClose() override;
  bool OpensMaximised() const override { return true; }

  // The dialogs of other subsystems the screen opens; tests put their own in.
  void SetDialogs(RirekiDialogs dialogs) { dialogs_ = std::move(dialogs); }

  CRirekiList& List() { return list_; }
  const CRirekiList& List() const { return list_; }
  // "%d件": the rows shown.
  std::string CountText() const;
  // An extraction is shown: the three extraction buttons are shown and enabled.
  bool IsExtracted() const { return extracted_; }
  // The extraction or analysis result went on to the customer list or the DM screen, so leaving
  // keeps it.
  bool HandsOverToCustomers() const { return toCustomers_; }
  bool HandsOverToDM() const { return toDM_; }

  // The rows built anew from the document's history list; the extracted flag from its current
  // extraction.
  void Refill();

  using ListKey = ui::ListKey;
  // The command a key runs: Enter shows the selected entry (履歴を参照...), Delete deletes the
  // selected entries, asking first. 0 while nothing is selected.
  int CommandForKey(ListKey key) const;

  // The view tells of a changed selection, a header click, a double click.
  void SetSelection(std::vector<int> rows);
  void OnHeaderClick(int column);
  void OnDoubleClick();
  // A column's width changed in the view.
  void SetColumnWidth(int column, int width);
  // The default widths suit the original program's small UI font, whose digits are 6 pixels
  // wide; a view with wider digits scales them by factor (at least 1), now and for columns built
  // later. Only columns without a stored width change; 詳細's room and least width scale alike.
  void ScaleDefaultWidths(double factor);
  // With no width stored for 詳細, the view tells the list's width whenever it changes until the
  // user sizes 詳細; 詳細 then takes what the other columns' defaults leave, at least
  // kDetailsLeast. True when the width changed that way.
  bool FitDetailsWidth(int listWidth);

  // --- CRirekiStepSource, through the rows as shown ---
  std::optional<RirekiStep> StepRireki(int step) override;
  std::optional<RirekiPlace> SelectRireki(std::int32_t historyId) override;

  // Told just before the rows or the columns change and right after, always as a pair with
  // nothing in between that could show a message or read the rows (a view resets its item model
  // across the pair).
  std::function<void()> onRowsChanging;
  std::function<void()> onRowsChanged;
  // Told when the selection, the count, the buttons or anything else shown changed.
  std::function<void()> onChanged;

 private:
  template <typename Change>
  void ChangeRows(Change change);
  void Changed() const;
  bool ReadOnly() const;
  int Scaled(int width) const;
  void BuildColumns();
  shell::MenuItem Item(int id) const;

  // The save prompt: true when the action may go on.
  bool SavePrompt();
  bool SaveConditionsDialog();
  void SaveConditions();
  void Refer();
  void Delete();
  void Print();
  void Find();
  void ClearExtraction();
  void RunExtraction(ExtractionRequest request);
  void Analyse();
  void Leave(int screen);

  RirekiViewContext c_;
  RirekiDialogs dialogs_;
  CRirekiList list_;
  bool extracted_ = false;
  bool toCustomers_ = false;
  bool toDM_ = false;
  std::array<bool, CRirekiList::kColumnCount> defaulted_{};  // the column has its default width
  double scale_ = 1;
  bool detailsFill_ = false;  // no width stored for 詳細 and none set: it fills the list
};

}  // namespace history
