#include "customers/AddressLookup.h"

#include <optional>
#include <vector>

#include "customers/CAddressSelectDlg.h"
#include "lookup/CLookupFacility.h"
#include "lookup/PhoneRecords.h"
#include "text/Width.h"

namespace customers {

namespace {

using lookup::CMultiDB;
using lookup::CPhoneCandidate;
using lookup::CPostalCandidate;

constexpr AddressColumns kHome{"Zip_Home", "Add1_Home", "Add2_Home", "Add3_Home", "TEL_Home", "Name"};
constexpr AddressColumns kOffice{"Zip_Office", "Add1_Office", "Add2_Office", "Add3_Office", "TEL_Office", "CompName"};

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string line;
  for (const std::string_view part : parts) {
    if (part.empty()) continue;
    if (!line.empty()) line += ' ';
    line += part;
  }
  return line;
}

// "1000001" as it is written on mail: "100-0001".
std::string ZipText(const std::string& zip) {
  if (zip.size() != 7) return zip;
  return zip.substr(0, 3) + "-" + zip.substr(3);
}

// The candidate the person picks: the only one, or the one chosen in "住所を選択"; nullopt when
// there is none (after the message) or the choice was cancelled.
std::optional<std::size_t> Choose(ui::Ui& ui, std::vector<std::string> texts) {
  if (texts.empty()) {
    ui.Tell(kNothingFound, ui::Icon::Information);
    return std::nullopt;
  }
  if (texts.size() == 1) return 0;
  CAddressSelectDlg select(std::move(texts));
  if (!ui.Run(select) || select.Selection() < 0) return std::nullopt;
  return static_cast<std::size_t>(select.Selection());
}

bool AnyText(const CKokyakuForm& form, std::initializer_list<std::string_view> columns) {
  for (const std::string_view column : columns) {
    if (!form.Text(column).empty()) return true;
  }
  return false;
}

std::vector<CPostalCandidate> SearchPostal(lookup::CLookupFacility& lookups, const std::string& key) {
  std::vector<CPostalCandidate> found, business;
  CMultiDB& db = lookups.PostalDictionary();
  db.MultiDB_Search(key, CMultiDB::Dictionary::Postal, found);
  db.MultiDB_Search(key, CMultiDB::Dictionary::Business, business);
  // A business receiver stands in only when it alone answers the code.
  if (found.empty() && business.size() == 1) return business;
  return found;
}

}  // namespace

const AddressColumns& ColumnsOf(AddressBlock block) { return block == AddressBlock::Home ? kHome : kOffice; }

std::string PostalSearchKey(std::string_view typed) {
  std::string digits;
  for (const char c : text::FullWidthDigitsToAscii(typed)) {
    if (c >= '0' && c <= '9') digits += c;
  }
  if (digits.size() >= 3 && digits.size() < 7) digits += '*';
  return digits;
}

std::string WithoutFirstParenthesis(std::string_view text) {
  static constexpr std::string_view kOpen = "（", kClose = "）";
  const std::size_t open = text.find(kOpen);
  if (open == std::string_view::npos) return std::string(text);
  const std::size_t close = text.find(kClose, open + kOpen.size());
  if (close == std::string_view::npos) return std::string(text);
  return std::string(text.substr(0, open)) + std::string(text.substr(close + kClose.size()));
}

std::string PhoneOverwriteQuestion(AddressBlock block, bool nameEmpty) {
  const bool home = block == AddressBlock::Home;
  std::string question = "郵便番号・住所を上書きしてよろしいですか？";
  if (nameEmpty) return (home ? "氏名・" : "会社名・") + question;
  return question + (home ? "\n※氏名は上書きしません。" : "\n※会社名は上書きしません。");
}

void LookupPostalCode(ui::Ui& ui, lookup::CLookupFacility* lookups, CKokyakuForm& form, AddressBlock block) {
  const AddressColumns& c = ColumnsOf(block);
  const std::string key = PostalSearchKey(form.Text(c.zip));
  if (key.empty()) return ui.Tell(kZipEmpty, ui::Icon::Information);
  if (key.size() < 3) return ui.Tell(kZipTooShort, ui::Icon::Information);
  if (!lookups) return ui.Tell(kNoApplication);
  if (lookups->OpenPostalDictionary(true) != 1) return;

  std::vector<CPostalCandidate> candidates;
  {
    const ui::WaitScope wait = ui.Wait();
    candidates = SearchPostal(*lookups, key);
  }
  std::vector<std::string> texts;
  for (const auto& a : candidates) texts.push_back(Joined({ZipText(a.zip), a.prefecture, a.city, a.town, a.block, a.company}));
  const auto chosen = Choose(ui, std::move(texts));
  if (!chosen) return;
  if (AnyText(form, {c.prefecture, c.city, c.street}) && !ui.Ask(kOverwriteAddress)) return;

  const CPostalCandidate& a = candidates[*chosen];
  form.SetText(c.zip, ZipText(a.zip));
  form.SetText(c.prefecture, a.prefecture);
  form.SetText(c.city, WithoutFirstParenthesis(a.city));
  // A business receiver's street number is part of its address; an ordinary entry's block is a
  // note on the town (floors, chome ranges) that the person types in their own form.
  form.SetText(c.street, WithoutFirstParenthesis(a.town) + (a.company.empty() ? std::string() : a.block));
  form.SetFocus(std::string(c.street));
}

void LookupPhoneNumber(ui::Ui& ui, lookup::CLookupFacility* lookups, CKokyakuForm& form, AddressBlock block) {
  const AddressColumns& c = ColumnsOf(block);
  const std::string tel = form.Text(c.tel);
  if (lookup::TelephoneDigits(tel).empty()) return ui.Tell(kTelEmpty, ui::Icon::Information);
  if (!lookups) return ui.Tell(kNoApplication);
  if (lookups->OpenPhoneBook(true) != 1) return;

  std::vector<CPhoneCandidate> candidates;
  int found = 0;
  {
    const ui::WaitScope wait = ui.Wait();
    found = lookups->SearchPhoneBook(tel, candidates);
  }
  if (found < 0) return ui.Tell(kPhoneBookFailed);
  std::vector<std::string> texts;
  for (const auto& p : candidates) texts.push_back(Joined({p.tel, p.name, p.zip, p.prefecture, p.city, p.town, p.block}));
  const auto chosen = Choose(ui, std::move(texts));
  if (!chosen) return;
  const bool nameEmpty = form.Text(c.name).empty();
  if (AnyText(form, {c.zip, c.prefecture, c.city, c.street}) && !ui.Ask(PhoneOverwriteQuestion(block, nameEmpty))) {
    return;
  }

  const CPhoneCandidate& p = candidates[*chosen];
  form.SetText(c.prefecture, p.prefecture);
  form.SetText(c.city, p.city);
  form.SetText(c.street, p.town + p.block);
  form.SetText(c.zip, ZipText(p.zip));
  if (nameEmpty) form.SetText(c.name, p.name);
  form.SetFocus(std::string(c.name));
}

}  // namespace customers
