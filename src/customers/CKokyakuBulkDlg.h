#pragma once
// "顧客の一括修正": which of four classification fields all selected customers get (the colour
// mark, the importance ranking, ranking 1, ranking 2) and the value they get. The rankings are
// offered from their choice lists, whose boxes register a new text when they are left, whatever
// becomes of the dialog. OK asks the field's question and closes only on Yes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "customers/KokyakuChoices.h"
#include "platform/CNeritEnv.h"
#include "ui/Ui.h"

namespace customers {

class CKokyakuBulkDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "顧客の一括修正";
  static constexpr const char* kIntro = "選択されている顧客の項目の内容を一括で設定します";
  static constexpr const char* kFieldGroup = "変更する項目：";
  static constexpr const char* kValueGroup = "変更後の内容：";
  static constexpr const char* kSetTo = "に設定";
  static constexpr const char* kNoColour = "カラーを選択してください。";
  static constexpr const char* kTooLong = "半角50文字以内にしてください。";
  static constexpr const char* kColourQuestion = "選択されている顧客の%sを%sに変更します。\nよろしいですか？";
  static constexpr const char* kTextQuestion = "選択されている顧客の%sを「%s」に変更します。\nよろしいですか？";
  static constexpr std::size_t kTextLimit = 50;  // CP932 bytes

  // The fields, in the order of their radio buttons.
  enum Field : int { kColour = 0, kImportant = 1, kRank1 = 2, kRank2 = 3 };
  static constexpr int kFieldCount = 4;

  // install: the installation folder, for the column labels and the choice lists.
  explicit CKokyakuBulkDlg(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  std::string Title() const override { return kTitle; }

  // The radio captions: the column labels where the column definitions have them.
  const std::array<std::string, kFieldCount>& Captions() const { return captions_; }
  // The database column a field sets.
  static std::string_view ColumnOf(int field);
  // The choice list a ranking's box offers (-1 for the colour).
  static int ChoiceListOf(int field);

  int Field() const { return field_; }
  // Another radio: only its input is enabled then.
  void ChooseField(int field);
  bool IsInputEnabled(int field) const { return field == field_; }

  // The colour drop-down: the seven marks, なし chosen on opening; -1 chooses none.
  const std::vector<ChoiceItem>& Colours() const { return colours_; }
  int ColourPosition() const { return colour_; }
  void ChooseColour(int position);

  // The text of a ranking's box (the first entry of its list on opening, when it has one).
  const std::string& Text(int field) const { return texts_[Slot(field)]; }
  void SetText(int field, std::string text) {
    if (Slot(field) != 0) texts_[Slot(field)] = std::move(text);
  }

  // The input that should take the focus after an action, once; -1 for none.
  int TakeFocus() { return std::exchange(focus_, -1); }

  // The checks and the field's question; Yes closes with OK, No leaves the dialog open.
  void OnOK();

  // --- After OK ---
  std::string_view ColumnKey() const { return ColumnOf(field_); }
  // The new text of a ranking; empty for the colour.
  std::string NewText() const { return field_ == kColour ? std::string() : Text(field_); }
  // The new colour value; 0 for a ranking.
  std::int32_t NewColour() const;

  // For the choice-list boxes of the view.
  ui::Ui& ChoiceUi() const { return ui_; }
  const std::filesystem::path& Install() const { return install_; }

 private:
  // A ranking's slot in texts_; 0, which stays empty, for anything else.
  static std::size_t Slot(int field) { return field >= kImportant && field <= kRank2 ? static_cast<std::size_t>(field) : 0; }
  // The caption a question names the field by.
  std::string QuestionCaption(int field) const;

  ui::Ui& ui_;
  std::filesystem::path install_;
  std::array<std::string, kFieldCount> captions_;
  std::array<std::string, kFieldCount> labels_;  // empty where the column definitions have none
  std::vector<ChoiceItem> colours_;
  std::array<std::string, kFieldCount> texts_;  // by field; [0] unused
  int field_ = kColour;
  int colour_ = 0;
  int focus_ = -1;
};

}  // namespace customers
