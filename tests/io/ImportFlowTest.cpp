// "外部ﾃﾞｰﾀの取り込み..." from the choice of format to the customers in the store, with every
// dialog answered through the scripted Ui: all records or none.
#include <gtest/gtest.h>

#include "io/CImportMappingDlg.h"
#include "io/CImportOptionDlg.h"
#include "io/CImportPickDlg.h"
#include "io/CImportTextDlg.h"
#include "io/Import.h"
#include "io/ImportTestSupport.h"
#include "io/ImportText.h"
#include "shell/DocumentTestSupport.h"

namespace io {
namespace {

using ui::Answer;

class ImportFlow : public shell::test::DocumentFolderTest {
 protected:
  ~ImportFlow() override { doc.Store().SaveQMV(true); }

  records::KokyakuList Stored() {
    records::KokyakuList all;
    EXPECT_EQ(doc.Store().GetAllKokyaku(all, "ORDER BY [Customer].[CustomerID]"), 1);
    return all;
  }
  void ChooseFormat(ImportFormat format) {
    ui.ExpectDialog<CImportOptionDlg>([format](CImportOptionDlg& d) {
      EXPECT_EQ(d.Title(), "データの取り込み");
      d.Select(static_cast<int>(format));
      d.OnOK();
    });
  }
  std::filesystem::path WriteCsv(std::string_view utf8) {
    const auto file = temp / "customers.csv";
    test::WriteBytes(file, test::Cp932(utf8));
    return file;
  }
  static void MapFirstTwo(CImportMappingDlg& d) {
    const auto pick = [&d](std::string_view key, int line) {
      for (std::size_t i = 0; i < d.Available().size(); ++i) {
        if (d.Available()[i].key == key) d.SelectAvailable(static_cast<int>(i));
      }
      d.SelectLine(line);
      d.OnMap();
    };
    pick("CustomerID", 0);
    pick("Name", 1);
    d.OnFinish();
  }
};

TEST_F(ImportFlow, ACsvFileComesInWithItsCaptionsMappedAndItsRowsAdded) {
  const auto file = WriteCsv("お客様コード,氏名,締め日\r\n00001,中村　結衣,９９\r\n00002,髙橋　﨑,7日\r\n");
  ChooseFormat(ImportFormat::Text);
  ui.ExpectOpenFile(file);
  ui.ExpectDialog<CImportTextDlg>([](CImportTextDlg& d) {
    EXPECT_NE(d.Preview().find("中村　結衣"), std::string::npos);
    d.OnOK();
  });
  ui.ExpectDialog<CImportMappingDlg>([](CImportMappingDlg& d) {
    EXPECT_EQ(d.Mapping(), (ImportMapping{"", "CustomerID", "Name", "ClosingDay"}));
    EXPECT_FALSE(d.FromFirstRow());
    d.OnFinish();
  });
  ASSERT_TRUE(ImportExternalData(ui, doc));
  const records::KokyakuList all = Stored();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0]->CustomerID, "00001");
  EXPECT_EQ(all[0]->ClosingDay, 99);
  EXPECT_EQ(all[1]->Name, "髙橋　﨑");
  EXPECT_EQ(all[1]->ClosingDay, 7);
  EXPECT_EQ(all[1]->EntryType, 1);
  EXPECT_EQ(all[1]->CommonMail, 1);
}

TEST_F(ImportFlow, TheLastMappingForAFileOfTheSameColumnsIsOfferedAgain) {
  const auto file = WriteCsv("a,b\r\n001,山田\r\n");
  for (int run = 0; run < 2; ++run) {
    ChooseFormat(ImportFormat::Text);
    ui.ExpectOpenFile(file);
    ui.ExpectDialog<CImportTextDlg>([](CImportTextDlg& d) { d.OnOK(); });
    ui.ExpectDialog<CImportMappingDlg>([run](CImportMappingDlg& d) {
      if (run == 0) {
        EXPECT_EQ(d.Mapping(), (ImportMapping{"", "", ""}));
        d.SetFromFirstRow(true);
        MapFirstTwo(d);
      } else {
        EXPECT_EQ(d.Mapping(), (ImportMapping{"", "CustomerID", "Name"}));
        EXPECT_TRUE(d.FromFirstRow());
        d.OnFinish();
      }
    });
    ASSERT_TRUE(ImportExternalData(ui, doc));
  }
  EXPECT_EQ(Stored().size(), 4u);
}

TEST_F(ImportFlow, BackReturnsToTheFormatChoice) {
  const auto file = WriteCsv("a,b\r\n");
  ChooseFormat(ImportFormat::Text);
  ui.ExpectOpenFile(file);
  ui.ExpectDialog<CImportTextDlg>([](CImportTextDlg& d) { d.OnBack(); });
  ui.ExpectDialog<CImportOptionDlg>([](CImportOptionDlg& d) { d.OnCancel(); });
  EXPECT_FALSE(ImportExternalData(ui, doc));
}

TEST_F(ImportFlow, FailuresStopWithTheirMessageAndAddNothing) {
  // An empty file: no data row.
  ChooseFormat(ImportFormat::Text);
  ui.ExpectOpenFile(WriteCsv(""));
  ui.ExpectDialog<CImportTextDlg>([](CImportTextDlg& d) { d.OnOK(); });
  ui.ExpectMessage(kNoDataRows);
  EXPECT_FALSE(ImportExternalData(ui, doc));

  // Malformed text.
  ChooseFormat(ImportFormat::Text);
  ui.ExpectOpenFile(WriteCsv("\"a\"b,c\r\nd,e\r\n"));
  ui.ExpectDialog<CImportTextDlg>([](CImportTextDlg& d) { d.OnOK(); });
  ui.ExpectMessage(kTextMalformed);
  EXPECT_FALSE(ImportExternalData(ui, doc));

  // A damaged workbook.
  ChooseFormat(ImportFormat::Excel);
  const auto bad = temp / "bad.xls";
  test::WriteBytes(bad, "this is no workbook");
  ui.ExpectOpenFile(bad);
  ui.ExpectMessage("bad.xlsはExcelのブックとして読み込めませんでした。処理を中断します");
  EXPECT_FALSE(ImportExternalData(ui, doc));

  // A foreign file as a database.
  ChooseFormat(ImportFormat::Access);
  ui.ExpectOpenFile(bad);
  ui.ExpectMessage("bad.xlsはAccessのデータベースとして開けませんでした。\n処理を中止します。");
  EXPECT_FALSE(ImportExternalData(ui, doc));
  EXPECT_TRUE(Stored().empty());
}

TEST_F(ImportFlow, ACancelWhileConvertingAddsNothing) {
  std::string csv = "a,b\r\n";
  for (int i = 0; i < 2500; ++i) csv += std::to_string(i) + ",名前" + std::to_string(i) + "\r\n";
  ChooseFormat(ImportFormat::Text);
  ui.ExpectOpenFile(WriteCsv(csv));
  ui.ExpectDialog<CImportTextDlg>([](CImportTextDlg& d) { d.OnOK(); });
  ui.ExpectDialog<CImportMappingDlg>([this](CImportMappingDlg& d) {
    MapFirstTwo(d);
    ui.CancelProgressAt(2000);  // the conversion, at row 2,000
  });
  EXPECT_FALSE(ImportExternalData(ui, doc));
  EXPECT_TRUE(Stored().empty());
  EXPECT_FALSE(ui.Waiting());
}

TEST_F(ImportFlow, ACancelWhileAddingRollsBackWhatWasAdded) {
  records::KokyakuList customers;
  for (int i = 0; i < 2500; ++i) customers.push_back(std::make_unique<records::CKokyaku>(NewImportedCustomer()));
  ui.CancelProgressAt(1000);  // at 1,000 records stored
  EXPECT_FALSE(AddImportedCustomers(ui, doc.Store(), customers));
  EXPECT_EQ(ui.FurthestStep(), 1000);
  EXPECT_TRUE(Stored().empty());
}

TEST_F(ImportFlow, ARecordTheStoreRefusesAddsNoneOfThem) {
  records::KokyakuList customers;
  customers.push_back(std::make_unique<records::CKokyaku>());
  customers.push_back(nullptr);  // a record the store cannot take
  ui.ExpectMessage(kAddFailed);
  EXPECT_FALSE(AddImportedCustomers(ui, doc.Store(), customers));
  EXPECT_TRUE(Stored().empty());
}

TEST_F(ImportFlow, ReadOnlyDataRefusesTheImport) {
  doc.SetReadOnly(true);
  ui.ExpectMessage(kReadOnly);
  EXPECT_FALSE(ImportExternalData(ui, doc));
}

TEST_F(ImportFlow, ContactXmlFileComesInWithoutMapping) {
  const auto file = temp / "one.xml";
  test::WriteBytes(file, "<ContactXML><ContactXMLItem><PersonName><PersonNameItem><FullName>山田　太郎</FullName>"
                         "</PersonNameItem></PersonName></ContactXMLItem></ContactXML>");
  ChooseFormat(ImportFormat::ContactXml);
  ui.ExpectDialog<CImportOptionDlg>([](CImportOptionDlg& d) {
    EXPECT_EQ(d.Title(), "XMLファイルの指定");
    d.Select(1);
    d.OnOK();
  });
  ui.ExpectOpenFile(file);
  ASSERT_TRUE(ImportExternalData(ui, doc));
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0]->Name, "山田　太郎");
}

}  // namespace
}  // namespace io
