#pragma once
// ContactXML 1.1 (UTF-8) for a list of customers: one file per export holding one ContactXMLItem
// per customer, in list order. What ContactXML has elements for is written there (names with
// their readings, company, department, title, addresses, telephones, mail, web sites, birthday,
// gender, notes); every column without a one-to-one element is written as an extension item
// named by the column (ContactXmlExtension.h), so our own reader gets each field back exactly.
// Pictures are copied into the folder "<file name>_Picture" beside the file and named relative
// to it.

#include <filesystem>
#include <functional>
#include <string>

#include "io/ExportTable.h"

namespace pugi {
class xml_node;
}

namespace io {

// The folder beside a ContactXML file that receives its pictures.
std::filesystem::path ContactXmlPictureFolder(const std::filesystem::path& xmlFile);

// Appends one ContactXMLItem for k to parent. pictures maps a picture field to the text the file
// holds for it (empty: the picture is left out).
void AppendContactXmlItem(pugi::xml_node parent, const records::CKokyaku& k,
                          const std::function<std::string(const std::string&)>& pictures);

// Writes the file and its pictures (found in pictureFolder). The file and the picture folder
// appear under their names only when everything was written; a picture the folder does not hold
// is left out of the file.
WriteResult WriteContactXml(const WriteTarget& target, const CustomerRefs& customers,
                            const std::filesystem::path& pictureFolder);

}  // namespace io
