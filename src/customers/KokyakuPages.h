#pragma once
// Which columns each block of the customer entry pages holds, in the order the person goes
// through them (and the byte limits are checked).

#include <span>
#include <string_view>

namespace customers {

enum class CardKind { Normal = 0, Person = 1, Company = 2 };

// お客様ｺｰﾄﾞ, names, codes, staff, rankings, colour, dates; BirthDay only where stated.
std::span<const std::string_view> BasicColumns(bool withBirthDay);
// 自宅情報: address block with TEL and FAX, 携帯電話, EMail1 to EMail3, URL1.
std::span<const std::string_view> HomeColumns();
// 会社基本情報: company names, section, post, address block, CellPhone2, EMail4, EMail5, URL2.
std::span<const std::string_view> CompanyColumns();
// 会社詳細: business type, representative, closing, tax, payment, banks, main merchants.
std::span<const std::string_view> CompanyDetailColumns();
std::span<const std::string_view> NoteColumns();        // Note1 to Note10
std::span<const std::string_view> MoreNoteColumns();    // Note2 to Note10
std::span<const std::string_view> PictureColumns();     // Picture1 to Picture5
std::span<const std::string_view> HomeSubColumns();     // 個人情報: the home block and BirthDay

// The columns a card type keeps on its main page.
std::span<const std::string_view> MainColumns(CardKind kind);

}  // namespace customers
