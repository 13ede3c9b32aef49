#include "printing/FormText.h"

#include <system_error>

#include "company/AutoText.h"
#include "records/KokyakuColumns.h"
#include "text/Utf8.h"

namespace printing {

namespace {

std::string Trim(std::string s) {
  const auto isSpace = [](const std::string& t, std::size_t at) {
    return t.compare(at, 1, " ") == 0 || t.compare(at, 3, "　") == 0;
  };
  while (!s.empty() && isSpace(s, 0)) s.erase(0, s.compare(0, 1, " ") == 0 ? 1 : 3);
  while (!s.empty() && (s.back() == ' ' || (s.size() >= 3 && s.compare(s.size() - 3, 3, "　") == 0))) {
    s.erase(s.back() == ' ' ? s.size() - 1 : s.size() - 3);
  }
  return s;
}

std::string Join(const std::string& a, const std::string& b, std::string_view sep) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return a + std::string(sep) + b;
}

}  // namespace

SenderTexts SenderTexts::Read(const std::filesystem::path& install) {
  SenderTexts texts;
  const std::filesystem::path folder = company::AutoTextFolder(install);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string file = entry.path().filename().string();
    if (file.size() <= 4 || file.substr(file.size() - 4) != ".AUT") continue;
    if (auto value = company::ReadAutoText(folder, file)) texts.values_[file.substr(0, file.size() - 4)] = *value;
  }
  return texts;
}

std::string SenderTexts::Get(std::string_view name) const {
  const auto it = values_.find(name);
  return it == values_.end() ? std::string() : it->second;
}

bool UsesOffice(const records::CKokyaku& k) {
  const bool office = k.EntryType == 0;
  const bool officeEmpty = k.Add1_Office.empty() && k.Add2_Office.empty() && k.Add3_Office.empty();
  const bool homeEmpty = k.Add1_Home.empty() && k.Add2_Home.empty() && k.Add3_Home.empty();
  if (office) return !officeEmpty || homeEmpty;
  return homeEmpty && !officeEmpty;
}

std::string AddressText(const records::CKokyaku& k) {
  const bool office = UsesOffice(k);
  const std::string first = Trim((office ? k.Add1_Office : k.Add1_Home) + (office ? k.Add2_Office : k.Add2_Home));
  return Join(first, Trim(office ? k.Add3_Office : k.Add3_Home), "\n");
}

std::string ZipDigits(const records::CKokyaku& k) {
  const std::string& zip = UsesOffice(k) ? k.Zip_Office : k.Zip_Home;
  std::string digits;
  for (std::size_t pos = 0; pos < zip.size() && digits.size() < 7;) {
    const char32_t c = text::NextCodePoint(zip, pos);
    if (c >= U'0' && c <= U'9') digits += static_cast<char>(c);
    if (c >= U'０' && c <= U'９') digits += static_cast<char>('0' + (c - U'０'));
  }
  return digits;
}

std::string ZipText(const records::CKokyaku& k) {
  const std::string d = ZipDigits(k);
  if (d.empty()) return {};
  return "〒" + (d.size() > 3 ? d.substr(0, 3) + "-" + d.substr(3) : d);
}

Addressee AddresseeOf(const records::CKokyaku& k, std::string_view jointColumn) {
  Addressee a;
  const std::string name = Trim(k.Name);
  a.honorific = Trim(k.Suffix);
  if (k.EntryType == 0 && !k.CompName.empty()) {
    const std::string comp = Trim(k.CompName), section = Trim(k.Section);
    if (name.empty()) {
      if (section.empty()) {
        a.name = comp;
      } else {
        a.companyLines = {comp};
        a.name = section;
      }
      if (a.honorific.empty() || a.honorific == "様") a.honorific = "御中";
    } else {
      a.companyLines.push_back(comp);
      if (!section.empty()) a.companyLines.push_back(section);
      a.name = Join(Trim(k.Post), name, "　");
    }
  } else {
    a.name = name;
  }
  if (a.honorific.empty()) a.honorific = "様";
  if (!jointColumn.empty()) a.joint = Trim(records::ColumnText(k, jointColumn, records::TextStyle::Card));
  return a;
}

std::string AddresseeText(const Addressee& a) {
  std::string out;
  for (const auto& line : a.companyLines) out += line + "\n";
  out += a.name + "　" + a.honorific;
  if (!a.joint.empty()) out += "\n" + a.joint + "　" + a.honorific;
  return out;
}

std::string FieldText(std::string_view field, const records::CKokyaku* k, const SenderTexts& sender,
                      std::string_view freeText) {
  if (field == "FreeText") return std::string(freeText);
  if (field.starts_with("Sender.")) return sender.Get(field.substr(7));
  if (!k) return {};
  if (field == "Address") return AddressText(*k);
  if (field == "Zip") return ZipText(*k);
  if (field == "Addressee") return AddresseeText(AddresseeOf(*k, {}));
  return records::ColumnText(*k, field, records::TextStyle::Card);
}

std::string HistoryText(std::string_view field, const records::CRirekiData& entry) {
  if (field == "Rireki.Date") return entry.Date.Format();
  if (field == "Rireki.ActionTitle") return entry.ActionTitle;
  if (field == "Rireki.Money") return entry.Money == 0 ? std::string() : records::AmountText(entry.Money);
  if (field == "Rireki.Action") {
    std::string line;
    for (char c : entry.Action) line += c == '\n' || c == '\r' ? ' ' : c;
    return line;
  }
  return {};
}

std::string ColumnCaption(std::string_view field) {
  static const std::pair<std::string_view, std::string_view> kCaptions[] = {
      {"CustomerID", "顧客ID"}, {"Name", "氏名"},         {"Yomi", "フリガナ"},     {"Zip", "郵便番号"},
      {"Address", "住所"},      {"TEL_Home", "電話番号"}, {"TEL_Office", "会社電話"}, {"CellPhone1", "携帯電話"},
      {"EMail1", "メール"},     {"CompName", "会社名"},   {"Section", "部署"},       {"Note1", "備考"},
      {"Post", "役職"},         {"FAX_Home", "FAX"},      {"FAX_Office", "会社FAX"}, {"BirthDay", "誕生日"},
      {"Rireki.Date", "日付"},  {"Rireki.ActionTitle", "概要"}, {"Rireki.Action", "詳細"},
      {"Rireki.Money", "金額"},
  };
  for (const auto& [f, caption] : kCaptions) {
    if (f == field) return std::string(caption);
  }
  return std::string(field);
}

}  // namespace printing
