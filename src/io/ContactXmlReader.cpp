#include "io/ContactXmlReader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include "io/ContactXmlExtension.h"
#include "io/ContactXmlNames.h"
#include "io/ImportConvert.h"
#include "records/KokyakuColumns.h"
#include "text/Cp932.h"
#include "text/Format.h"

namespace io {

namespace {

namespace cx = contactxml;

std::string_view Local(const pugi::xml_node& n) {
  std::string_view name = n.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view name) {
  for (pugi::xml_node c : parent.children()) {
    if (c.type() == pugi::node_element && Local(c) == name) return c;
  }
  return {};
}

template <typename F>
void EachChild(const pugi::xml_node& parent, std::string_view name, F f) {
  for (pugi::xml_node c : parent.children()) {
    if (c.type() == pugi::node_element && Local(c) == name) f(c);
  }
}

std::string Text(const pugi::xml_node& n) {
  std::string t = n.text().get();
  const auto notSpace = [](unsigned char c) { return !(c == ' ' || c == '\t' || c == '\r' || c == '\n'); };
  t.erase(t.begin(), std::find_if(t.begin(), t.end(), notSpace));
  t.erase(std::find_if(t.rbegin(), t.rend(), notSpace).base(), t.end());
  return t;
}

std::string Attr(const pugi::xml_node& n, std::string_view name) {
  for (pugi::xml_attribute a : n.attributes()) {
    std::string_view an = a.name();
    if (an == name) return a.value();
    const std::size_t colon = an.find(':');
    if (colon != std::string_view::npos && name.find(':') == std::string_view::npos && an.substr(colon + 1) == name) return a.value();
  }
  return {};
}

bool IsTrue(std::string_view v) { return v == cx::kTrue || v == "true" || v == "1"; }

// "東京都千代田区..." as its prefecture and the rest, so the first address part holds what it
// holds when typed in; a text that starts with no prefecture goes whole into the second part.
std::pair<std::string, std::string> SplitPrefecture(const std::string& address) {
  // Prefecture names are three or four characters; each of these is 3 UTF-8 bytes.
  for (std::size_t chars : {3u, 4u}) {
    const std::size_t bytes = chars * 3;
    if (address.size() < bytes) break;
    const std::string last = address.substr(bytes - 3, 3);
    const bool ends = chars == 3 ? (last == "都" || last == "道" || last == "府" || last == "県") : last == "県";
    if (ends && (chars == 4 || address.compare(0, 9, "北海道") == 0 || last != "道")) {
      return {address.substr(0, bytes), address.substr(bytes)};
    }
  }
  return {std::string(), address};
}

void SetName(records::CKokyaku& k, const pugi::xml_node& item) {
  const pugi::xml_node full = Child(item, cx::kFullName);
  const pugi::xml_node last = Child(item, cx::kLastName), first = Child(item, cx::kFirstName);
  const auto joined = [](std::string a, const std::string& b) {
    if (!a.empty() && !b.empty()) a += "　";
    return a + b;
  };
  std::string name = full ? Text(full) : joined(Text(last), Text(first));
  std::string yomi = full ? Attr(full, cx::kAttrPronunciation) : std::string();
  if (yomi.empty()) yomi = joined(Attr(last, cx::kAttrPronunciation), Attr(first, cx::kAttrPronunciation));
  SetImportedColumn(k, "Name", name);
  SetImportedColumn(k, "Yomi", yomi);
}

// The preferred name item: Japanese when there is one, else the first.
pugi::xml_node NameItem(const pugi::xml_node& personName) {
  pugi::xml_node chosen;
  EachChild(personName, cx::kPersonNameItem, [&](const pugi::xml_node& n) {
    if (!chosen || Attr(n, cx::kAttrLang).starts_with("ja")) {
      if (!chosen || !Attr(chosen, cx::kAttrLang).starts_with("ja")) chosen = n;
    }
  });
  return chosen;
}

void SetAddress(records::CKokyaku& k, const pugi::xml_node& item, bool office) {
  const char* zip = office ? "Zip_Office" : "Zip_Home";
  const char* parts[] = {office ? "Add1_Office" : "Add1_Home", office ? "Add2_Office" : "Add2_Home",
                         office ? "Add3_Office" : "Add3_Home"};
  SetImportedColumn(k, zip, Text(Child(item, cx::kAddressCode)));
  std::vector<std::string> lines;
  EachChild(item, cx::kAddressLine, [&](const pugi::xml_node& n) { lines.push_back(Text(n)); });
  if (lines.empty()) {
    auto [prefecture, rest] = SplitPrefecture(Text(Child(item, cx::kFullAddress)));
    lines = {prefecture, rest};
  }
  // More lines than parts: the rest joins the third, so nothing is lost.
  while (lines.size() > 3) {
    lines[2] += lines.back();
    lines.pop_back();
  }
  for (std::size_t i = 0; i < lines.size(); ++i) SetImportedColumn(k, parts[i], lines[i]);
}

// The columns a file of ours carries in its extension, taken under the same rules as any imported
// column (so the ID, the registration dates and the pictures stay the store's own). A file of ours
// leaves an empty column out of the extension, and the standard elements number mail addresses and
// notes by their order rather than their field: so once the item shows it is ours, every column
// the extension speaks for starts empty and takes only what the extension says.
void ReadExtension(records::CKokyaku& k, const pugi::xml_node& item) {
  std::vector<std::pair<std::string, std::string>> ours;
  EachChild(Child(item, cx::kExtensionElement), cx::kExtensionItem, [&](const pugi::xml_node& e) {
    std::string column = Attr(e, cx::kAttrName);
    if (Attr(e, cx::kAttrExtensionType) != cx::kExtensionTypeExtended || !records::FindKokyakuColumn(column)) return;
    ours.emplace_back(std::move(column), e.text().get());
  });
  if (ours.empty()) return;
  const records::CKokyaku blank = NewImportedCustomer();
  for (const records::KokyakuColumn& c : records::KokyakuColumns()) {
    if (cx::IsStandardOnly(c.name) || !IsImportable(c.name)) continue;
    std::visit([&](auto member) { k.*member = blank.*member; }, c.field);
  }
  for (const auto& [column, value] : ours) {
    if (IsImportable(column)) SetImportedColumn(k, column, value);
  }
}

records::CKokyaku ReadItem(const pugi::xml_node& item) {
  records::CKokyaku k = NewImportedCustomer();
  bool person = false;
  if (const pugi::xml_node names = Child(item, cx::kPersonName)) {
    if (const pugi::xml_node chosen = NameItem(names)) {
      SetName(k, chosen);
      person = !k.Name.empty();
    }
  }
  if (const pugi::xml_node occupation = Child(item, cx::kOccupation)) {
    const pugi::xml_node o = Child(occupation, cx::kOccupationItem) ? Child(occupation, cx::kOccupationItem) : occupation;
    const pugi::xml_node org = Child(o, cx::kOrganizationName);
    SetImportedColumn(k, "CompName", Text(org));
    SetImportedColumn(k, "CompYomi", Attr(org, cx::kAttrPronunciation));
    SetImportedColumn(k, "Section", Text(Child(o, cx::kDepartment)));
    SetImportedColumn(k, "Post", Text(Child(o, cx::kJobTitle)));
  }
  k.EntryType = !person && !k.CompName.empty() ? 0 : 1;

  bool homeDone = false, officeDone = false;
  EachChild(Child(item, cx::kAddress), cx::kAddressItem, [&](const pugi::xml_node& a) {
    const bool office = Attr(a, cx::kAttrLocationType) == cx::kLocationOffice;
    bool& done = office ? officeDone : homeDone;
    if (done) return;
    SetAddress(k, a, office);
    done = true;
  });

  std::vector<std::string> cells;
  EachChild(Child(item, cx::kPhone), cx::kPhoneItem, [&](const pugi::xml_node& p) {
    const std::string number = Text(p);
    if (number.empty()) return;
    const std::string type = Attr(p, cx::kAttrPhoneType);
    const bool office = Attr(p, cx::kAttrLocationType) == cx::kLocationOffice;
    std::string* slot = nullptr;
    if (type == cx::kPhoneTypeCellular) {
      slot = k.CellPhone1.empty() ? &k.CellPhone1 : k.CellPhone2.empty() ? &k.CellPhone2 : nullptr;
    } else if (type == cx::kPhoneTypeFax) {
      slot = office ? &k.FAX_Office : &k.FAX_Home;
    } else {
      slot = office ? &k.TEL_Office : &k.TEL_Home;
    }
    if (slot && slot->empty()) {
      *slot = text::CutToCp932Bytes(number, 20);
    } else {
      cells.push_back(number);  // a telephone with no free field of its own
    }
  });
  // Telephones beyond the fields go to the free mobile fields rather than being dropped.
  for (const std::string& number : cells) {
    if (k.CellPhone1.empty()) {
      k.CellPhone1 = text::CutToCp932Bytes(number, 20);
    } else if (k.CellPhone2.empty()) {
      k.CellPhone2 = text::CutToCp932Bytes(number, 20);
    }
  }

  int mail = 0;
  EachChild(Child(item, cx::kEmail), cx::kEmailItem, [&](const pugi::xml_node& e) {
    const std::string address = Text(e);
    if (address.empty() || mail >= 5) return;
    ++mail;
    SetImportedColumn(k, "EMail" + std::to_string(mail), address);
    if (IsTrue(Attr(e, cx::kAttrPreference))) k.CommonMail = mail;
  });

  int url = 0;
  EachChild(Child(item, cx::kWebSite), cx::kWebSiteItem, [&](const pugi::xml_node& w) {
    if (url < 2 && !Text(w).empty()) SetImportedColumn(k, "URL" + std::to_string(++url), Text(w));
  });

  if (const pugi::xml_node birthday = Child(item, cx::kBirthday)) SetImportedColumn(k, "BirthDay", Text(birthday));
  const std::string gender = Text(Child(item, cx::kGender));
  if (gender == cx::kGenderFemale) k.Sex = 1;

  int note = 0;
  if (const pugi::xml_node notes = Child(item, cx::kNote)) {
    EachChild(notes, cx::kNoteItem, [&](const pugi::xml_node& n) {
      if (note < 10 && !Text(n).empty()) SetImportedColumn(k, "Note" + std::to_string(++note), Text(n));
    });
    if (note == 0 && !Text(notes).empty()) SetImportedColumn(k, "Note1", Text(notes));
  }
  ReadExtension(k, item);
  return k;
}

// A file declared in Shift_JIS (Windows code page 932) as UTF-8; nullopt when its bytes are no CP932.
std::optional<std::string> AsUtf8(std::string_view bytes) {
  const std::size_t end = bytes.find("?>");
  if (!bytes.starts_with("<?xml") || end == std::string_view::npos) return std::string(bytes);
  std::string declaration(bytes.substr(0, end));
  std::transform(declaration.begin(), declaration.end(), declaration.begin(), [](unsigned char c) { return std::tolower(c); });
  const bool cp932 = declaration.find("shift_jis") != std::string::npos || declaration.find("windows-31j") != std::string::npos ||
                     declaration.find("cp932") != std::string::npos || declaration.find("sjis") != std::string::npos;
  if (!cp932) return std::string(bytes);
  std::string utf8 = text::FromCp932(bytes.substr(end + 2));
  if (utf8.find("\xEF\xBF\xBD") != std::string::npos) return std::nullopt;
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + utf8;
}

std::string NameOf(const std::filesystem::path& p) { return p.filename().string(); }

}  // namespace

ContactXmlRead ReadContactXml(std::string_view bytes, std::string_view name) {
  ContactXmlRead read;
  const std::optional<std::string> utf8 = AsUtf8(bytes);
  pugi::xml_document doc;
  if (!utf8 || !doc.load_buffer(utf8->data(), utf8->size(), pugi::parse_default, pugi::encoding_auto)) {
    read.error = text::Format(kXmlUnreadable, name);
    return read;
  }
  const pugi::xml_node root = doc.document_element();
  if (Local(root) != cx::kRoot) {
    read.error = text::Format(kXmlNotContactXml, name);
    return read;
  }
  EachChild(root, cx::kItem, [&](const pugi::xml_node& item) {
    read.customers.push_back(std::make_unique<records::CKokyaku>(ReadItem(item)));
  });
  return read;
}

ContactXmlRead ReadContactXmlFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    ContactXmlRead read;
    read.error = text::Format(kXmlUnreadable, NameOf(file));
    return read;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ReadContactXml(bytes, NameOf(file));
}

ContactXmlRead ReadContactXmlFolder(const std::filesystem::path& folder) {
  ContactXmlRead all;
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (entry.is_regular_file(ec) && ext == cx::kExtension) files.push_back(entry.path());
  }
  if (files.empty()) {
    all.error = kXmlNoFiles;
    return all;
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    ContactXmlRead one = ReadContactXmlFile(file);
    if (!one.ok()) return one;
    for (auto& k : one.customers) all.customers.push_back(std::move(k));
  }
  return all;
}

}  // namespace io
