#pragma once
// "抽出": conditions A, B and C, the result type, running the extraction into the document and
// the saved conditions (reproduce, save, rename, delete). One model for the five forms: general,
// customers only, history only, DM recipients and the pre-extraction setting.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "extract/ExtractQuery.h"
#include "records/CKokyakuVMData.h"
#include "settings/CExCondition.h"
#include "settings/CExtract.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace extract {

class CExtractDlg : public ui::CDialogModel {
 public:
  enum Form { kGeneral = 1, kCustomersOnly = 2, kHistoryOnly = 3, kDMRecipients = 4, kPreExtraction = 5 };
  static constexpr const char* kTitle = "抽出";
  static constexpr const char* kHeadingRefused = "この項目は選択できません";
  static constexpr const char* kCannotReproduce = "条件が不正なため、再現できません";
  static constexpr const char* kFailed = "抽出に失敗しました";
  static constexpr const char* kPreExtractionConfirm =
      "今後、通常、顧客一覧を表示するときはこの条件で抽出した結果を表示します。抽出を解除することですべての顧客を表示することができます。\n\n"
      "通常の顧客一覧表示をすべての顧客に戻したい場合は、メニュー画面の【設定】－［顧客一覧の事前抽出設定を解除］をクリックしてください。\n\n"
      "設定してよろしいですか？";

  // One condition's controls.
  struct ConditionState {
    int item = -1;                        // position in Items(); -1 none
    std::string value;                    // the value box's text
    int op = -1;                          // position in ops; -1 none
    std::vector<Operator> ops;            // for the item's kind
    std::vector<std::string> values;      // the value list (fixed or choice list)
    bool colour = false;                  // the colour list stands in for the value box
    int colourRow = -1;                   // position in Colours()
  };
  struct Colour {
    std::string name;
    std::int32_t code;
  };

  // resultPreset: the result type the radio starts on in form 1 (CExCondition::ResultType).
  CExtractDlg(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path install, int form,
              std::int32_t resultPreset = settings::CExCondition::kCustomers);
  ~CExtractDlg() override;

  std::string Title() const override { return kTitle; }
  // Fills the lists, loads the saved conditions and reproduces the document's current extraction.
  void Open();

  int FormKind() const { return form_; }
  const std::vector<Item>& Items() const { return items_; }
  const std::vector<Colour>& Colours() const { return colours_; }
  const ConditionState& Condition(int k) const { return conditions_.at(static_cast<std::size_t>(k)); }
  bool ConditionEnabled(int k) const;
  void SelectItem(int k, int item);
  void SetValue(int k, std::string value);
  void SelectOperator(int k, int op);
  void SelectColour(int k, int row);
  Connector AB() const { return ab_; }
  Connector BC() const { return bc_; }
  void SetAB(Connector c);
  void SetBC(Connector c);

  std::int32_t ResultType() const { return resultType_; }
  bool ResultTypeEnabled(std::int32_t type) const;
  void SetResultType(std::int32_t type);
  bool ColumnsEnabled() const;
  void OnColumns();  // 顧客一覧の表示設定...

  bool ExtractEnabled() const { return form_ != kPreExtraction; }
  void OnOK();  // 抽出実行
  bool SaveShown() const { return form_ != kPreExtraction; }
  void OnSave();  // 条件を保存...
  bool PreExtractionShown() const { return form_ == kPreExtraction; }
  void OnSetPreExtraction();  // 通常、顧客一覧をこの条件で抽出して表示する

  // 保存済み条件: the names listed for this form, the selected row (-1 none).
  std::vector<std::string> SavedNames() const;
  int SavedSelection() const { return savedSelection_; }
  void SelectSaved(int row);
  bool RenameEnabled() const { return form_ != kPreExtraction; }
  bool DeleteEnabled() const { return form_ != kPreExtraction; }
  void OnRename();
  void OnDelete();

  bool Unchanged() const { return unchanged_; }
  const settings::CExCondition& Working() const { return working_; }
  // The extracted customers or history entries of the last successful run (after OK).
  const records::IdArray& ExtractedIds() const { return ids_; }

 private:
  void FillItems();
  void Relist();
  bool Accepts(const settings::CExCondition& c) const;
  // Loads a condition into the controls; false after the message when it cannot be shown.
  bool Reproduce(const settings::CExCondition& c);
  bool ReproduceOne(int k, const std::vector<std::string>& array);
  StatementInput Input() const;
  void Edited() { unchanged_ = false; }
  int SavedIndex(int row) const;

  ui::Ui& ui_;
  shell::CTovanaDoc& doc_;
  std::filesystem::path install_;
  int form_;
  std::int32_t resultType_;
  std::vector<Item> items_;
  std::vector<Colour> colours_;
  std::array<ConditionState, 3> conditions_;
  Connector ab_ = Connector::End, bc_ = Connector::None;
  settings::CExCondition working_;
  std::unique_ptr<settings::CExtract> saved_;
  std::vector<std::size_t> listed_;  // the saved conditions' positions, row by row
  int savedSelection_ = -1;
  bool unchanged_ = false;
  records::IdArray ids_;
};

}  // namespace extract
