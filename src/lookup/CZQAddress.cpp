#include "lookup/CZQAddress.h"

#include "lookup/PostalRecords.h"
#include "settings/CArchive.h"

namespace lookup {

bool CZQAddress::IsValidTelephone(std::string_view tel) {
  return tel.find_first_not_of(kTelephoneCharacters) == std::string_view::npos;
}

bool CZQAddress::SetTel(std::string_view tel) {
  if (!IsValidTelephone(tel)) return false;
  tel_ = tel;
  return true;
}

void CZQAddress::Serialize(settings::CArchive& ar) {
  ar.Exchange(entryNo_);
  ar.Exchange(bookId_);
  ar.Exchange(tel_);
  if (ar.IsLoading() && !IsValidTelephone(tel_)) {
    throw settings::ArchiveError(settings::ArchiveError::Kind::BadFormat, 0, "telephone number " + tel_);
  }
  ar.Exchange(name_);
  ar.Exchange(zip_);
  ar.Exchange(prefCode_);
  ar.Exchange(cityCode_);
  ar.Exchange(prefecture_);
  ar.Exchange(city_);
  ar.Exchange(town_);
  ar.Exchange(block_);
}

CPhoneCandidate CZQAddress::ToCandidate() const { return {tel_, zip_, name_, prefecture_, city_, town_, block_}; }

bool CZQAddress::Assign(const CPhoneCandidate& entry) {
  if (!SetTel(entry.tel)) return false;
  zip_ = entry.zip;
  name_ = entry.name;
  prefecture_ = entry.prefecture;
  prefCode_ = PrefectureCode(entry.prefecture);
  city_ = entry.city;
  town_ = entry.town;
  block_ = entry.block;
  return true;
}

}  // namespace lookup
