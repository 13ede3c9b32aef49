// Every dialog and screen of the program fits a 1366×768 laptop screen less its taskbar, with
// its buttons in view and Tab in reading order: each dialog the program has a view for, the find
// dialog, and every screen of the main window. A dialog registered later without a row in Samples() fails the first test
// until it gets one, so later dialogs are held to the same rule.
#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <typeindex>

#include "shell/CAboutDlg.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/DocumentTestSupport.h"
#include "app/Screens.h"
#include "app/qt/FindDialogWidget.h"
#include "app/qt/MainFrameWindow.h"
#include "app/qt/ViewRegistry.h"
#include "company/CJishaInfoDlg.h"
#include "company/CKingakuDlg.h"
#include "dm/CMailerDlg.h"
#include "customers/CAddressSelectDlg.h"
#include "customers/CComboEditDlg.h"
#include "customers/CComboItemDlg.h"
#include "customers/CDispColumnDlg.h"
#include "customers/CFreeItemDlg.h"
#include "customers/CKokyakuBulkDlg.h"
#include "customers/CKokyakuCompanyDlg.h"
#include "customers/CKokyakuDocOwner.h"
#include "customers/CKokyakuNormalDlg.h"
#include "customers/CKokyakuPersonDlg.h"
#include "customers/CKokyakuPictureDlg.h"
#include "customers/CKokyakuSubDlg.h"
#include "customers/CSelectComboDlg.h"
#include "analysis/CRainbowDlg.h"
#include "customers/SampleCustomers.h"
#include "dm/CDMSelectDlg.h"
#include "dm/CDMTitleDlg.h"
#include "dm/CKokyakuSelectDlg.h"
#include "io/CImportMappingDlg.h"
#include "io/CImportOptionDlg.h"
#include "io/CImportPickDlg.h"
#include "io/CImportTextDlg.h"
#include "extract/CExtractDlg.h"
#include "extract/ExtractDialogs.h"
#include "history/CRirekiDlg.h"
#include "history/CRirekiListOwner.h"
#include "history/CRirekiRefDlg.h"
#include "history/CRirekiShowDlg.h"
#include "lumaro/CLumaro.h"
#include "platform/CNeritEnv.h"
#include "maintenance/CBackupFolderDlg.h"
#include "maintenance/CCompactDlg.h"
#include "maintenance/CDataFolderDlg.h"
#include "maintenance/CRirekiDeleteDlg.h"
#include "io/ExportDialogs.h"
#include "platform/CPassCheckDlg.h"
#include "platform/CPassSetDlg.h"
#include "printing/CDispPrevDlg.h"
#include "printing/COriginalFormDlg.h"
#include "printing/CPrintSourceDlg.h"
#include "qt/GuiTestSupport.h"
#include "qt/TabOrder.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "settings/CQMVComboData.h"
#include "settings/SettingsTestSupport.h"
#include "ui/qt/QtUi.h"
#include "ui/qt/ScreenFit.h"

namespace {

using customers::KokyakuMode;
using ModelMaker = std::function<std::unique_ptr<ui::CDialogModel>()>;

// What a window may take of the smallest screen: its client area within the frame.
const QSize kRoom = ui::kSmallestScreen - ui::kWindowFrame;

struct Sample {
  std::string name;
  ModelMaker make;
};

class ScreenFit : public shell::test::DocumentFolderTest {
 protected:
  ScreenFit() {
    auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(3));
    customer = doc.AddCustomer(k);
    records::CRirekiData entry;
    entry.Date = records::COleDate::FromCivil(2026, 11, 20);
    entry.ActionTitle = "購入";
    EXPECT_GT(doc.Store().AddNewRireki(customer, entry, records::COleDate::FromCivil(2026, 11, 20)), 0);
    EXPECT_EQ(history.ShowCustomer(customer), 1);
    history.Select(0);
    page.Show(*doc.Customers().front());
    app::RegisterViews(views);
    // The form catalogue, with an original form, for the printing dialogs.
    std::filesystem::copy_file(platform::CNeritEnv().GetFactoryFolder() / "Data" / "MyData" / "Lumaro.dat",
                               platform::MyDataFolder(Install()) / "Lumaro.dat");
    lumaro::CLumaro(Install()).SetPickUp("年賀状（家族連名）", 2001, 40000);
  }
  ~ScreenFit() override { doc.Store().SaveQMV(true); }

  // One row or more per dialog model the program shows, in each of its shapes.
  std::vector<Sample> Samples() {
    std::vector<Sample> samples;
    const auto add = [&samples](std::string name, ModelMaker make) { samples.push_back({std::move(name), std::move(make)}); };
    add("about", [] { return std::make_unique<shell::CAboutDlg>(100); });
    add("password check", [this] { return std::make_unique<platform::CPassCheckDlg>(ui, [](std::string_view) { return true; }); });
    add("password set", [this] { return std::make_unique<platform::CPassSetDlg>(ui, true, [](std::string_view) { return true; }); });
    add("choice list editor", [this] {
      auto m = std::make_unique<customers::CComboEditDlg>(ui, settings::CQMVComboData::kImportant, Install());
      EXPECT_TRUE(m->Open());
      return m;
    });
    add("choice list entry", [this] { return std::make_unique<customers::CComboItemDlg>(ui, 30, std::vector<std::string>{"自社担当"}); });
    add("choice list choice", [this] { return std::make_unique<customers::CSelectComboDlg>(ui, Install()); });
    add("bulk change", [this] { return std::make_unique<customers::CKokyakuBulkDlg>(ui, Install()); });
    add("display columns", [this] {
      auto m = std::make_unique<customers::CDispColumnDlg>(ui, Install());
      EXPECT_TRUE(m->Open());
      return m;
    });
    add("own company", [this] {
      auto m = std::make_unique<company::CJishaInfoDlg>(ui, Install());
      m->Open();
      return m;
    });
    add("amount calculation", [this] {
      auto m = std::make_unique<company::CKingakuDlg>(ui, Install());
      m->Open();
      return m;
    });
    add("backup folder", [this] { return std::make_unique<maintenance::CBackupFolderDlg>(ui); });
    add("history deletion", [this] {
      return std::make_unique<maintenance::CRirekiDeleteDlg>(ui, records::COleDate::FromCivil(2026, 12, 9));
    });
    add("data folder", [this] { return std::make_unique<maintenance::CDataFolderDlg>(ui, Data()); });
    add("optimise", [this] {
      return std::make_unique<maintenance::CCompactDlg>(ui, Data(), records::COleDate::FromCivil(2026, 12, 9));
    });
    add("mail launcher", [this] { return std::make_unique<dm::CMailerDlg>(ui, true, false); });
    add("free items", [this] {
      auto m = std::make_unique<customers::CFreeItemDlg>(ui, Install());
      EXPECT_TRUE(m->Open());
      return m;
    });
    for (const KokyakuMode mode : {KokyakuMode::Add, KokyakuMode::Modify, KokyakuMode::View}) {
      const auto source = [this](customers::CKokyakuDlg& m) {
        m.SetSource(doc.Customers().front().get());
        return &m;
      };
      add("normal card", [this, mode, source] {
        auto m = std::make_unique<customers::CKokyakuNormalDlg>(ui, mode, &owner, Install());
        source(*m);
        return m;
      });
      add("person card", [this, mode, source] {
        auto m = std::make_unique<customers::CKokyakuPersonDlg>(ui, mode, &owner, Install());
        source(*m);
        return m;
      });
      add("company card", [this, mode, source] {
        auto m = std::make_unique<customers::CKokyakuCompanyDlg>(ui, mode, &owner, Install());
        source(*m);
        return m;
      });
    }
    for (const auto kind : {customers::SubKind::Notes, customers::SubKind::CompanyDetails,
                            customers::SubKind::CompanyInfo, customers::SubKind::HomeInfo}) {
      add("card sub-dialog", [this, kind] { return std::make_unique<customers::CKokyakuSubDlg>(ui, kind, page, nullptr, Install()); });
    }
    add("card pictures", [this] { return std::make_unique<customers::CKokyakuPictureDlg>(ui, page, Data() / "Picture", Install()); });
    add("address choice", [] {
      return std::make_unique<customers::CAddressSelectDlg>(std::vector<std::string>{
          "100-0001 東京都千代田区千代田", "100-0002 東京都千代田区皇居外苑", "100-0003 東京都千代田区一ツ橋（１丁目）"});
    });
    for (const auto mode : {history::RirekiMode::Add, history::RirekiMode::Modify, history::RirekiMode::BulkAdd}) {
      add("history entry", [this, mode] {
        auto m = std::make_unique<history::CRirekiDlg>(ui, mode, &history, Install());
        m->SetCustomer(customer);
        if (mode == history::RirekiMode::Modify) m->LoadEntry(*history.History().front());
        return m;
      });
    }
    add("history reference", [this] {
      auto m = std::make_unique<history::CRirekiRefDlg>(&history, Data() / "Picture");
      m->LoadEntry(*history.History().front());
      return m;
    });
    add("history list choice", [] { return std::make_unique<history::CRirekiShowDlg>(); });
    for (int kind = analysis::kRegulars; kind <= analysis::kKindCount; ++kind) {
      add("seven-colour analysis", [this, kind] {
        auto m = std::make_unique<analysis::CRainbowDlg>(ui, &doc, Install(), nullptr, kind);
        if (kind != analysis::kRoller) m->Open();  // without a dictionary the address page would say so
        return m;
      });
    }
    for (int form = extract::CExtractDlg::kGeneral; form <= extract::CExtractDlg::kPreExtraction; ++form) {
      add("extraction", [this, form] {
        auto m = std::make_unique<extract::CExtractDlg>(ui, doc, Install(), form);
        m->Open();
        return m;
      });
    }
    add("extraction save", [this] { return std::make_unique<extract::CExtractSaveDlg>(ui, Data(), condition); });
    add("extraction rename", [this] { return std::make_unique<extract::CExtractRenameDlg>(ui, "田で始まる顧客"); });
    add("extraction columns", [this] {
      auto m = std::make_unique<extract::CExtractColumnDlg>(ui, Install(), std::vector<std::string>{"Name", "Yomi"});
      EXPECT_TRUE(m->Open());
      return m;
    });
    for (const auto mode : {dm::DMTitleMode::Add, dm::DMTitleMode::Modify, dm::DMTitleMode::View}) {
      add("DM title", [this, mode] {
        auto m = std::make_unique<dm::CDMTitleDlg>(ui, mode, Install());
        records::CDMListData title;
        title.Title = "年末のご案内";
        title.Sent = 1;
        title.SendDate = records::COleDate::FromCivil({2026, 12, 20, 9, 0, 0});
        m->Load(&title, records::COleDate::FromCivil({2026, 12, 8, 10, 30, 0}));
        return m;
      });
    }
    for (const auto mode : {dm::DMSelectMode::Add, dm::DMSelectMode::Print}) {
      add("DM title choice", [this, mode] {
        auto m = std::make_unique<dm::CDMSelectDlg>(ui, doc, Install(), mode, records::IdArray{customer});
        m->Open();
        return m;
      });
    }
    for (const auto mode : {dm::CustomerSelectMode::DM, dm::CustomerSelectMode::Print}) {
      add("customer choice", [this, mode] {
        auto m = std::make_unique<dm::CKokyakuSelectDlg>(ui, doc, Install(), mode);
        m->Open();
        return m;
      });
    }
    add("printing", [this] {
      auto m = std::make_unique<printing::CDispPrevDlg>(ui, Install(), &profile, 0, true, true);
      m->SetCustomers({doc.Customers().front().get()}, {});
      return m;
    });
    add("printing calibration", [this] { return std::make_unique<printing::CPrintOffsetDlg>(ui, Install(), nullptr); });
    add("customer choice for a form", [] { return std::make_unique<printing::CPrintSourceDlg>(true); });
    add("original forms", [this] { return std::make_unique<printing::COriginalFormDlg>(ui, Install(), std::function<void()>{}); });
    add("original form name", [this] { return std::make_unique<printing::COriginalNameDlg>(ui, "年賀状"); });
    add("export format", [] { return std::make_unique<io::CExportFormatDlg>(); });
    add("export columns", [this] {
      auto m = std::make_unique<io::CExportColumnDlg>(ui, Install());
      EXPECT_TRUE(m->Open());
      return m;
    });
    add("HTML form", [] { return std::make_unique<io::CHtmlFormatDlg>(); });
    add("import format", [] { return std::make_unique<io::CImportOptionDlg>(io::CImportOptionDlg::Format()); });
    add("import xml source", [] { return std::make_unique<io::CImportOptionDlg>(io::CImportOptionDlg::XmlSource()); });
    add("import ledger source", [] { return std::make_unique<io::CImportOptionDlg>(io::CImportOptionDlg::MirteSource()); });
    add("import table", [this] { return std::make_unique<io::CImportPickDlg>(io::CImportPickDlg::Table(ui, {"顧客台帳", "Customers"})); });
    add("import text", [this] {
      return std::make_unique<io::CImportTextDlg>(ui, "\"顧客コード\",\"氏名\",\"電話番号\"\r\n\"00001\",\"中村　結衣\",\"068-7894-4050\"\r\n");
    });
    for (const auto format : {io::ImportFormat::Access, io::ImportFormat::Text}) {
      add("import mapping", [this, format] {
        auto m = std::make_unique<io::CImportMappingDlg>(ui, format, importRows, ImportOffered());
        m->MapByCaptions();
        return m;
      });
    }
    return samples;
  }

  std::vector<io::CImportMappingDlg::Column> ImportOffered() {
    std::vector<io::CImportMappingDlg::Column> offered;
    settings::CQMVColSet set(ui, Install());
    EXPECT_EQ(set.Load(), 1);
    for (const auto& c : set.GetColumns()) {
      if (io::IsImportable(c->GetKey())) offered.push_back({c->GetKey(), c->GetLabel()});
    }
    return offered;
  }
  const io::ImportTable importRows{{"", "F1", "F2", "F3", "F4"},
                                   {"1", "お客様コード", "氏名", "フリガナ", "備考"},
                                   {"2", "00001", "中村　結衣", "ナカムラ ユイ", "要確認\n（転居予定）"},
                                   {"3", "00002", "中村　一郎", "ナカムラ イチロウ", "支払いは月末締め、翌月払い"}};

  // The window's smallest client area fits, and at that size every button outside a scrolling
  // page lies wholly inside the window.
  static void ExpectFits(QWidget& window, const std::string& name) {
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    EXPECT_LE(least.width(), kRoom.width()) << name;
    EXPECT_LE(least.height(), kRoom.height()) << name;
    // It opens within the screen it is on, whatever the size its contents would like.
    const QSize screen = window.screen()->availableGeometry().size() - ui::kWindowFrame;
    EXPECT_LE(window.width(), screen.width()) << name << " opens wider than the screen";
    EXPECT_LE(window.height(), screen.height()) << name << " opens taller than the screen";
    window.resize(least.boundedTo(kRoom));  // as small as it goes, or as a laptop has room for
    QApplication::processEvents();
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
      if (!b->isVisible() || b->parentWidget()->inherits("QScrollBar")) continue;
      bool scrolls = false;
      for (QWidget* w = b->parentWidget(); w && w != &window; w = w->parentWidget()) scrolls |= w->inherits("QScrollArea");
      if (scrolls) continue;
      const QRect at(b->mapTo(&window, QPoint(0, 0)), b->size());
      EXPECT_TRUE(window.rect().contains(at)) << name << ": " << b->accessibleName().toStdString() << " out of view";
    }
  }

  ui::QtUi views;
  customers::CKokyakuDocOwner owner{doc, nullptr};
  history::CRirekiListOwner history{ui, doc.Store(), doc.Customers(), Data() / "Picture", false, Install()};
  customers::CKokyakuForm page;
  settings::CExCondition condition;
  std::int32_t customer = 0;
};

TEST_F(ScreenFit, EveryDialogWithAViewHasASample) {
  std::set<std::type_index> sampled;
  for (const Sample& s : Samples()) {
    const auto model = s.make();
    sampled.insert(typeid(*model));
  }
  for (const std::type_index& type : views.ViewTypes()) {
    EXPECT_TRUE(sampled.count(type)) << type.name() << " has a view but no size check: add it to Samples()";
  }
}

TEST_F(ScreenFit, EveryDialogFitsTheSmallestScreen) {
  for (const Sample& s : Samples()) {
    const auto model = s.make();
    const std::unique_ptr<QDialog> view = views.MakeView(*model, nullptr);
    ASSERT_NE(view, nullptr) << s.name;
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    gui_test::ExpectTabOrderFollowsTheLayout(*view);
    ExpectFits(*view, s.name + " (" + model->Title() + ")");
    view->hide();
  }
}

TEST_F(ScreenFit, EveryScreenAndTheFindDialogFitTheSmallestScreen) {
  shell::CMainFrame frame(ui, {});
  gui_test::WireScreens(frame, doc, ui, Install());
  app::MainFrameWindow window(frame, [&frame] { frame.Close(); });
  ASSERT_TRUE(frame.Create());
  gui_test::ShowAndWait(window);
  for (const int screen : {shell::CScreen::kCustomerList, shell::CScreen::kCustomerCard, shell::CScreen::kCustomerCard2,
                           shell::CScreen::kHistory, shell::CScreen::kDM, shell::CScreen::kMenu}) {
    ASSERT_TRUE(frame.SwitchScreen(screen));
    QApplication::processEvents();
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    EXPECT_LE(least.width(), kRoom.width()) << "screen " << screen;
    EXPECT_LE(least.height(), kRoom.height()) << "screen " << screen;
  }
  app::FindDialogWidget find(frame, &window);
  find.show();
  ExpectFits(find, "find");
  find.hide();
  window.close();
}

}  // namespace
