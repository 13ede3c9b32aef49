#include "io/ContactXmlWriter.h"

#include <pugixml.hpp>

#include <array>
#include <sstream>

#include "io/ContactXmlExtension.h"
#include "io/ContactXmlNames.h"
#include "io/ExportFile.h"
#include "io/ExportPictures.h"
#include "records/KokyakuColumns.h"

namespace io {

namespace cx = contactxml;

namespace {

constexpr std::size_t kItemsPerStep = 256;

constexpr std::array<std::string_view, 5> kPictures = {"Picture1", "Picture2", "Picture3", "Picture4", "Picture5"};

void Text(pugi::xml_node parent, const char* name, const std::string& value) {
  if (!value.empty()) parent.append_child(name).text().set(value.c_str());
}

// A value as the extension holds it: text as stored, numbers in decimal, dates "%Y/%m/%d".
std::string ExtensionValue(const records::CKokyaku& k, const records::KokyakuColumn& c) {
  return std::visit(
      [&](auto member) -> std::string {
        const auto& value = k.*member;
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return value;
        } else if constexpr (std::is_same_v<T, records::COleDate>) {
          return value.Format();
        } else {
          return std::to_string(value);
        }
      },
      c.field);
}

// "yyyy/mm/dd" as the xsd:date "yyyy-mm-dd".
std::string IsoDate(const records::COleDate& date) {
  std::string text = date.Format();
  for (char& ch : text) {
    if (ch == '/') ch = '-';
  }
  return text;
}

// The three parts go out as three AddressLine elements in order, empty ones too, so a reader
// puts each back in its place; FullAddress joins them for readers that take the whole.
void AppendAddress(pugi::xml_node address, const char* where, const std::string& zip,
                   const std::array<const std::string*, 3>& parts, bool preferred) {
  const std::string full = *parts[0] + *parts[1] + *parts[2];
  if (zip.empty() && full.empty()) return;
  pugi::xml_node item = address.append_child(cx::kAddressItem.data());
  item.append_attribute(cx::kAttrLocationType.data()) = where;
  if (preferred) item.append_attribute(cx::kAttrPreference.data()) = cx::kTrue.data();
  if (!zip.empty()) {
    pugi::xml_node code = item.append_child(cx::kAddressCode.data());
    code.append_attribute(cx::kAttrCodeDomain.data()) = cx::kZip7.data();
    code.text().set(zip.c_str());
  }
  Text(item, cx::kFullAddress.data(), full);
  for (const std::string* part : parts) item.append_child(cx::kAddressLine.data()).text().set(part->c_str());
}

void AppendPhone(pugi::xml_node phone, const char* where, const char* type, const std::string& number) {
  if (number.empty()) return;
  pugi::xml_node item = phone.append_child(cx::kPhoneItem.data());
  if (where) item.append_attribute(cx::kAttrLocationType.data()) = where;
  item.append_attribute(cx::kAttrPhoneType.data()) = type;
  item.text().set(number.c_str());
}

// A reader turns every CR LF of an XML file into LF, so a CR of a text (a note's line breaks) is
// written as a character reference. The serializer writes its own line ends as LF alone, so every
// CR in its output is one of ours.
std::string KeepCarriageReturns(const std::string& xml) {
  std::string out;
  out.reserve(xml.size());
  for (const char c : xml) {
    if (c == '\r') {
      out += "&#13;";
    } else {
      out += c;
    }
  }
  return out;
}

void RemoveIfEmpty(pugi::xml_node node) {
  if (!node.first_child()) node.parent().remove_child(node);
}

}  // namespace

std::filesystem::path ContactXmlPictureFolder(const std::filesystem::path& xmlFile) {
  return xmlFile.parent_path() / (xmlFile.stem().string() + "_Picture");
}

void AppendContactXmlItem(pugi::xml_node parent, const records::CKokyaku& k,
                          const std::function<std::string(const std::string&)>& pictures) {
  pugi::xml_node item = parent.append_child(cx::kItem.data());
  if (k.LastUpDate.IsValid()) item.append_attribute(cx::kAttrLastModified.data()) = IsoDate(k.LastUpDate).c_str();

  if (!k.Name.empty() || !k.Yomi.empty()) {
    pugi::xml_node name = item.append_child(cx::kPersonName.data()).append_child(cx::kPersonNameItem.data());
    name.append_attribute(cx::kAttrLang.data()) = "ja-JP";
    pugi::xml_node full = name.append_child(cx::kFullName.data());
    if (!k.Yomi.empty()) full.append_attribute(cx::kAttrPronunciation.data()) = k.Yomi.c_str();
    full.text().set(k.Name.c_str());
  }
  if (!k.CompName.empty() || !k.CompYomi.empty() || !k.Section.empty() || !k.Post.empty()) {
    pugi::xml_node job = item.append_child(cx::kOccupation.data()).append_child(cx::kOccupationItem.data());
    if (!k.CompName.empty() || !k.CompYomi.empty()) {
      pugi::xml_node org = job.append_child(cx::kOrganizationName.data());
      if (!k.CompYomi.empty()) org.append_attribute(cx::kAttrPronunciation.data()) = k.CompYomi.c_str();
      org.text().set(k.CompName.c_str());
    }
    Text(job, cx::kDepartment.data(), k.Section);
    Text(job, cx::kJobTitle.data(), k.Post);
  }
  pugi::xml_node address = item.append_child(cx::kAddress.data());
  const bool company = k.EntryType == 0;
  AppendAddress(address, cx::kLocationHome.data(), k.Zip_Home, {&k.Add1_Home, &k.Add2_Home, &k.Add3_Home}, !company);
  AppendAddress(address, cx::kLocationOffice.data(), k.Zip_Office, {&k.Add1_Office, &k.Add2_Office, &k.Add3_Office},
                company);
  RemoveIfEmpty(address);
  pugi::xml_node phone = item.append_child(cx::kPhone.data());
  AppendPhone(phone, cx::kLocationHome.data(), cx::kPhoneTypePhone.data(), k.TEL_Home);
  AppendPhone(phone, cx::kLocationHome.data(), cx::kPhoneTypeFax.data(), k.FAX_Home);
  AppendPhone(phone, nullptr, cx::kPhoneTypeCellular.data(), k.CellPhone1);
  AppendPhone(phone, nullptr, cx::kPhoneTypeCellular.data(), k.CellPhone2);
  AppendPhone(phone, cx::kLocationOffice.data(), cx::kPhoneTypePhone.data(), k.TEL_Office);
  AppendPhone(phone, cx::kLocationOffice.data(), cx::kPhoneTypeFax.data(), k.FAX_Office);
  RemoveIfEmpty(phone);
  pugi::xml_node mail = item.append_child(cx::kEmail.data());
  const std::string* mails[] = {&k.EMail1, &k.EMail2, &k.EMail3, &k.EMail4, &k.EMail5};
  for (int i = 0; i < 5; ++i) {
    if (mails[i]->empty()) continue;
    pugi::xml_node m = mail.append_child(cx::kEmailItem.data());
    if (k.CommonMail == i + 1) m.append_attribute(cx::kAttrPreference.data()) = cx::kTrue.data();
    m.text().set(mails[i]->c_str());
  }
  RemoveIfEmpty(mail);
  pugi::xml_node web = item.append_child(cx::kWebSite.data());
  Text(web, cx::kWebSiteItem.data(), k.URL1);
  Text(web, cx::kWebSiteItem.data(), k.URL2);
  RemoveIfEmpty(web);
  if (k.BirthDay.IsValid()) Text(item, cx::kBirthday.data(), IsoDate(k.BirthDay));
  item.append_child(cx::kGender.data()).text().set(k.Sex == 1 ? cx::kGenderFemale.data() : cx::kGenderMale.data());
  pugi::xml_node note = item.append_child(cx::kNote.data());
  for (const std::string* text : {&k.Note1, &k.Note2, &k.Note3, &k.Note4, &k.Note5, &k.Note6, &k.Note7, &k.Note8,
                                  &k.Note9, &k.Note10}) {
    Text(note, cx::kNoteItem.data(), *text);
  }
  RemoveIfEmpty(note);

  pugi::xml_node extension = item.append_child(cx::kExtensionElement.data());
  for (const records::KokyakuColumn& c : records::KokyakuColumns()) {
    if (cx::IsStandardOnly(c.name)) continue;
    std::string value = ExtensionValue(k, c);
    for (std::string_view picture : kPictures) {
      if (c.name == picture && !value.empty()) value = pictures(value);
    }
    if (value.empty()) continue;
    pugi::xml_node e = extension.append_child(cx::kExtensionItem.data());
    e.append_attribute(cx::kAttrExtensionType.data()) = cx::kExtensionTypeExtended.data();
    e.append_attribute(cx::kAttrName.data()) = std::string(c.name).c_str();
    e.text().set(value.c_str());
  }
  RemoveIfEmpty(extension);
}

WriteResult WriteContactXml(const WriteTarget& target, const CustomerRefs& customers,
                            const std::filesystem::path& pictureFolder) {
  ExportFile file(target.path);
  ExportPictures pictures(pictureFolder, ContactXmlPictureFolder(target.path));
  const std::string relative = ContactXmlPictureFolder(target.path).filename().string();
  const auto pictureText = [&](const std::string& field) -> std::string {
    const std::string copied = pictures.Copy(field);
    return copied.empty() ? std::string() : relative + "/" + copied;
  };

  pugi::xml_document doc;
  pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  pugi::xml_node root = doc.append_child(cx::kRoot.data());
  root.append_attribute("xmlns") = cx::kNamespace.data();
  root.append_attribute(cx::kAttrVersion.data()) = cx::kVersion.data();
  root.append_attribute(cx::kAttrCreator.data()) = "Tovana";
  for (std::size_t i = 0; i < customers.size(); ++i) {
    AppendContactXmlItem(root, *customers[i], pictureText);
    if (pictures.Failed()) return WriteResult::WriteFailed;
    if ((i + 1) % kItemsPerStep == 0 && target.progress && !target.progress->Step(static_cast<std::int64_t>(i + 1))) {
      return WriteResult::Cancelled;
    }
  }
  if (!file.Open()) return WriteResult::CreateFailed;
  std::ostringstream out;
  doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
  if (!file.Write(KeepCarriageReturns(out.str()))) return WriteResult::WriteFailed;
  if (target.progress && !target.progress->Step(static_cast<std::int64_t>(customers.size()))) {
    return WriteResult::Cancelled;
  }
  // The pictures first: a file that names pictures never stands without them.
  if (!pictures.Commit() || !file.Commit()) return WriteResult::WriteFailed;
  return WriteResult::Done;
}

}  // namespace io
