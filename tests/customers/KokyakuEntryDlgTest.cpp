// The customer entry dialogs over a real database through the document's owner: the name rules,
// add staying open, modify with stepping, the closing test, bad input, failed saves and the
// sub-dialogs.
#include "customers/KokyakuEntry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "customers/CKokyakuCompanyDlg.h"
#include "customers/CKokyakuDocOwner.h"
#include "customers/CKokyakuNormalDlg.h"
#include "customers/CKokyakuPersonDlg.h"
#include "customers/CKokyakuPictureDlg.h"
#include "customers/KokyakuChoices.h"
#include "shell/CTovanaDoc.h"
#include "shell/DocumentTestSupport.h"

namespace customers {
namespace {

using records::CKokyaku;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

class EntryDlgTest : public shell::test::DocumentFolderTest {
 protected:
  std::int32_t Stored(const char* name, const char* compName = "") {
    auto k = std::make_unique<CKokyaku>();
    k->Name = name;
    k->CompName = compName;
    k->EntryType = 1;
    k->Suffix = "様";
    return doc.AddCustomer(k);
  }
  // What the database holds for id.
  CKokyaku InDatabase(std::int32_t id) {
    records::KokyakuList all;
    EXPECT_EQ(doc.Store().GetAllKokyaku(all), 1);
    for (const auto& k : all) {
      if (k->ID == id) return *k;
    }
    ADD_FAILURE() << "customer " << id << " is not stored";
    return {};
  }
  std::size_t StoredCount() {
    records::KokyakuList all;
    EXPECT_EQ(doc.Store().GetAllKokyaku(all), 1);
    return all.size();
  }
  CKokyakuNormalDlg AddDialog() { return CKokyakuNormalDlg(ui, KokyakuMode::Add, &owner, Install()); }

  CKokyakuDocOwner owner{doc, nullptr};
};

TEST_F(EntryDlgTest, TheThreeNameRulesAskBeforeSavingAndCancelAbortsTheSave) {
  auto dialog = AddDialog();
  CKokyakuForm& form = dialog.Form();
  form.SetValue("EntryType", 0);
  form.SetText("CompName", "株式会社　青葉");
  ui.ExpectMessage(CKokyakuDlg::kSuffixQuestion, Buttons::YesNoCancel, Icon::Question, Answer::Yes, Answer::Cancel);
  dialog.OnOK();
  EXPECT_EQ(StoredCount(), 0u);
  EXPECT_EQ(form.Text("Suffix"), "様");

  ui.ExpectMessage(CKokyakuDlg::kSuffixQuestion, Buttons::YesNoCancel, Icon::Question, Answer::Yes, Answer::Yes);
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes);
  dialog.OnOK();
  ASSERT_EQ(doc.Customers().size(), 1u);
  EXPECT_EQ(doc.Customers()[0]->Suffix, "御中");

  form.SetValue("EntryType", 0);
  form.SetText("Yomi", "ｱｵﾊﾞ");
  ui.ExpectMessage(CKokyakuDlg::kNoNames, Buttons::YesNo, Icon::Question, Answer::No, Answer::No);
  dialog.OnOK();
  form.SetValue("EntryType", 1);
  ui.ExpectMessage(CKokyakuDlg::kNoName, Buttons::YesNo, Icon::Question, Answer::No, Answer::No);
  dialog.OnOK();
  EXPECT_EQ(StoredCount(), 1u);
  EXPECT_FALSE(dialog.IsClosing());
}

TEST_F(EntryDlgTest, AddStaysOpenWithABlankFormAndStoresTheUrlPrefixAndAnEmptyBirthDateAsNothing) {
  auto dialog = AddDialog();
  CKokyakuForm& form = dialog.Form();
  EXPECT_EQ(dialog.Title(), "顧客を追加－通常タイプ");
  EXPECT_EQ(form.Text("URL1"), "http://");
  EXPECT_EQ(form.Text("Suffix"), "様");
  for (const char* name : {"山田　太郎", "佐藤　花子"}) {
    form.SetText("Name", name);
    form.SetValue("EntryType", 1);
    ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes);
    dialog.OnOK();
    EXPECT_FALSE(dialog.IsClosing());
    EXPECT_EQ(form.Text("Name"), "");
    EXPECT_EQ(form.Text("URL1"), "http://");
  }
  ASSERT_EQ(doc.Customers().size(), 2u);
  const CKokyaku stored = InDatabase(doc.Customers()[0]->ID);
  EXPECT_EQ(stored.Name, "佐藤　花子");
  EXPECT_EQ(stored.URL1, "");
  EXPECT_TRUE(stored.BirthDay.IsNull());
  EXPECT_EQ(stored.ColorMark, 0xFFFFFF);
  EXPECT_EQ(dialog.SavedCount(), 2);
  dialog.OnCancel();  // a blank form closes without a question
  EXPECT_TRUE(dialog.IsClosing());
}

TEST_F(EntryDlgTest, OverLongTextAndImpossibleBirthDatesAreRefusedWithTheFocusOnTheField) {
  auto dialog = AddDialog();
  CKokyakuForm& form = dialog.Form();
  form.SetValue("EntryType", 1);
  form.SetText("Name", "山田山田山田山田山田山田山田山田山田山田山田山田山田");  // 26 full-width: 52 bytes
  ui.ExpectMessage("50文字(ﾊﾞｲﾄ)以内で入力してください");
  dialog.OnOK();
  EXPECT_EQ(dialog.TakeFocus(), "Name");

  form.SetText("Name", "山田　太郎");
  form.SetText("Add2_Office", std::string(256, 'a'));
  ui.ExpectMessage("255文字(ﾊﾞｲﾄ)以内で入力してください");
  dialog.OnOK();
  EXPECT_EQ(dialog.TakeFocus(), "Add2_Office");

  form.SetText("Add2_Office", "");
  form.SetText("BirthDay", "1980/13/01");
  ui.ExpectMessage(CKokyakuForm::kBadDate);
  dialog.OnOK();
  EXPECT_EQ(dialog.TakeFocus(), "BirthDay");
  ui.ExpectMessage(CKokyakuForm::kBadDate);
  dialog.OnCancel();  // closing reads too, and stays open on a bad date
  EXPECT_FALSE(dialog.IsClosing());
  EXPECT_EQ(StoredCount(), 0u);

  form.SetText("BirthDay", "１９８０/２/２９");
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes);
  dialog.OnOK();
  ASSERT_EQ(doc.Customers().size(), 1u);
  EXPECT_EQ(InDatabase(doc.Customers()[0]->ID).BirthDay, records::COleDate::FromCivil(1980, 2, 29));
}

TEST_F(EntryDlgTest, AFailedSaveKeepsTheInputAndTheDialogOpen) {
  auto dialog = AddDialog();
  dialog.Form().SetText("Name", "山田　太郎");
  doc.SetReadOnly(true);  // the document refuses every change now
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes).ExpectMessage(CKokyakuDlg::kAddFailed);
  dialog.OnOK();
  EXPECT_EQ(dialog.Form().Text("Name"), "山田　太郎");
  ui.ExpectMessage(CKokyakuDlg::kAddOnClose, Answer::Yes).ExpectMessage(CKokyakuDlg::kAddFailed);
  dialog.OnCancel();
  EXPECT_FALSE(dialog.IsClosing());
  EXPECT_EQ(dialog.Form().Text("Name"), "山田　太郎");
}

TEST_F(EntryDlgTest, ModifyStepsThroughTheListSavingOnlyChangedCustomersAndClosesSilentlyWhenUnchanged) {
  Stored("山田　太郎");
  const std::int32_t middle = Stored("佐藤　花子");
  Stored("鈴木　一郎");
  // The list holds the newest first: 鈴木, 佐藤, 山田.
  ui.ExpectDialog<CKokyakuPersonDlg>([&](CKokyakuPersonDlg& d) {
    EXPECT_EQ(d.Title(), "顧客を修正－個人タイプ");
    EXPECT_EQ(d.OkCaption(), "修正");
    EXPECT_TRUE(d.PreviousEnabled());
    EXPECT_TRUE(d.NextEnabled());
    EXPECT_EQ(d.Form().Text("Name"), "佐藤　花子");
    d.Form().SetText("TEL_Home", "03-1234-5678");
    d.OnNext();  // saved after the question, then on to 山田
    EXPECT_EQ(d.Form().Text("Name"), "山田　太郎");
    EXPECT_FALSE(d.NextEnabled());
    d.OnPrevious();  // unchanged: no question
    EXPECT_EQ(d.Form().Text("TEL_Home"), "03-1234-5678");
    d.OnCancel();
  });
  ui.ExpectMessage(CKokyakuDlg::kModifyQuestion, Answer::Yes);
  EXPECT_EQ(ModifyCustomerDialog(ui, owner, 1, middle, Install()), 1);
  EXPECT_EQ(InDatabase(middle).TEL_Home, "03-1234-5678");
  EXPECT_EQ(doc.Customers()[1]->TEL_Home, "03-1234-5678");
}

TEST_F(EntryDlgTest, ClosingAChangedCustomerAsksAndNoLeavesTheDatabaseAlone) {
  const std::int32_t id = Stored("山田　太郎");
  ui.ExpectDialog<CKokyakuNormalDlg>([](CKokyakuNormalDlg& d) {
    d.Form().SetText("Name", "山田　次郎");
    d.OnCancel();
  });
  ui.ExpectMessage(CKokyakuDlg::kModifyOnClose, Answer::No);
  EXPECT_EQ(ModifyCustomerDialog(ui, owner, 0, id, Install()), 0);
  EXPECT_EQ(InDatabase(id).Name, "山田　太郎");

  ui.ExpectDialog<CKokyakuNormalDlg>([](CKokyakuNormalDlg& d) {
    d.Form().SetText("Name", "山田　次郎");
    d.OnCancel();
    EXPECT_TRUE(d.ClosedWithOk());
  });
  ui.ExpectMessage(CKokyakuDlg::kModifyOnClose, Answer::Yes);
  EXPECT_EQ(ModifyCustomerDialog(ui, owner, 0, id, Install()), 1);
  EXPECT_EQ(InDatabase(id).Name, "山田　次郎");
}

TEST_F(EntryDlgTest, ACopyIsAddedAsANewCustomerAndAnUntouchedCopyClosesSilently) {
  const std::int32_t id = Stored("山田　太郎");
  ui.ExpectDialog<CKokyakuCompanyDlg>([](CKokyakuCompanyDlg& d) {
    EXPECT_EQ(d.Title(), "顧客を追加－法人タイプ");
    EXPECT_FALSE(d.StepButtonsShown());
    d.OnCancel();
  });
  EXPECT_EQ(CopyCustomerDialog(ui, owner, 2, id, Install()), 0);
  ui.ExpectDialog<CKokyakuCompanyDlg>([](CKokyakuCompanyDlg& d) {
    d.Form().SetText("Name", "山田　花子");
    d.OnOK();
    d.OnCancel();
  });
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes);
  EXPECT_EQ(CopyCustomerDialog(ui, owner, 2, id, Install()), 1);
  ASSERT_EQ(doc.Customers().size(), 2u);
  EXPECT_NE(doc.Customers()[0]->ID, id);
  EXPECT_EQ(InDatabase(doc.Customers()[0]->ID).Name, "山田　花子");
  EXPECT_EQ(InDatabase(id).Name, "山田　太郎");
}

TEST_F(EntryDlgTest, ReadOnlyDataOpensTheViewOnlyDialogAndRefusesToAdd) {
  const std::int32_t id = Stored("山田　太郎");
  doc.SetReadOnly(true);
  ui.ExpectDialog<CKokyakuNormalDlg>([](CKokyakuNormalDlg& d) {
    EXPECT_EQ(d.Title(), "顧客を参照(修正することはできません)－通常タイプ");
    EXPECT_FALSE(d.OkEnabled());
    EXPECT_EQ(d.Form().Text("URL1"), "");  // no "http://" where nothing can be typed
    d.Form().SetText("Name", "changed");
    d.OnOK();
    d.OnCancel();
  });
  ui.ExpectMessage(CKokyakuDlg::kViewOnly);
  EXPECT_EQ(ModifyCustomerDialog(ui, owner, 0, id, Install()), 0);
  ui.ExpectMessage(kReadOnlyAdd);
  EXPECT_EQ(AddCustomerDialog(ui, owner, 0, Install()), 0);
  EXPECT_EQ(InDatabase(id).Name, "山田　太郎");
}

TEST_F(EntryDlgTest, SubDialogValuesReachTheFormOnlyOnOk) {
  auto dialog = AddDialog();
  ui.ExpectDialog<CKokyakuSubDlg>([](CKokyakuSubDlg& d) {
    EXPECT_EQ(d.Title(), "備考");
    EXPECT_EQ(d.NoteCaption(9), "備考１０");
    d.Form().SetText("Note3", "毎年お中元");
    d.OnCancel();
  });
  dialog.OnSubDialog(SubKind::Notes);
  EXPECT_EQ(dialog.Form().Text("Note3"), "");

  ui.ExpectDialog<CKokyakuSubDlg>([](CKokyakuSubDlg& d) {
    EXPECT_EQ(d.Title(), "会社詳細情報");
    d.Form().SetText("Represent", std::string(51, 'x'));
    d.OnOK();  // refused: over its limit
    EXPECT_FALSE(d.IsClosing());
    d.Form().SetText("Represent", "青葉　一郎");
    d.Form().SetValue("ClosingDay", 99);
    d.OnOK();
  });
  ui.ExpectMessage("50文字(ﾊﾞｲﾄ)以内で入力してください");
  dialog.OnSubDialog(SubKind::CompanyDetails);
  EXPECT_EQ(dialog.Form().Text("Represent"), "青葉　一郎");
  EXPECT_EQ(dialog.Form().Value("ClosingDay"), 99);
  EXPECT_EQ(ClosingDayItems()[static_cast<std::size_t>(PositionOf(ClosingDayItems(), 99))].text, "99(末)");

  ui.ExpectDialog<CKokyakuSubDlg>([](CKokyakuSubDlg& d) {
    EXPECT_EQ(d.Title(), "自宅情報の登録");
    d.Form().SetText("BirthDay", "2001/02/30");
    d.OnOK();
    EXPECT_FALSE(d.IsClosing());
    d.Form().SetText("BirthDay", "2001/02/28");
    d.Form().SetValue("CommonMail", 2);
    d.OnOK();
  });
  ui.ExpectMessage(CKokyakuForm::kBadDate);
  dialog.OnSubDialog(SubKind::HomeInfo);
  EXPECT_EQ(dialog.Form().Text("BirthDay"), "2001/02/28");
  EXPECT_EQ(dialog.Form().Value("CommonMail"), 2);
}

TEST_F(EntryDlgTest, AChosenPictureIsStoredIntoThePictureFolderWhenTheCustomerIsSaved) {
  std::filesystem::create_directories(temp / "camera");
  std::ofstream(temp / "camera" / "shop.jpg") << "jpeg";
  auto dialog = AddDialog();
  dialog.Form().SetText("Name", "山田　太郎");
  ui.ExpectDialog<CKokyakuPictureDlg>([](CKokyakuPictureDlg& d) {
    EXPECT_EQ(d.Title(), "画像の選択");
    EXPECT_FALSE(d.CanDelete(1));
    d.OnRegister(1);
    EXPECT_TRUE(d.CanDelete(1));
    d.OnRegister(2);
    d.OnDelete(2);
    d.OnOK();
  });
  ui.ExpectOpenFile(temp / "camera" / "shop.jpg").ExpectOpenFile(temp / "camera" / "shop.jpg");
  ui.ExpectMessage(CKokyakuPictureDlg::kDeleteQuestion, Answer::Yes);
  dialog.OnPictures();
  EXPECT_EQ(dialog.Form().Text("Picture2"), (temp / "camera" / "shop.jpg").string());
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes);
  dialog.OnOK();
  ASSERT_EQ(doc.Customers().size(), 1u);
  const CKokyaku stored = InDatabase(doc.Customers()[0]->ID);
  EXPECT_EQ(stored.Picture2, "shop.jpg");
  EXPECT_EQ(stored.Picture3, "");
  EXPECT_TRUE(std::filesystem::exists(Data() / "Picture" / "shop.jpg"));
}

}  // namespace
}  // namespace customers

namespace customers {
namespace {

TEST_F(EntryDlgTest, TheChangedHonorificIsShownBeforeTheNextQuestionAndTypingStartsAgainAtTheCode) {
  auto dialog = AddDialog();
  CKokyakuForm& form = dialog.Form();
  form.SetValue("EntryType", 0);
  form.SetText("CustomerID", "C-001");
  form.SetText("CompName", "株式会社　青葉");
  // What the view would show whenever the model asks it to show at once.
  std::vector<std::string> shownSuffix;
  dialog.onChanged = [&] { shownSuffix.push_back(form.Text("Suffix")); };
  ui.ExpectMessage(CKokyakuDlg::kSuffixQuestion, Buttons::YesNoCancel, Icon::Question, Answer::Yes, Answer::Yes);
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes);
  dialog.OnOK();
  EXPECT_EQ(shownSuffix, std::vector<std::string>{"御中"});
  ASSERT_EQ(doc.Customers().size(), 1u);
  EXPECT_EQ(dialog.TakeFocus(), "CustomerID");
  EXPECT_EQ(form.Text("CustomerID"), "");
}

TEST_F(EntryDlgTest, EachCardTypeStartsANewCustomerAsItsKind) {
  CKokyakuPersonDlg person(ui, KokyakuMode::Add, &owner, Install());
  EXPECT_EQ(person.Form().Value("EntryType"), 1);
  CKokyakuCompanyDlg company(ui, KokyakuMode::Add, &owner, Install());
  EXPECT_EQ(company.Form().Value("EntryType"), 0);
  // A person entered on the 個人タイプ card with only a name is saved as a person, without the
  // company question.
  person.Form().SetText("Name", "佐藤　花子");
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes);
  person.OnOK();
  ASSERT_EQ(doc.Customers().size(), 1u);
  EXPECT_EQ(InDatabase(doc.Customers()[0]->ID).EntryType, 1);
  EXPECT_EQ(person.Form().Value("EntryType"), 1);  // and the next one too
  person.OnCancel();  // untouched: closes without a question
  EXPECT_TRUE(person.IsClosing());
}

TEST_F(EntryDlgTest, BirthDatesAreReadInTheEraAsPeopleWriteThemAndRefusedOutsideTheEra) {
  auto dialog = AddDialog();
  CKokyakuForm& form = dialog.Form();
  form.SetValue("EntryType", 1);
  form.SetText("Name", "山田　太郎");
  form.SetText("BirthDay", "H31.5.1");  // Heisei ended on 2019/04/30
  ui.ExpectMessage(CKokyakuForm::kBadDate);
  dialog.OnOK();
  EXPECT_EQ(dialog.TakeFocus(), "BirthDay");
  form.SetText("BirthDay", "昭和４５年５月１２日");
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes);
  dialog.OnOK();
  ASSERT_EQ(doc.Customers().size(), 1u);
  EXPECT_EQ(InDatabase(doc.Customers()[0]->ID).BirthDay, records::COleDate::FromCivil(1970, 5, 12));
}

}  // namespace
}  // namespace customers
