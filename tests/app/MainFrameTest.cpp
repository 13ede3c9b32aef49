// The frame's screen switch, toolbars and find routing, and the menu screen's mouse rules, lists,
// pop-up menus and commands, on a real document and profile.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "analysis/CRainbowDlg.h"
#include "app/CTovanaView.h"
#include "company/CJishaInfoDlg.h"
#include "company/CKingakuDlg.h"
#include "platform/InstallLayout.h"
#include "app/Screens.h"
#include "customers/CKokyakuView.h"
#include "platform/CProfile.h"
#include "platform/TempFolder.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "settings/CDefKokyaku.h"
#include "settings/CExCondition.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "ui/ScriptedUi.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using shell::CMainFrame;
using shell::CScreen;
using shell::CTovanaDoc;
using shell::FindRequest;
using shell::MenuItem;
namespace cmd = shell::cmd;
using ui::Answer;

// A catalogue of two top categories and one original form built on form 7.
class FakeForms : public CFormSource {
 public:
  bool Read() override { return readable; }
  std::vector<std::string> TopCategories() const override { return {"宛名印刷", "DM・案内状"}; }
  std::vector<FormRow> Forms(int tab) const override {
    if (tab == 0) return {{"はがき 縦", "日本郵便", "100x148", 7, 0}, {"長形3号", "", "120x235", 8, 0}};
    if (tab == 4) return originals;
    return {};
  }
  void ReloadOriginals() override { ++reloads; }
  bool readable = true;
  int reloads = 0;
  std::vector<FormRow> originals = {{"私のはがき", "", "", 40001, 7}};
};

class MainFrameTest : public ::testing::Test {
 protected:
  MainFrameTest() {
    fs::create_directories(install_ / "Data" / "MyData");
    fs::create_directories(data_);
    EXPECT_EQ(records::CQmvFile::CreateDatabaseFile(data_ / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
    doc_.SetDataFolder(data_);
    EXPECT_EQ(doc_.Store().InitDB(data_), 1);
  }
  ~MainFrameTest() override { doc_.Store().SaveQMV(true); }

  // A frame whose factory counts what it made and fails for the screens in failing.
  std::unique_ptr<CMainFrame> Frame() {
    auto frame = std::make_unique<CMainFrame>(ui_, CMainFrame::ScreenFactory{});
    MenuScreenContext context;
    context.ui = &ui_;
    context.frame = frame.get();
    context.doc = &doc_;
    context.forms = &forms_;
    context.install = install_.Path();
    frame->SetDocument(&doc_);
    auto inner = MakeScreenFactory(context);
    frame->SetScreenFactory([this, inner](int n) -> std::unique_ptr<CScreen> {
      ++made_[n];
      return failing_.contains(n) ? nullptr : inner(n);
    });
    EXPECT_TRUE(frame->Create());
    return frame;
  }
  static CTovanaView& Menu(CMainFrame& frame) { return dynamic_cast<CTovanaView&>(*frame.ActiveScreen()); }
  static void Click(CTovanaView& menu, int button) {
    const Rect r = CTovanaView::ButtonRect(button);
    menu.OnLButtonDown(r.x + 5, r.y + 5);
    menu.OnLButtonUp(r.x + 6, r.y + 6);
  }
  std::vector<MenuItem> Flat(const std::vector<MenuItem>& items) {
    std::vector<MenuItem> all;
    for (const MenuItem& item : items) {
      all.push_back(item);
      for (const MenuItem& child : item.children) all.push_back(child);
    }
    return all;
  }
  const MenuItem& Item(const std::vector<MenuItem>& items, int id) {
    static std::vector<MenuItem> kept;
    kept = Flat(items);
    for (const MenuItem& item : kept) {
      if (item.id == id) return item;
    }
    ADD_FAILURE() << "no item " << id;
    return kept.front();
  }

  testing_support::TempFolder install_, dataRoot_;
  fs::path data_ = dataRoot_ / "data";
  ui::ScriptedUi ui_{[](const std::string& why) { ADD_FAILURE() << why; }};
  platform::CProfile profile_{install_ / "user.ini"};
  CTovanaDoc doc_{ui_, install_.Path(), &profile_};
  FakeForms forms_;
  std::map<int, int> made_;
  std::set<int> failing_;
};

TEST_F(MainFrameTest, SwitchingToTheShownScreenDoesNothingAndAFailedViewKeepsTheOldOne) {
  auto frame = Frame();
  EXPECT_EQ(frame->Title(), "顧客 ソレル－メニュー");
  EXPECT_FALSE(frame->Resizable());
  EXPECT_FALSE(frame->SwitchScreen(CScreen::kMenu));
  EXPECT_EQ(made_[CScreen::kMenu], 1);
  failing_.insert(CScreen::kHistory);
  CScreen* menu = frame->ActiveScreen();
  EXPECT_FALSE(frame->SwitchScreen(CScreen::kHistory));
  EXPECT_EQ(frame->ActiveScreen(), menu);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);
  ASSERT_TRUE(frame->SwitchScreen(CScreen::kDM));
  EXPECT_EQ(frame->Title(), "顧客 ソレル－DM送付管理");
  EXPECT_TRUE(frame->Resizable());
}

TEST_F(MainFrameTest, TheCustomerListOpensAsItsVariantAndEachScreenShowsItsOwnToolbar) {
  auto frame = Frame();
  for (int t = 0; t < CMainFrame::kToolbarCount; ++t) EXPECT_FALSE(frame->ToolbarVisible(t));
  ASSERT_TRUE(frame->SwitchScreen(CScreen::kCustomerCard2));
  auto& list = dynamic_cast<customers::CKokyakuView&>(*frame->ActiveScreen());
  EXPECT_TRUE(list.CardShown());
  EXPECT_EQ(list.CardTab(), 1);  // 詳細
  EXPECT_EQ(frame->CustomerListVariant(), 3);
  EXPECT_EQ(doc_.CustomerListVariant(), 3);
  EXPECT_TRUE(frame->ToolbarVisible(CMainFrame::kToolbar128));
  EXPECT_TRUE(frame->ToolbarChecked());
  frame->OnCommand(cmd::kToggleToolbar);
  EXPECT_FALSE(frame->ToolbarVisible(CMainFrame::kToolbar128));
  EXPECT_FALSE(frame->ToolbarChecked());
  ASSERT_TRUE(frame->SwitchScreen(CScreen::kCustomerList));
  EXPECT_FALSE(dynamic_cast<customers::CKokyakuView&>(*frame->ActiveScreen()).CardShown());
  ASSERT_TRUE(frame->SwitchScreen(CScreen::kHistory));
  EXPECT_TRUE(frame->ToolbarVisible(CMainFrame::kToolbar145));
  EXPECT_FALSE(frame->ToolbarVisible(CMainFrame::kToolbar128));
  EXPECT_EQ(frame->CustomerListVariant(), 1);  // the last list shown
  frame->OnCommand(cmd::kMenuScreen);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);
  for (int t = 0; t < CMainFrame::kToolbarCount; ++t) EXPECT_FALSE(frame->ToolbarVisible(t));
}

// A screen that records what it was asked to find.
class FindingScreen : public CScreen {
 public:
  FindingScreen(int n, std::vector<std::string>& log) : n_(n), log_(log) {}
  int Number() const override { return n_; }
  std::string Title() const override { return "t"; }
  void OnFind(const FindRequest& r) override { log_.push_back(r.text); }

 private:
  int n_;
  std::vector<std::string>& log_;
};

TEST_F(MainFrameTest, FindNoticesReachOnlyTheListScreensAndASwitchClosesTheDialog) {
  std::vector<std::string> found;
  CMainFrame frame(ui_, [&found](int n) { return std::make_unique<FindingScreen>(n, found); });
  ASSERT_TRUE(frame.Create());
  frame.OpenFindDialog();
  frame.OnFindNext({"山田"});
  ASSERT_TRUE(frame.SwitchScreen(CScreen::kHistory));
  EXPECT_FALSE(frame.FindDialogOpen());
  frame.OnFindNext({"佐藤"});
  ASSERT_TRUE(frame.SwitchScreen(CScreen::kDM));
  frame.OnFindNext({"鈴木"});
  EXPECT_EQ(found, std::vector<std::string>{"佐藤"});
}

TEST_F(MainFrameTest, AButtonRunsOnlyWhenReleasedOverItself) {
  auto frame = Frame();
  CTovanaView& menu = Menu(*frame);
  const Rect list = CTovanaView::ButtonRect(CTovanaView::kCustomerList);
  EXPECT_TRUE(menu.OnMouseMove(list.x + 3, list.y + 3));
  EXPECT_EQ(menu.ButtonState(CTovanaView::kCustomerList), CTovanaView::kHot);
  menu.OnLButtonDown(list.x + 3, list.y + 3);
  EXPECT_EQ(menu.ButtonState(CTovanaView::kCustomerList), CTovanaView::kPressed);
  menu.OnMouseMove(700, 30);  // dragged off: shown normal while the capture lasts
  EXPECT_EQ(menu.ButtonState(CTovanaView::kCustomerList), CTovanaView::kNormal);
  menu.OnLButtonUp(700, 30);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);
  EXPECT_FALSE(menu.OnMouseMove(700, 30));

  Click(menu, CTovanaView::kCustomerCard);  // switches: the menu model is retired after this
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kCustomerCard);
  ASSERT_TRUE(frame->SwitchScreen(CScreen::kMenu));
  Click(Menu(*frame), CTovanaView::kCustomerList);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kCustomerList);
}

TEST_F(MainFrameTest, TabsSelectAtOnceAndTheSavedFormComesBackWithItsPreview) {
  {  // the first menu screen of a run reads the state the last run saved
    CTovanaDoc saved(ui_, install_.Path(), &profile_);
    saved.SetMenuState(4, 40001);
    ASSERT_EQ(saved.WriteEndInfo(), 1);
  }
  fs::create_directories(install_ / "Data" / "Preview");
  testing_support::WriteBytes(install_ / "Data" / "Preview" / "7.jpg", "jpeg");
  auto frame = Frame();
  CTovanaView& menu = Menu(*frame);
  EXPECT_EQ(menu.SelectedTab(), 4);
  EXPECT_EQ(menu.TabCaption(0), "宛名印刷");
  EXPECT_EQ(menu.TabCaption(4), "オリジナル");
  EXPECT_EQ(menu.TabState(4), CTovanaView::kPressed);
  ASSERT_EQ(menu.SelectedFormRow(), 0);
  EXPECT_EQ(menu.PreviewFile(), install_ / "Data" / "Preview" / "7.jpg");  // the base form's picture

  const Rect first = CTovanaView::TabRect(0);
  EXPECT_TRUE(menu.OnMouseMove(first.x + 2, first.y + 2));
  EXPECT_EQ(menu.TabState(0), CTovanaView::kHot);
  menu.OnLButtonDown(first.x + 2, first.y + 2);
  EXPECT_EQ(menu.TabState(0), CTovanaView::kPressed);
  EXPECT_EQ(menu.TabState(4), CTovanaView::kNormal);
  ASSERT_EQ(menu.Forms().size(), 2u);
  EXPECT_EQ(menu.SelectedFormRow(), -1);
  menu.SelectFormRow(1);
  EXPECT_EQ(doc_.SelectedForm(), 8);
  EXPECT_TRUE(menu.PreviewFile().empty());  // no picture for form 8
}

TEST_F(MainFrameTest, ChangedOriginalsAreReloadedAndShownOnTheOriginalTab) {
  auto frame = Frame();
  CTovanaView& menu = Menu(*frame);
  menu.SelectTab(CTovanaView::kOriginalTab);
  forms_.originals.push_back({"新しいはがき", "", "", 40002, 7});
  menu.OnOriginalsChanged();
  EXPECT_EQ(forms_.reloads, 1);
  EXPECT_EQ(menu.Forms().size(), 2u);
}

TEST_F(MainFrameTest, AnUnreadableCatalogueIsReportedAndTheScreenStillOpens) {
  forms_.readable = false;
  ui_.ExpectMessage(CTovanaView::kNoCatalogue);
  auto frame = Frame();
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);
}

TEST_F(MainFrameTest, ToolsInPastDataGreyTheChangingCommandsAndEnableGoingBack) {
  auto frame = Frame();
  CTovanaView& menu = Menu(*frame);
  auto tools = menu.PopupMenu(CTovanaView::Popup::Tools);
  EXPECT_FALSE(Item(tools, cmd::kCurrentData).enabled);
  EXPECT_TRUE(Item(tools, cmd::kSaveNow).enabled);
  doc_.SetReadOnly(true);
  tools = menu.PopupMenu(CTovanaView::Popup::Tools);
  for (int id : {cmd::kBackup, cmd::kRestore, cmd::kHistoryDelete, cmd::kOptimise, cmd::kSaveNow}) {
    EXPECT_FALSE(Item(tools, id).enabled) << id;
  }
  EXPECT_TRUE(Item(tools, cmd::kCurrentData).enabled);
  EXPECT_TRUE(Item(tools, cmd::kOriginalBackup).enabled);  // there is an original form
  forms_.originals.clear();
  EXPECT_FALSE(Item(menu.PopupMenu(CTovanaView::Popup::Tools), cmd::kOriginalBackup).enabled);
  EXPECT_FALSE(Item(menu.PopupMenu(CTovanaView::Popup::Settings), cmd::kOriginalForms).enabled);
}

TEST_F(MainFrameTest, TheCardTypeIsSavedAtOnceAndMarkedAfterARestart) {
  {
    auto frame = Frame();
    EXPECT_TRUE(Item(Menu(*frame).PopupMenu(CTovanaView::Popup::Settings), cmd::kCardNormal).checked);
    frame->OnCommand(cmd::kCardCompany);
  }
  platform::CProfile restarted(install_ / "user.ini");
  EXPECT_EQ(restarted.GetInt("Settings", "CardType", 0), 2);
  auto frame = Frame();
  const auto settings = Menu(*frame).PopupMenu(CTovanaView::Popup::Settings);
  EXPECT_TRUE(Item(settings, cmd::kCardCompany).checked);
  EXPECT_FALSE(Item(settings, cmd::kCardNormal).checked);
}

TEST_F(MainFrameTest, SaveNowReportsItsOutcomeAndRefusesReadOnlyData) {
  auto frame = Frame();
  ui_.ExpectMessage("更新しました", ui::Buttons::Ok, ui::Icon::Information, Answer::Ok, Answer::Ok);
  frame->OnCommand(cmd::kSaveNow);
  EXPECT_EQ(ui_.WaitCount(), 2);  // the first update, then the save
  doc_.SetReadOnly(true);
  frame->OnCommand(cmd::kSaveNow);  // greyed in past data: nothing happens
}

TEST_F(MainFrameTest, ThePreExtractionIsRemovedOnlyAfterTheQuestion) {
  auto frame = Frame();
  EXPECT_FALSE(Item(Menu(*frame).PopupMenu(CTovanaView::Popup::Settings), cmd::kPreExtractRemove).enabled);
  settings::CDefKokyaku pre(ui_, data_);
  settings::CExCondition condition;
  ASSERT_EQ(pre.Save(condition), 1);
  const char* question =
      "現在設定されている、顧客一覧の表示データ設定を解除します。\n"
      "解除すると、通常、顧客一覧画面ですべての顧客が表示されます。\n解除してよろしいですか？";
  ui_.ExpectMessage(question, Answer::No);
  frame->OnCommand(cmd::kPreExtractRemove);
  EXPECT_TRUE(pre.Exists());
  ui_.ExpectMessage(question, Answer::Yes).ExpectMessage("解除しました");
  frame->OnCommand(cmd::kPreExtractRemove);
  EXPECT_FALSE(pre.Exists());
}

TEST_F(MainFrameTest, AToolThatCannotStartSaysSoAndReadOnlyDataRefusesAdding) {
  auto frame = Frame();
  ui_.ExpectMessage("電話帳を起動できません").ExpectMessage("復元処理ができません");
  frame->OnCommand(cmd::kPhoneBook);
  frame->OnCommand(cmd::kPhoneBookRestore);
  ui_.ExpectMessage(CTovanaView::kReadOnlyAdd);
  doc_.SetReadOnly(true);
  Click(Menu(*frame), CTovanaView::kAddCustomer);
}

TEST_F(MainFrameTest, TheOwnCompanyDialogsOpenFromTheSettingsMenuAndOnTheFirstRunBeforeTheForms) {
  testing_support::WriteBytes(platform::FirstRunMarkerFile(install_.Path()), "");
  forms_.readable = false;
  std::vector<std::string> order;
  ui_.ExpectDialog<company::CJishaInfoDlg>([&order](company::CJishaInfoDlg& d) {
    order.push_back("company");
    d.OnCancel();
  });
  ui_.ExpectMessage(CTovanaView::kNoCatalogue);
  auto frame = Frame();
  EXPECT_EQ(order, std::vector<std::string>{"company"});
  EXPECT_FALSE(fs::exists(platform::FirstRunMarkerFile(install_.Path())));
  ui_.ExpectDialog<company::CJishaInfoDlg>([](company::CJishaInfoDlg& d) { d.OnCancel(); });
  ui_.ExpectDialog<company::CKingakuDlg>([](company::CKingakuDlg& d) { d.OnCancel(); });
  frame->OnCommand(cmd::kCompanyInfo);
  frame->OnCommand(cmd::kAmountSettings);
  EXPECT_TRUE(ui_.Done());
}

TEST_F(MainFrameTest, TheAnalysisButtonOpensTheResultOnTheCustomerListOrTheDMScreen) {
  records::CKokyaku k;
  k.Name = "山田　太郎";
  const int id = doc_.Store().AddNewKokyaku(k);
  records::CRirekiData visit;
  visit.ActionTitle = "来店";
  visit.Date = records::COleDate::FromCivil(2026, 1, 5);
  ASSERT_GT(doc_.Store().AddNewRireki(id, visit, visit.Date), 0);
  ASSERT_EQ(doc_.Store().GetAllKokyaku(doc_.Customers()), 1);
  auto frame = Frame();

  ui_.ExpectDialog<analysis::CRainbowDlg>([](analysis::CRainbowDlg& d) { d.OnCancel(); });
  Click(Menu(*frame), CTovanaView::kRainbow);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);

  ui_.ExpectDialog<analysis::CRainbowDlg>([](analysis::CRainbowDlg& d) {
    d.regulars.summary = "来店";
    d.OnRun();
  });
  Click(Menu(*frame), CTovanaView::kRainbow);
  ASSERT_EQ(frame->CurrentScreen(), CScreen::kCustomerList);
  const auto& list = dynamic_cast<customers::CKokyakuView&>(*frame->ActiveScreen()).List();
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.Columns().front().label, "回数");
  EXPECT_EQ(doc_.Analysis().kind, analysis::kRegulars);
  EXPECT_TRUE(ui_.Done());
}

}  // namespace
}  // namespace app
