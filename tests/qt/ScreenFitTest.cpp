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
#include "customers/CKokyakuCompanyDlg.h"
#include "customers/CKokyakuDocOwner.h"
#include "customers/CKokyakuNormalDlg.h"
#include "customers/CKokyakuPersonDlg.h"
#include "customers/CKokyakuPictureDlg.h"
#include "customers/CKokyakuSubDlg.h"
#include "customers/CSelectComboDlg.h"
#include "customers/SampleCustomers.h"
#include "extract/CExtractDlg.h"
#include "extract/ExtractDialogs.h"
#include "history/CRirekiDlg.h"
#include "history/CRirekiListOwner.h"
#include "history/CRirekiRefDlg.h"
#include "history/CRirekiShowDlg.h"
#include "platform/CPassCheckDlg.h"
#include "platform/CPassSetDlg.h"
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
    return samples;
  }

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
