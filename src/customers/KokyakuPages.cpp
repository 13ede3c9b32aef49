#include "customers/KokyakuPages.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace customers {

namespace {

using Column = std::string_view;

constexpr Column kBasicWithBirthDay[] = {"CustomerID", "EntryType", "CustomerType", "Name", "Suffix", "Yomi", "Sex",
                                         "BirthDay", "TantouName", "ImportantRanking", "Ranking1", "Ranking2",
                                         "ColorMark", "StartDate", "LastUpDate"};
constexpr Column kBasic[] = {"CustomerID", "EntryType", "CustomerType", "Name", "Suffix", "Yomi", "Sex", "TantouName",
                             "ImportantRanking", "Ranking1", "Ranking2", "ColorMark", "StartDate", "LastUpDate"};
constexpr Column kHome[] = {"Zip_Home", "Add1_Home", "Add2_Home", "Add3_Home", "TEL_Home", "FAX_Home",
                            "CellPhone1", "EMail1", "EMail2", "EMail3", "URL1", "CommonMail"};
constexpr Column kCompany[] = {"CompName",    "CompYomi",   "Section",    "Post",   "Zip_Office",
                               "Add1_Office", "Add2_Office", "Add3_Office", "TEL_Office", "FAX_Office",
                               "CellPhone2",  "EMail4",     "EMail5",     "URL2",   "CommonMail"};
constexpr Column kCompanyDetails[] = {"CompType",      "Represent",     "ClosingDay",    "ClosingDate",
                                      "TaxMethod",     "PayMethod",     "Bank1",         "Bank2",
                                      "MainMerchant1", "MainMerchant2", "MainMerchant3", "MainMerchant4",
                                      "MainMerchant5"};
constexpr Column kNotes[] = {"Note1", "Note2", "Note3", "Note4", "Note5", "Note6", "Note7", "Note8", "Note9", "Note10"};
constexpr Column kPictures[] = {"Picture1", "Picture2", "Picture3", "Picture4", "Picture5"};
constexpr Column kHomeSub[] = {"Zip_Home", "Add1_Home", "Add2_Home", "Add3_Home", "TEL_Home", "FAX_Home", "CellPhone1",
                               "EMail1",   "EMail2",    "EMail3",    "URL1",      "CommonMail", "BirthDay"};

template <std::size_t... N>
constexpr auto Concat(const Column (&... parts)[N]) {
  std::array<Column, (N + ...)> all{};
  std::size_t at = 0;
  ((std::copy(std::begin(parts), std::end(parts), all.begin() + static_cast<std::ptrdiff_t>(at)), at += N), ...);
  return all;
}

constexpr Column kNote1[] = {"Note1"};
constexpr auto kNormalMain = Concat(kBasicWithBirthDay, kHome, kCompany, kNote1);
constexpr auto kPersonMain = Concat(kBasicWithBirthDay, kHome, kNote1);
constexpr auto kCompanyMain = Concat(kBasic, kCompany, kCompanyDetails, kNote1);

}  // namespace

std::span<const std::string_view> BasicColumns(bool withBirthDay) {
  if (withBirthDay) return kBasicWithBirthDay;
  return kBasic;
}
std::span<const std::string_view> HomeColumns() { return kHome; }
std::span<const std::string_view> CompanyColumns() { return kCompany; }
std::span<const std::string_view> CompanyDetailColumns() { return kCompanyDetails; }
std::span<const std::string_view> NoteColumns() { return kNotes; }
std::span<const std::string_view> MoreNoteColumns() { return std::span<const std::string_view>(kNotes).subspan(1); }
std::span<const std::string_view> PictureColumns() { return kPictures; }
std::span<const std::string_view> HomeSubColumns() { return kHomeSub; }

std::span<const std::string_view> MainColumns(CardKind kind) {
  switch (kind) {
    case CardKind::Person: return kPersonMain;
    case CardKind::Company: return kCompanyMain;
    case CardKind::Normal: break;
  }
  return kNormalMain;
}

}  // namespace customers
