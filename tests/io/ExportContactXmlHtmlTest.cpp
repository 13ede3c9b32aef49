// ContactXML and the HTML set, read back: the XML by pugixml, the HTML by its files and links.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <filesystem>
#include <regex>

#include "io/ContactXmlExtension.h"
#include "io/ContactXmlNames.h"
#include "io/ContactXmlReader.h"
#include "io/ImportConvert.h"
#include "io/ContactXmlWriter.h"
#include "io/ExportHtmlSet.h"
#include "io/ExportTestSupport.h"
#include "platform/TempFolder.h"
#include "records/CRirekiData.h"
#include "records/KokyakuColumns.h"

namespace io {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;
namespace fs = std::filesystem;
namespace cx = contactxml;

class StopAt : public ui::Progress {
 public:
  explicit StopAt(std::int64_t at) : at_(at) {}
  bool Step(std::int64_t done) override { return done < at_; }

 private:
  std::int64_t at_;
};

std::string Extension(pugi::xml_node item, const char* name) {
  for (pugi::xml_node e : item.child(cx::kExtensionElement.data()).children(cx::kExtensionItem.data())) {
    if (std::string_view(e.attribute(cx::kAttrName.data()).value()) == name) return e.text().get();
  }
  return "(none)";
}

TEST(ContactXml, OneFileWithAnItemPerCustomerInTheNamespaceAndVersion) {
  TempFolder temp;
  auto all = test::VariedCustomers();
  fs::create_directories(temp / "Picture");
  WriteBytes(temp / "Picture" / "p1.jpg", "jpeg bytes");
  all[0].Picture1 = "p1.jpg";
  all[1].Picture1 = "p1.jpg";        // shared: copied once
  all[1].Picture2 = "gone.jpg";      // not in the picture folder: left out
  const auto file = temp / "out" / "顧客.xml";
  fs::create_directories(file.parent_path());
  ASSERT_EQ(WriteContactXml({file, nullptr}, test::Refs(all), temp / "Picture"), WriteResult::Done);

  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(file.c_str()));
  EXPECT_EQ(ReadBytes(file).rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
  const pugi::xml_node root = doc.child(cx::kRoot.data());
  EXPECT_STREQ(root.attribute("xmlns").value(), cx::kNamespace.data());
  EXPECT_STREQ(root.attribute(cx::kAttrVersion.data()).value(), "1.1");
  std::vector<pugi::xml_node> items;
  for (pugi::xml_node item : root.children(cx::kItem.data())) items.push_back(item);
  ASSERT_EQ(items.size(), 3u);

  const pugi::xml_node name = items[0].child(cx::kPersonName.data()).child(cx::kPersonNameItem.data()).child(cx::kFullName.data());
  EXPECT_EQ(std::string(name.text().get()), all[0].Name);  // the double quote comes back
  EXPECT_EQ(std::string(name.attribute(cx::kAttrPronunciation.data()).value()), all[0].Yomi);
  EXPECT_STREQ(items[0].child(cx::kBirthday.data()).text().get(), "1970-05-12");
  EXPECT_STREQ(items[0].child(cx::kGender.data()).text().get(), cx::kGenderMale.data());
  EXPECT_STREQ(items[1].child(cx::kGender.data()).text().get(), cx::kGenderFemale.data());
  const pugi::xml_node mail = items[0].child(cx::kEmail.data()).child(cx::kEmailItem.data());
  EXPECT_STREQ(mail.text().get(), "taro@example.jp");
  EXPECT_STREQ(mail.attribute(cx::kAttrPreference.data()).value(), cx::kTrue.data());
  EXPECT_EQ(std::string(items[1].child(cx::kOccupation.data()).child(cx::kOccupationItem.data()).child(cx::kOrganizationName.data()).text().get()),
            all[1].CompName);
  const pugi::xml_node home = items[0].child(cx::kAddress.data()).child(cx::kAddressItem.data());
  EXPECT_EQ(std::string(home.child(cx::kFullAddress.data()).text().get()), all[0].Add1_Home + all[0].Add2_Home);
  EXPECT_STREQ(items[1].child(cx::kPhone.data()).child(cx::kPhoneItem.data()).attribute(cx::kAttrLocationType.data()).value(), cx::kLocationOffice.data());

  // The columns without an element of their own come back exactly from the extension.
  EXPECT_EQ(Extension(items[0], "CustomerID"), "K0001");
  EXPECT_EQ(Extension(items[0], "EntryType"), "1");
  EXPECT_EQ(Extension(items[0], "TaxMethod"), "2");
  EXPECT_EQ(Extension(items[0], "ClosingDay"), "99");
  EXPECT_EQ(Extension(items[0], "Add2_Home"), "(none)");  // the address lines hold the parts
  std::vector<std::string> lines;
  for (pugi::xml_node line : home.children(cx::kAddressLine.data())) lines.push_back(line.text().get());
  EXPECT_EQ(lines, (std::vector<std::string>{all[0].Add1_Home, all[0].Add2_Home, ""}));
  EXPECT_EQ(std::string(items[0].child(cx::kNote.data()).child(cx::kNoteItem.data()).text().get()), all[0].Note1);
  EXPECT_EQ(Extension(items[0], "Note1"), all[0].Note1);
  EXPECT_EQ(Extension(items[0], "Name"), "(none)");
  EXPECT_EQ(Extension(items[0], "ID"), "(none)");

  EXPECT_EQ(Extension(items[0], "Picture1"), "顧客_Picture/p1.jpg");
  EXPECT_EQ(Extension(items[1], "Picture1"), "顧客_Picture/p1.jpg");
  EXPECT_EQ(Extension(items[1], "Picture2"), "(none)");
  EXPECT_EQ(ReadBytes(temp / "out" / "顧客_Picture" / "p1.jpg"), "jpeg bytes");
}

TEST(ContactXml, OurReaderGivesBackEveryColumnTheImportTakes) {
  TempFolder temp;
  auto all = test::VariedCustomers();
  all[0].Add3_Home = "３階";
  all[1].Add1_Office = "大阪府大阪市";
  all[1].Zip_Office = "530-0001";
  all[2].Note3 = "三番目";  // notes keep their numbers, gaps and all
  all[2].ColorMark = 3;
  const auto file = temp / "顧客.xml";
  ASSERT_EQ(WriteContactXml({file, nullptr}, test::Refs(all), temp / "Picture"), WriteResult::Done);
  const ContactXmlRead back = ReadContactXmlFile(file);
  ASSERT_TRUE(back.ok()) << back.error;
  ASSERT_EQ(back.customers.size(), all.size());
  for (std::size_t r = 0; r < all.size(); ++r) {
    for (const records::KokyakuColumn& c : records::KokyakuColumns()) {
      if (!IsImportable(c.name)) continue;
      EXPECT_EQ(records::ColumnText(*back.customers[r], c.name, records::TextStyle::Export),
                records::ColumnText(all[r], c.name, records::TextStyle::Export))
          << "customer " << r << " " << c.name;
    }
    EXPECT_EQ(back.customers[r]->ColorMark, 0) << "the colour mark is the store's own, as in every import";
  }
}

TEST(ContactXml, ACancelledExportLeavesNeitherFileNorPictures) {
  TempFolder temp;
  std::vector<records::CKokyaku> all(600);
  fs::create_directories(temp / "Picture");
  WriteBytes(temp / "Picture" / "p.jpg", "x");
  for (auto& k : all) k.Picture1 = "p.jpg";
  StopAt stop(256);
  const auto file = temp / "out.xml";
  EXPECT_EQ(WriteContactXml({file, &stop}, test::Refs(all), temp / "Picture"), WriteResult::Cancelled);
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"Picture"});
}

class HtmlSet : public ::testing::Test {
 protected:
  HtmlSet() {
    fs::create_directories(temp / "Picture");
    fs::create_directories(temp / "html");
    WriteBytes(temp / "Picture" / "face.jpg", "jpeg");
    all[0].Picture1 = "face.jpg";
    input.customers = test::Refs(all);
    input.columns = test::Columns({"CustomerID", "Name", "CompName", "EntryType"});
    input.pictureFolder = temp / "Picture";
  }

  std::string Page(std::size_t i) { return ReadBytes(temp / "html" / HtmlPageName(i)); }

  TempFolder temp;
  std::vector<records::CKokyaku> all = test::VariedCustomers();
  HtmlSetInput input;
};

TEST_F(HtmlSet, AnIndexLinksOnePagePerCustomer) {
  ASSERT_EQ(WriteHtmlSet({temp / "html", nullptr}, input), WriteResult::Done);
  const std::string index = ReadBytes(temp / "html" / "index.htm");
  EXPECT_EQ(index.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(index.find("<meta charset=\"utf-8\">"), std::string::npos);
  const std::regex link("href=\"(kokyaku\\d{5}\\.htm)\"");
  std::vector<std::string> pages;
  for (auto it = std::sregex_iterator(index.begin(), index.end(), link); it != std::sregex_iterator(); ++it) {
    pages.push_back((*it)[1]);
  }
  ASSERT_EQ(pages.size(), all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(pages[i], HtmlPageName(i));
    EXPECT_TRUE(fs::exists(temp / "html" / pages[i])) << pages[i];
  }
  // Texts are escaped, so a name never becomes markup.
  EXPECT_NE(index.find("山田 &quot;タロ&quot; 太郎"), std::string::npos);
  EXPECT_NE(Page(1).find("株式会社&lt;テスト&gt;&amp;商事"), std::string::npos);
  EXPECT_NE(Page(0).find("<td>1：個人</td>"), std::string::npos);
  EXPECT_NE(Page(0).find("<img src=\"Picture/face.jpg\""), std::string::npos);
  EXPECT_EQ(ReadBytes(temp / "html" / "Picture" / "face.jpg"), "jpeg");
  EXPECT_NE(ReadBytes(temp / "html" / "style.css").find("@media print"), std::string::npos);
  EXPECT_EQ(Page(0).find("履歴"), std::string::npos);  // not asked for
  const std::vector<std::string> expected = {"Picture", "index.htm", "kokyaku00001.htm", "kokyaku00002.htm",
                                             "kokyaku00003.htm", "style.css"};
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(temp / "html")) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, expected);
}

TEST_F(HtmlSet, PagesCarryTheHistoryWhenAsked) {
  std::vector<records::RirekiList> histories(all.size());
  auto entry = std::make_unique<records::CRirekiData>();
  entry->Date = records::COleDate::FromCivil(2026, 11, 20);
  entry->ActionTitle = "購入";
  entry->Action = "見積り<1>";
  entry->Money = 1234.5;
  histories[1].push_back(std::move(entry));
  input.histories = &histories;
  ASSERT_EQ(WriteHtmlSet({temp / "html", nullptr}, input), WriteResult::Done);
  EXPECT_NE(Page(1).find("<h2>履歴</h2>"), std::string::npos);
  EXPECT_NE(Page(1).find("見積り&lt;1&gt;"), std::string::npos);
  EXPECT_NE(Page(1).find("1234.5"), std::string::npos);
  EXPECT_NE(Page(0).find("履歴はありません。"), std::string::npos);
}

TEST_F(HtmlSet, ACancelledExportLeavesTheFolderEmpty) {
  StopAt stop(2);
  EXPECT_EQ(WriteHtmlSet({temp / "html", &stop}, input), WriteResult::Cancelled);
  EXPECT_TRUE(fs::is_empty(temp / "html"));
}

}  // namespace
}  // namespace io
