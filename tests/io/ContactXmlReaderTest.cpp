#include "io/ContactXmlReader.h"

#include <gtest/gtest.h>

#include "io/ImportTestSupport.h"
#include "platform/TempFolder.h"

namespace io {
namespace {

// Written by hand from the ContactXML 1.1 schema: a person with readings, home and office
// addresses, several telephones and mail addresses; a company without a person; and an item
// whose names come in parts.
constexpr const char* kTwoContacts = R"(<?xml version="1.0" encoding="UTF-8"?>
<ContactXML xmlns="http://www.xmlns.org/2002/ContactXML" version="1.1" creator="test">
  <ContactXMLItem lastModified="2026-12-01T10:00:00+09:00">
    <PersonName>
      <PersonNameItem xml:lang="en"><FullName>Yui Nakamura</FullName></PersonNameItem>
      <PersonNameItem xml:lang="ja-JP">
        <FullName pronunciation="ナカムラ ユイ">中村　結衣</FullName>
      </PersonNameItem>
    </PersonName>
    <Occupation>
      <OccupationItem>
        <OrganizationName pronunciation="ソレルショウジ">㈱ソレル商事</OrganizationName>
        <Department>営業部</Department>
        <JobTitle>課長</JobTitle>
      </OccupationItem>
    </Occupation>
    <Address>
      <AddressItem locationType="Home" preference="True">
        <AddressCode codeDomain="ZIP7">980-0021</AddressCode>
        <FullAddress>宮城県仙台市青葉区中央1-1-1</FullAddress>
      </AddressItem>
      <AddressItem locationType="Office">
        <AddressCode codeDomain="ZIP7">100-0001</AddressCode>
        <AddressLine>東京都</AddressLine>
        <AddressLine>千代田区千代田</AddressLine>
        <AddressLine>1-1 ソレルビル3F</AddressLine>
      </AddressItem>
    </Address>
    <Phone>
      <PhoneItem locationType="Home" phoneType="Phone">022-111-2222</PhoneItem>
      <PhoneItem locationType="Home" phoneType="Fax">022-111-3333</PhoneItem>
      <PhoneItem locationType="Office" phoneType="Phone">03-1234-5678</PhoneItem>
      <PhoneItem locationType="Office" phoneType="Fax">03-1234-5679</PhoneItem>
      <PhoneItem phoneType="Cellular">090-1111-2222</PhoneItem>
      <PhoneItem phoneType="Cellular">080-3333-4444</PhoneItem>
    </Phone>
    <Email>
      <EmailItem locationType="Home">yui@example.jp</EmailItem>
      <EmailItem locationType="Office" preference="True">nakamura@sorrel.example.jp</EmailItem>
    </Email>
    <WebSite><WebSiteItem>https://sorrel.example.jp/</WebSiteItem></WebSite>
    <Birthday>1964-03-26</Birthday>
    <Gender>Female</Gender>
    <Note><NoteItem>要確認（転居予定）</NoteItem></Note>
  </ContactXMLItem>
  <ContactXMLItem>
    <Occupation><OccupationItem><OrganizationName>有限会社山田製作所</OrganizationName></OccupationItem></Occupation>
  </ContactXMLItem>
  <ContactXMLItem>
    <PersonName><PersonNameItem>
      <LastName pronunciation="ヤマダ">山田</LastName><FirstName pronunciation="タロウ">太郎</FirstName>
    </PersonNameItem></PersonName>
  </ContactXMLItem>
</ContactXML>
)";

TEST(ContactXmlReader, ReadsNamesReadingsAddressesPhonesAndMail) {
  const ContactXmlRead read = ReadContactXml(kTwoContacts);
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.customers.size(), 3u);
  const records::CKokyaku& k = *read.customers[0];
  EXPECT_EQ(k.Name, "中村　結衣");
  EXPECT_EQ(k.Yomi, "ナカムラ ユイ");
  EXPECT_EQ(k.CompName, "㈱ソレル商事");
  EXPECT_EQ(k.CompYomi, "ソレルショウジ");
  EXPECT_EQ(k.Section, "営業部");
  EXPECT_EQ(k.Post, "課長");
  EXPECT_EQ(k.EntryType, 1);
  EXPECT_EQ(k.Zip_Home, "980-0021");
  EXPECT_EQ(k.Add1_Home, "宮城県");
  EXPECT_EQ(k.Add2_Home, "仙台市青葉区中央1-1-1");
  EXPECT_EQ(k.Zip_Office, "100-0001");
  EXPECT_EQ(k.Add1_Office, "東京都");
  EXPECT_EQ(k.Add2_Office, "千代田区千代田");
  EXPECT_EQ(k.Add3_Office, "1-1 ソレルビル3F");
  EXPECT_EQ(k.TEL_Home, "022-111-2222");
  EXPECT_EQ(k.FAX_Home, "022-111-3333");
  EXPECT_EQ(k.TEL_Office, "03-1234-5678");
  EXPECT_EQ(k.FAX_Office, "03-1234-5679");
  EXPECT_EQ(k.CellPhone1, "090-1111-2222");
  EXPECT_EQ(k.CellPhone2, "080-3333-4444");
  EXPECT_EQ(k.EMail1, "yui@example.jp");
  EXPECT_EQ(k.EMail2, "nakamura@sorrel.example.jp");
  EXPECT_EQ(k.CommonMail, 2);
  EXPECT_EQ(k.URL1, "https://sorrel.example.jp/");
  EXPECT_EQ(k.BirthDay.Format(), "1964/03/26");
  EXPECT_EQ(k.Sex, 1);
  EXPECT_EQ(k.Note1, "要確認（転居予定）");

  const records::CKokyaku& company = *read.customers[1];
  EXPECT_EQ(company.CompName, "有限会社山田製作所");
  EXPECT_EQ(company.EntryType, 0);
  EXPECT_EQ(company.TaxMethod, 4);  // unmapped codes take their defaults
  EXPECT_EQ(company.CommonMail, 1);

  EXPECT_EQ(read.customers[2]->Name, "山田　太郎");
  EXPECT_EQ(read.customers[2]->Yomi, "ヤマダ　タロウ");
}

TEST(ContactXmlReader, ForeignOrDamagedFilesGiveTheirMessageAndNoRecords) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* messageHead;
  };
  const Case cases[] = {
      {"other XML", "<?xml version=\"1.0\"?><addressbook><contact/></addressbook>", "x.xmlはContactXMLファイルではありません"},
      {"cut short", std::string(kTwoContacts).substr(0, 400), "x.xmlを読み込めませんでした"},
      {"not XML", "\x89PNG\r\n", "x.xmlを読み込めませんでした"},
      {"Shift_JIS with bytes that are no CP932", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><ContactXML>\x85\x40</ContactXML>",
       "x.xmlを読み込めませんでした"},
  };
  for (const Case& c : cases) {
    const ContactXmlRead read = ReadContactXml(c.bytes, "x.xml");
    EXPECT_EQ(read.error.rfind(c.messageHead, 0), 0u) << c.name << ": " << read.error;
    EXPECT_TRUE(read.customers.empty()) << c.name;
  }
}

TEST(ContactXmlReader, ReadsShiftJisFiles) {
  const std::string bytes = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" +
                            test::Cp932("<ContactXML><ContactXMLItem><PersonName><PersonNameItem><FullName>髙橋　﨑子</FullName>"
                                        "</PersonNameItem></PersonName></ContactXMLItem></ContactXML>");
  const ContactXmlRead read = ReadContactXml(bytes);
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.customers.size(), 1u);
  EXPECT_EQ(read.customers[0]->Name, "髙橋　﨑子");
}

TEST(ContactXmlReader, AFolderGivesTheCustomersOfEveryXmlFileInNameOrder) {
  testing_support::TempFolder temp;
  const std::string one = "<ContactXML><ContactXMLItem><PersonName><PersonNameItem><FullName>一</FullName></PersonNameItem></PersonName></ContactXMLItem></ContactXML>";
  const std::string two = "<c:ContactXML xmlns:c=\"http://www.xmlns.org/2002/ContactXML\"><c:ContactXMLItem><c:PersonName><c:PersonNameItem><c:FullName>二</c:FullName></c:PersonNameItem></c:PersonName></c:ContactXMLItem></c:ContactXML>";
  test::WriteBytes(temp / "b.xml", two);
  test::WriteBytes(temp / "a.XML", one);
  test::WriteBytes(temp / "notes.txt", "not read");
  const ContactXmlRead read = ReadContactXmlFolder(temp.Path());
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.customers.size(), 2u);
  EXPECT_EQ(read.customers[0]->Name, "一");
  EXPECT_EQ(read.customers[1]->Name, "二");

  test::WriteBytes(temp / "c.xml", "<broken");
  const ContactXmlRead broken = ReadContactXmlFolder(temp.Path());
  EXPECT_FALSE(broken.ok());
  EXPECT_TRUE(broken.customers.empty());

  testing_support::TempFolder empty;
  EXPECT_EQ(ReadContactXmlFolder(empty.Path()).error, kXmlNoFiles);
}

}  // namespace
}  // namespace io
