// The sibling product's ledger: the fixed positions, its archive file, and the command's checks.
#include <gtest/gtest.h>

#include "io/CImportOptionDlg.h"
#include "io/Import.h"
#include "io/ImportMirte.h"
#include "io/ImportTestSupport.h"
#include "platform/CProfile.h"
#include "platform/InstallLayout.h"
#include "settings/CArchive.h"
#include "settings/CFileStream.h"
#include "shell/DocumentTestSupport.h"
#include "text/Format.h"

namespace io {
namespace {

using Entry = std::vector<std::string>;

TEST(MirteLedger, PositionsBecomeCustomerColumns) {
  struct Case {
    const char* name;
    Entry entry;
    bool workbook;
    bool survives;
    std::function<void(const records::CKokyaku&)> check;
  };
  const Case cases[] = {
      {"person", {"K01", "", "", "様", "山田　太郎", "", "100-0001", "東京都千代田区1-1", "03-1111-2222", "03-1111-3333"}, false, true,
       [](const records::CKokyaku& k) {
         EXPECT_EQ(k.CustomerID, "K01");
         EXPECT_EQ(k.Suffix, "様");
         EXPECT_EQ(k.Name, "山田　太郎");
         EXPECT_EQ(k.EntryType, 1);
         EXPECT_EQ(k.Zip_Home, "100-0001");
         EXPECT_EQ(k.Add3_Home, "東京都千代田区1-1");
         EXPECT_EQ(k.TEL_Home, "03-1111-2222");
         EXPECT_EQ(k.FAX_Home, "03-1111-3333");
         EXPECT_EQ(k.Zip_Office, "");
       }},
      {"company", {"K02", "㈱ソレル", "営業部", "御中", "", "様", "980-0021", "仙台市", "022-1", "022-2"}, false, true,
       [](const records::CKokyaku& k) {
         EXPECT_EQ(k.CompName, "㈱ソレル");
         EXPECT_EQ(k.Section, "営業部");
         EXPECT_EQ(k.Suffix, "御中");  // position 5 needs a name to replace a set honorific
         EXPECT_EQ(k.EntryType, 0);
         EXPECT_EQ(k.Zip_Office, "980-0021");
         EXPECT_EQ(k.Add3_Office, "仙台市");
         EXPECT_EQ(k.TEL_Office, "022-1");
         EXPECT_EQ(k.FAX_Office, "022-2");
       }},
      {"second honorific with a name", {"", "会社", "", "御中", "担当者", "様"}, false, true,
       [](const records::CKokyaku& k) { EXPECT_EQ(k.Suffix, "様"); }},
      {"second honorific when the first is empty", {"", "", "", "", "", "殿"}, false, true,
       [](const records::CKokyaku& k) { EXPECT_EQ(k.Suffix, "殿"); }},
      {"empty ledger entry", {"", "", "", "", "", "", "", "", "", "", "x"}, false, false, nullptr},
      {"workbook row with only position 10", {"", "", "", "", "", "", "", "", "", "", "x", "", ""}, true, false, nullptr},
      {"workbook tax and closing day", {"K03", "", "", "", "佐藤", "", "", "", "", "", "", "4", "99"}, true, true,
       [](const records::CKokyaku& k) {
         EXPECT_EQ(k.TaxMethod, 3);
         EXPECT_EQ(k.ClosingDay, 99);
       }},
      {"workbook tax 2 and a bad day", {"K04", "", "", "", "", "", "", "", "", "", "", "2", "32"}, true, true,
       [](const records::CKokyaku& k) {
         EXPECT_EQ(k.TaxMethod, 0);
         EXPECT_EQ(k.ClosingDay, 0);
       }},
      {"workbook tax 3 leaves it unset", {"K05", "", "", "", "", "", "", "", "", "", "", "3", ""}, true, true,
       [](const records::CKokyaku& k) { EXPECT_EQ(k.TaxMethod, 4); }},
      {"workbook row with position 12 only", {"", "", "", "", "", "", "", "", "", "", "", "", "10"}, true, true, nullptr},
  };
  for (const Case& c : cases) {
    const auto k = MirteCustomer(c.entry, c.workbook);
    ASSERT_EQ(k.has_value(), c.survives) << c.name;
    if (k && c.check) c.check(*k);
  }
}

// An element of the ledger as the ledger tool writes it.
class LedgerStrings : public settings::CSerializable {
 public:
  void Serialize(settings::CArchive& ar) override { ar.Exchange(strings); }
  std::string_view GetClassName() const override { return "CStringArray"; }
  std::uint16_t GetSchema() const override { return 0; }
  std::vector<std::string> strings;
};

void WriteLedger(const std::filesystem::path& file, std::int32_t version, const std::vector<Entry>& entries) {
  std::filesystem::remove(file);
  settings::CFileStream stream = settings::CFileStream::CreateNew(file);
  settings::CArchive ar(stream, settings::CArchive::Mode::Store);
  ar.StoreInt32(version);
  std::vector<std::shared_ptr<LedgerStrings>> objects;
  for (const Entry& e : entries) {
    objects.push_back(std::make_shared<LedgerStrings>());
    objects.back()->strings = e;
  }
  ar.StoreObjects(objects);
  ar.StoreUInt32s(std::vector<std::uint32_t>(entries.size(), 0));
  ar.Close();
  stream.Close();
}

class MirteImport : public shell::test::DocumentFolderTest {
 protected:
  ~MirteImport() override { doc.Store().SaveQMV(true); }
  void InstallMirte(int version) {
    platform::CProfile machine(platform::MachineIniFile(Install()));
    ASSERT_TRUE(machine.WriteInt(kMirteSection, kMirteVersionEntry, version));
    ASSERT_TRUE(machine.WriteString(kCodeDataSection, kCodeDataEntry, (temp / "codedata").string()));
    std::filesystem::create_directories(temp / "codedata");
  }
  void Choose(int source) {
    ui.ExpectDialog<CImportOptionDlg>([source](CImportOptionDlg& d) {
      EXPECT_EQ(d.Title(), "ミルテデータの取り込み");
      d.Select(source);
      d.OnOK();
    });
  }
  std::size_t StoredCount() {
    records::KokyakuList all;
    EXPECT_EQ(doc.Store().GetAllKokyaku(all), 1);
    return all.size();
  }
};

TEST_F(MirteImport, TheLedgerToolsFileComesIn) {
  InstallMirte(720);
  WriteLedger(temp / "codedata" / kMirteLedgerFile, 1,
              {{"K01", "", "", "様", "髙橋　﨑"}, {"", "", "", "", "", "", "", "", "", ""}, {"K02", "㈱ソレル"}});
  Choose(1);
  ASSERT_TRUE(ImportFromMirte(ui, doc));
  EXPECT_EQ(StoredCount(), 2u);
}

TEST_F(MirteImport, VersionsAndFilesAreChecked) {
  InstallMirte(700);
  Choose(1);
  ui.ExpectMessage(kMirteMissing);
  EXPECT_FALSE(ImportFromMirte(ui, doc));

  InstallMirte(800);
  Choose(1);
  ui.ExpectMessage(kMirteNewer, ui::Buttons::YesNo, ui::Icon::Warning, ui::Answer::No, ui::Answer::No);
  EXPECT_FALSE(ImportFromMirte(ui, doc));

  const auto ledger = temp / "codedata" / kMirteLedgerFile;
  Choose(1);
  ui.ExpectMessage(kMirteNewer, ui::Answer::Yes);
  ui.ExpectMessage(text::Format(kMirteLedgerMissing, ledger.string()));
  EXPECT_FALSE(ImportFromMirte(ui, doc));

  test::WriteBytes(ledger, std::string("\x01\x00\x00\x00\x05\x00", 6));  // cut short
  Choose(1);
  ui.ExpectMessage(kMirteNewer, ui::Answer::Yes);
  ui.ExpectMessage(text::Format(kMirteLedgerUnreadable, ledger.string()));
  EXPECT_FALSE(ImportFromMirte(ui, doc));

  WriteLedger(ledger, 2, {{"K01", "会社"}});  // a later layout: nothing of it is read
  Choose(1);
  ui.ExpectMessage(kMirteNewer, ui::Answer::Yes);
  ui.ExpectMessage(kNoCustomers);
  EXPECT_FALSE(ImportFromMirte(ui, doc));
  EXPECT_EQ(StoredCount(), 0u);
}

}  // namespace
}  // namespace io
