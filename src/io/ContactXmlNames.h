#pragma once
// The element and attribute names of ContactXML 1.1, shared by its reader and its writer so that
// a file we write reads back into the same customer. The reader matches elements by local name
// (any prefix, or none), so files of other writers that bind the namespace differently still read.

#include <string_view>

namespace io::contactxml {

inline constexpr std::string_view kNamespace = "http://www.xmlns.org/2002/ContactXML";
inline constexpr std::string_view kVersion = "1.1";

// Root and items: one ContactXMLItem per customer.
inline constexpr std::string_view kRoot = "ContactXML";
inline constexpr std::string_view kItem = "ContactXMLItem";
inline constexpr std::string_view kAttrVersion = "version";
inline constexpr std::string_view kAttrCreator = "creator";
inline constexpr std::string_view kAttrLastModified = "lastModified";

// Names: PersonName/PersonNameItem/{FullName, FirstName, LastName}, the reading in "pronunciation".
inline constexpr std::string_view kPersonName = "PersonName";
inline constexpr std::string_view kPersonNameItem = "PersonNameItem";
inline constexpr std::string_view kFullName = "FullName";
inline constexpr std::string_view kFirstName = "FirstName";
inline constexpr std::string_view kLastName = "LastName";
inline constexpr std::string_view kAttrPronunciation = "pronunciation";
inline constexpr std::string_view kAttrLang = "xml:lang";

// Work: Occupation/OccupationItem/{OrganizationName (with pronunciation), Department, JobTitle}.
inline constexpr std::string_view kOccupation = "Occupation";
inline constexpr std::string_view kOccupationItem = "OccupationItem";
inline constexpr std::string_view kOrganizationName = "OrganizationName";
inline constexpr std::string_view kDepartment = "Department";
inline constexpr std::string_view kJobTitle = "JobTitle";

// Addresses: Address/AddressItem[locationType]/{AddressCode[codeDomain=ZIP7], FullAddress,
// AddressLine*}. Our three address parts go out as three AddressLine elements in order.
inline constexpr std::string_view kAddress = "Address";
inline constexpr std::string_view kAddressItem = "AddressItem";
inline constexpr std::string_view kAddressCode = "AddressCode";
inline constexpr std::string_view kFullAddress = "FullAddress";
inline constexpr std::string_view kAddressLine = "AddressLine";
inline constexpr std::string_view kAttrCodeDomain = "codeDomain";
inline constexpr std::string_view kZip7 = "ZIP7";

// Telephones: Phone/PhoneItem[locationType, phoneType]; mail: Email/EmailItem[locationType];
// web: WebSite/WebSiteItem.
inline constexpr std::string_view kPhone = "Phone";
inline constexpr std::string_view kPhoneItem = "PhoneItem";
inline constexpr std::string_view kAttrPhoneType = "phoneType";
inline constexpr std::string_view kPhoneTypePhone = "Phone";
inline constexpr std::string_view kPhoneTypeFax = "Fax";
inline constexpr std::string_view kPhoneTypeCellular = "Cellular";
inline constexpr std::string_view kEmail = "Email";
inline constexpr std::string_view kEmailItem = "EmailItem";
inline constexpr std::string_view kWebSite = "WebSite";
inline constexpr std::string_view kWebSiteItem = "WebSiteItem";

// Shared attributes of items: where (Home, Office, Other) and which one is preferred ("True").
inline constexpr std::string_view kAttrLocationType = "locationType";
inline constexpr std::string_view kLocationHome = "Home";
inline constexpr std::string_view kLocationOffice = "Office";
inline constexpr std::string_view kAttrPreference = "preference";
inline constexpr std::string_view kTrue = "True";

// Personal details: Birthday as yyyy-mm-dd, Gender Male/Female, Note/NoteItem free text.
inline constexpr std::string_view kBirthday = "Birthday";
inline constexpr std::string_view kGender = "Gender";
inline constexpr std::string_view kGenderMale = "Male";
inline constexpr std::string_view kGenderFemale = "Female";
inline constexpr std::string_view kNote = "Note";
inline constexpr std::string_view kNoteItem = "NoteItem";

// A file of ours is named with this extension.
inline constexpr std::string_view kExtension = ".xml";

}  // namespace io::contactxml
