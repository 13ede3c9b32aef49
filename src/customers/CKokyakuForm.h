#pragma once
// What the controls of a customer entry page show: every column's text or value as typed, the
// birth date as text, an empty URL as "http://". Pages and sub-dialogs each hold one; reading it
// checks the byte limits and the birth date and gives the record to save.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "customers/NameReading.h"
#include "records/CKokyaku.h"
#include "ui/Ui.h"

namespace customers {

class CKokyakuForm {
 public:
  static constexpr const char* kTooLong = "%d文字(ﾊﾞｲﾄ)以内で入力してください";
  static constexpr const char* kBadDate = "日付の設定が正しくありません。";
  static constexpr const char* kUrlPrefix = "http://";

  // viewOnly: an empty URL stays empty instead of showing "http://".
  explicit CKokyakuForm(bool viewOnly = false) : viewOnly_(viewOnly) {}

  // Shows every column of the record.
  void Show(const records::CKokyaku& record);
  // The text of a text column as typed; BirthDay as typed; StartDate and LastUpDate as
  // "%Y/%m/%d" or empty. Empty for any other column.
  std::string Text(std::string_view column) const;
  // Sets a text column or the BirthDay text; anything else is ignored.
  void SetText(std::string_view column, std::string text);
  // The value of a coded, numeric or colour column (EntryType, Sex, CustomerType, ClosingDay,
  // ClosingDate, TaxMethod, ColorMark, CommonMail); 0 for any other.
  std::int32_t Value(std::string_view column) const;
  void SetValue(std::string_view column, std::int32_t value);
  // Takes the texts and values of columns from another form (a sub-dialog confirmed).
  void CopyColumns(const CKokyakuForm& from, std::span<const std::string_view> columns);

  // The record to save: base (ID, StartDate, LastUpDate, RirekiUpDate) with every column read
  // from the form. The columns of checked are tested against their byte limits in that order,
  // then the birth date; the first failure is told, becomes the focus, and gives nullopt.
  std::optional<records::CKokyaku> Read(ui::Ui& ui, std::span<const std::string_view> checked,
                                        const records::CKokyaku& base);
  // Only the limits of checked and the birth date, as a sub-dialog confirms: true when they hold.
  bool Check(ui::Ui& ui, std::span<const std::string_view> checked);

  // --- Readings ---
  // The furigana column of a name column: Yomi for Name, CompYomi for CompName; else empty.
  static std::string_view FuriganaOf(std::string_view nameColumn);
  // An input-method event in a name column (see NameReading). The kana composed before
  // conversion fill the name's furigana column in half-width katakana while that column is empty
  // or still holds only what was filled so. True when the furigana changed.
  bool OnNameComposition(std::string_view column, std::string_view preedit, std::string_view commit);
  // A furigana column takes the focus, and leaves it (or Enter ends its editing): hiragana and
  // full-width katakana typed there in between become half-width katakana. A reading shown and
  // left untouched stays as stored. True when the text changed.
  void OnFuriganaEntered(std::string_view column);
  bool OnFuriganaLeft(std::string_view column);

  // The column a failed check or a lookup asks to focus; empty once taken.
  std::string TakeFocus();
  void SetFocus(std::string column) { focus_ = std::move(column); }
  bool IsViewOnly() const { return viewOnly_; }

 private:
  bool CheckLimits(ui::Ui& ui, std::span<const std::string_view> checked);
  bool ReadBirthDay(ui::Ui& ui, records::COleDate& date);

  // Per name column (Name, CompName): the reading typed, the furigana it filled, and the
  // furigana as it was when its field took the focus.
  struct NameState {
    NameReading reading;
    std::string filled;
    std::string onEntry;
  };
  NameState* StateOf(std::string_view column);

  bool viewOnly_;
  std::array<NameState, 2> names_;
  records::CKokyaku shown_;
  std::string birthDay_;
  std::string focus_;
};

}  // namespace customers
