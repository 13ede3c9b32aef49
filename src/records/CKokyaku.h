#pragma once
// One customer. Fields carry their database column names; every rule that treats a column by its
// name (display, export, import, SQL) goes through the column table in KokyakuColumns.h.

#include <cstdint>
#include <string>

#include "records/COleDate.h"

namespace records {

class CKokyaku {
 public:
  // Back to a new record: empty strings, zero numbers, null dates.
  void Clear() { *this = CKokyaku(); }
  friend bool operator==(const CKokyaku&, const CKokyaku&) = default;

  std::int32_t ID = 0;
  std::string CustomerID, Name, Yomi, Suffix;
  std::int32_t Sex = 0, EntryType = 0, CustomerType = 0;
  COleDate StartDate, LastUpDate;
  std::string TantouName;
  COleDate BirthDay;
  std::string Zip_Home, Add1_Home, Add2_Home, Add3_Home, TEL_Home, FAX_Home, CellPhone1, CellPhone2;
  std::string CompName, CompYomi, Section, Post, Represent, CompType;
  std::string Zip_Office, Add1_Office, Add2_Office, Add3_Office, TEL_Office, FAX_Office;
  std::string EMail1, EMail2, EMail3, EMail4, EMail5;
  std::string URL1, URL2;
  std::int32_t ClosingDate = 0;
  std::string Bank1, Bank2;
  std::int32_t ClosingDay = 0, TaxMethod = 0;
  std::string PayMethod;
  std::string MainMerchant1, MainMerchant2, MainMerchant3, MainMerchant4, MainMerchant5;
  std::string Picture1, Picture2, Picture3, Picture4, Picture5;
  std::int32_t ColorMark = 0;  // 0x00BBGGRR
  std::string ImportantRanking, Ranking1, Ranking2;
  std::string Note1, Note2, Note3, Note4, Note5, Note6, Note7, Note8, Note9, Note10;
  COleDate RirekiUpDate;
  std::int32_t CommonMail = 0;  // 1 to 5 picks EMail1 to EMail5; 0 none
};

}  // namespace records
