#pragma once
// Our own reader of ContactXML 1.1: each ContactXMLItem becomes a new customer. Element names come
// from ContactXmlNames.h and are matched by local name. A file that is no ContactXML, or not well
// formed, gives its message and no records.

#include <filesystem>
#include <string>
#include <string_view>

#include "records/CKokyakuVMData.h"

namespace io {

inline constexpr const char* kXmlNotContactXml = "%sはContactXMLファイルではありません。\n処理を中止します。";
inline constexpr const char* kXmlUnreadable = "%sを読み込めませんでした。\n処理を中止します。";
inline constexpr const char* kXmlNoFiles = "指定されたフォルダにContactXMLファイルがありません。";

struct ContactXmlRead {
  records::KokyakuList customers;
  std::string error;
  bool ok() const { return error.empty(); }
};

// name: how the message names the source (the file name).
ContactXmlRead ReadContactXml(std::string_view bytes, std::string_view name = "ファイル");
ContactXmlRead ReadContactXmlFile(const std::filesystem::path& file);
// Every ".xml" file of the folder, in name order; any file that fails stops the reading.
ContactXmlRead ReadContactXmlFolder(const std::filesystem::path& folder);

}  // namespace io
