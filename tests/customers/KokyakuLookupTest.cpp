// The postal-code and phone-number lookups of the entry dialogs against small dictionaries and a
// phone book written by the lookup tool's own writers.
#include "customers/AddressLookup.h"

#include <gtest/gtest.h>

#include "customers/CAddressSelectDlg.h"
#include "customers/CKokyakuSubDlg.h"
#include "lookup/CLookupFacility.h"
#include "platform/CProfile.h"
#include "platform/InstallLayout.h"
#include "platform/ScopedEnv.h"
#include "settings/SettingsTestSupport.h"

namespace customers {
namespace {

using lookup::CMultiDB;
using lookup::CPhoneCandidate;
using lookup::CPostalCandidate;
using ui::Answer;

class LookupTest : public settings::test::SettingsFolderTest {
 protected:
  LookupTest() {
    PlaceColumnSet();
    std::filesystem::create_directories(temp / "media");
    Write(temp / "yubin" / CMultiDB::kPostalFileName, CMultiDB::Dictionary::Postal,
          {{"1000001", "東京都", "千代田区", "千代田", "", ""},
           {"1000004", "東京都", "千代田区", "大手町（次のビルを除く）", "", ""},
           {"0600042", "北海道", "札幌市中央区", "大通西（１～１９丁目）", "", ""}});
    Write(temp / "hojin" / CMultiDB::kBusinessFileName, CMultiDB::Dictionary::Business,
          {{"1008979", "東京都", "千代田区", "霞が関", "３丁目３－２", "株式会社霞が関"}});
    std::string error;
    std::filesystem::create_directories(temp / "tel");
    EXPECT_TRUE(lookup::WritePhoneBook(temp / "tel" / lookup::CFnw::kBookFileName,
                                       {{"03-1234-5678", "1000001", "山田商店", "東京都", "千代田区", "千代田", "１－１"},
                                        {"06-1111-2222", "5300001", "梅田商会", "大阪府", "大阪市北区", "梅田", "２－２"},
                                        {"06-1111-2222", "5300001", "梅田支店", "大阪府", "大阪市北区", "梅田", "２－３"}},
                                       error))
        << error;
    platform::CProfile machine(platform::MachineIniFile(Install()));
    for (const auto& [entry, folder] : {std::pair{"YubinPath", "yubin"}, {"HojinPath", "hojin"}, {"HDPath", "tel"}, {"DataPath", "tel"}}) {
      EXPECT_TRUE(machine.WriteString(lookup::CLookupFacility::kMachineSection, entry, (temp / folder).string()));
    }
  }
  static void Write(const std::filesystem::path& file, CMultiDB::Dictionary kind, std::vector<CPostalCandidate> records) {
    std::filesystem::create_directories(file.parent_path());
    std::string error;
    EXPECT_TRUE(lookup::WritePostalDictionary(file, kind, std::move(records), error)) << error;
  }
  void Postal(const char* zip) {
    form.SetText("Zip_Home", zip);
    LookupPostalCode(ui, &lookups, form, AddressBlock::Home);
  }

  testing_support::ScopedEnv media_{"TOVANA_MEDIA_ROOTS", (temp / "media").string()};
  lookup::CLookupFacility lookups{ui, Install()};
  CKokyakuForm form;
};

TEST_F(LookupTest, ShortOrEmptyCodesAreRefusedAndThreeDigitsSearchEveryCodeBeginningWithThem) {
  ui.ExpectMessage(kZipEmpty).ExpectMessage(kZipTooShort);
  Postal("〒");
  Postal("10");
  EXPECT_EQ(PostalSearchKey("100"), "100*");
  ui.ExpectDialog<CAddressSelectDlg>([](CAddressSelectDlg& d) {
    ASSERT_EQ(d.Texts().size(), 2u);
    EXPECT_EQ(d.Texts()[1], "100-0004 東京都 千代田区 大手町（次のビルを除く）");
    d.Select(1);
    d.OnOK();
  });
  Postal("100");
  EXPECT_EQ(form.Text("Zip_Home"), "100-0004");
  EXPECT_EQ(form.Text("Add1_Home"), "東京都");
  EXPECT_EQ(form.Text("Add3_Home"), "大手町");  // the parenthesised note is dropped
  EXPECT_EQ(form.TakeFocus(), "Add3_Home");
}

TEST_F(LookupTest, AFullWidthCodeWithAHyphenIsSearchedAsSevenDigitsAndOverwritingAsksFirst) {
  EXPECT_EQ(PostalSearchKey("０６０－００４２"), "0600042");
  Postal("０６０－００４２");
  EXPECT_EQ(form.Text("Add2_Home"), "札幌市中央区");
  EXPECT_EQ(form.Text("Add3_Home"), "大通西");
  form.SetText("Add3_Home", "大通西１－１");
  ui.ExpectMessage(kOverwriteAddress, Answer::No);
  Postal("1000001");
  EXPECT_EQ(form.Text("Add3_Home"), "大通西１－１");
  EXPECT_EQ(form.Text("Zip_Home"), "1000001");
  ui.ExpectMessage(kOverwriteAddress, Answer::Yes);
  Postal("1000001");
  EXPECT_EQ(form.Text("Add3_Home"), "千代田");
}

TEST_F(LookupTest, ABusinessReceiverStandsInOnlyWhenItAloneAnswersAndNothingFoundIsSaid) {
  Postal("1008979");
  EXPECT_EQ(form.Text("Add3_Home"), "霞が関３丁目３－２");
  ui.ExpectMessage(kNothingFound);
  Postal("9999999");
  EXPECT_EQ(form.Text("Zip_Home"), "9999999");
  EXPECT_EQ(form.Text("Add3_Home"), "霞が関３丁目３－２");
  EXPECT_EQ(WithoutFirstParenthesis("札幌市（旧）中央区（北）"), "札幌市中央区（北）");
  EXPECT_EQ(WithoutFirstParenthesis("大通西（１～"), "大通西（１～");
}

TEST_F(LookupTest, WithoutTheLookupsTheDialogSaysThereIsNoApplication) {
  form.SetText("Zip_Home", "1000001");
  ui.ExpectMessage(kNoApplication);
  LookupPostalCode(ui, nullptr, form, AddressBlock::Home);
  EXPECT_EQ(form.Text("Add1_Home"), "");
}

TEST_F(LookupTest, APhoneNumberFillsTheAddressAndAnEmptyNameAfterTheQuestionThatNamesIt) {
  ui.ExpectMessage(kTelEmpty);
  LookupPhoneNumber(ui, &lookups, form, AddressBlock::Office);

  form.SetText("TEL_Office", "03(1234)5678");
  LookupPhoneNumber(ui, &lookups, form, AddressBlock::Office);
  EXPECT_EQ(form.Text("CompName"), "山田商店");
  EXPECT_EQ(form.Text("Add3_Office"), "千代田１－１");
  EXPECT_EQ(form.Text("Zip_Office"), "100-0001");
  EXPECT_EQ(form.TakeFocus(), "CompName");

  form.SetText("TEL_Office", "06-1111-2222");
  ui.ExpectDialog<CAddressSelectDlg>([](CAddressSelectDlg& d) {
    d.Select(1);
    d.OnOK();
  });
  ui.ExpectMessage("郵便番号・住所を上書きしてよろしいですか？\n※会社名は上書きしません。", Answer::Yes);
  LookupPhoneNumber(ui, &lookups, form, AddressBlock::Office);
  EXPECT_EQ(form.Text("CompName"), "山田商店");
  EXPECT_EQ(form.Text("Add3_Office"), "梅田２－３");

  form.SetText("TEL_Home", "06-1111-2222");
  form.SetText("Zip_Home", "1");
  ui.ExpectDialog<CAddressSelectDlg>([](CAddressSelectDlg& d) { d.OnCancel(); });
  LookupPhoneNumber(ui, &lookups, form, AddressBlock::Home);
  ui.ExpectDialog<CAddressSelectDlg>([](CAddressSelectDlg& d) { d.OnOK(); });
  ui.ExpectMessage("氏名・郵便番号・住所を上書きしてよろしいですか？", Answer::No);
  LookupPhoneNumber(ui, &lookups, form, AddressBlock::Home);
  EXPECT_EQ(form.Text("Zip_Home"), "1");
  EXPECT_EQ(form.Text("Name"), "");
}

TEST_F(LookupTest, TheHomeSubDialogLooksUpItsOwnBlock) {
  form.SetText("Zip_Home", "0600042");
  CKokyakuSubDlg sub(ui, SubKind::HomeInfo, form, &lookups, Install());
  sub.OnPostalLookup();
  EXPECT_EQ(sub.Form().Text("Add1_Home"), "北海道");
  EXPECT_EQ(form.Text("Add1_Home"), "");
}

}  // namespace
}  // namespace customers
