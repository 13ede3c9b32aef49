#pragma once
// One entry of the user's own phone book: a number the user added, or a book entry the user
// deleted. Serialised (schema 1) as: the entry number, the book entry it stands for (-1 for a
// new one), telephone, name, postal code, prefecture code (1 to 47, 0 unknown), city code (the
// national local-government code, 0 unknown), prefecture, city, town, block.

#include <cstdint>
#include <string>
#include <string_view>

#include "lookup/PhoneRecords.h"
#include "settings/CSerializable.h"

namespace lookup {

class CZQAddress : public settings::CSerializable {
 public:
  // The characters a telephone number may hold.
  static constexpr std::string_view kTelephoneCharacters = "0123456789-()";

  CZQAddress() = default;

  // Reading a telephone with another character throws ArchiveError (BadFormat).
  void Serialize(settings::CArchive& ar) override;
  std::string_view GetClassName() const override { return "CZQAddress"; }

  static bool IsValidTelephone(std::string_view tel);

  const std::string& GetTel() const { return tel_; }
  // False, and nothing changed, for a number with a character outside kTelephoneCharacters.
  bool SetTel(std::string_view tel);

  std::int32_t GetEntryNo() const { return entryNo_; }
  void SetEntryNo(std::int32_t no) { entryNo_ = no; }
  std::int32_t GetBookId() const { return bookId_; }
  void SetBookId(std::int32_t id) { bookId_ = id; }
  std::int32_t GetCityCode() const { return cityCode_; }
  void SetCityCode(std::int32_t code) { cityCode_ = code; }

  // The address part; the prefecture code follows the prefecture's name.
  CPhoneCandidate ToCandidate() const;
  // Takes every field of the candidate; false (nothing changed) when its telephone is not valid.
  bool Assign(const CPhoneCandidate& entry);

 private:
  std::int32_t entryNo_ = 0;
  std::int32_t bookId_ = -1;
  std::string tel_, name_, zip_;
  std::int32_t prefCode_ = 0;
  std::int32_t cityCode_ = 0;
  std::string prefecture_, city_, town_, block_;
};

}  // namespace lookup
