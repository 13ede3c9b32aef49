#pragma once
// The postal-code and phone-number lookups of the entry pages: each fills one address block of a
// form (home or office) from a dictionary candidate, asking before it overwrites typed text.

#include <string>
#include <string_view>

#include "customers/CKokyakuForm.h"
#include "ui/Ui.h"

namespace lookup {
class CLookupFacility;
}

namespace customers {

enum class AddressBlock { Home, Office };

// The columns of one address block and the name that belongs to it (Name or CompName).
struct AddressColumns {
  std::string_view zip, prefecture, city, street, tel, name;
};
const AddressColumns& ColumnsOf(AddressBlock block);

inline constexpr const char* kZipEmpty = "郵便番号を半角数字で入力してください";
inline constexpr const char* kZipTooShort = "郵便番号を半角数字で3桁以上入力してください";
inline constexpr const char* kNoApplication = "アプリケーションクラスが見つかりません\n局番データを取得できません。";
inline constexpr const char* kNothingFound = "該当するデータはありませんでした";
inline constexpr const char* kOverwriteAddress = "住所を上書きしてよろしいですか？";
inline constexpr const char* kTelEmpty = "電話番号を半角数字で入力してください";
inline constexpr const char* kPhoneBookFailed = "電話帳データの取得に失敗しています。\n検索できません。\n";

// The dictionary key for a typed code: its digits (full-width ones made half-width), with "*"
// appended when there are fewer than 7. Empty when there are no digits; the digits alone when
// there are fewer than 3 (too short to search).
std::string PostalSearchKey(std::string_view typed);
// The text without its first part from "（" to a later "）", parentheses included.
std::string WithoutFirstParenthesis(std::string_view text);
// The overwrite question of the phone lookup, for the name the block's name field holds.
std::string PhoneOverwriteQuestion(AddressBlock block, bool nameEmpty);

// Looks up the block's 〒 and writes the chosen address into it, the focus then on 番地等. Every
// refusal and failure is told and leaves the form as it was. lookups null: no lookup at all.
void LookupPostalCode(ui::Ui& ui, lookup::CLookupFacility* lookups, CKokyakuForm& form, AddressBlock block);
// Looks up the block's TEL in the phone book and writes the chosen entry's address (and its
// name into an empty name field), the focus then on the name field.
void LookupPhoneNumber(ui::Ui& ui, lookup::CLookupFacility* lookups, CKokyakuForm& form, AddressBlock block);

}  // namespace customers
