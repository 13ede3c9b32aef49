#include "app/Screens.h"

#include "app/CTovanaApp.h"
#include "app/HelpContents.h"
#include "customers/CKokyakuView.h"
#include "dm/CDMListView.h"
#include "history/CRirekiView.h"
#include "platform/CQMVPassCheck.h"

namespace app {

using shell::CMainFrame;
using shell::CScreen;

CMainFrame::ScreenFactory MakeScreenFactory(MenuScreenContext context) {
  return [context](int n) -> std::unique_ptr<CScreen> {
    CMainFrame& frame = *context.frame;
    switch (n) {
      case CScreen::kMenu: return std::make_unique<CTovanaView>(context);
      case CScreen::kCustomerList:
      case CScreen::kCustomerCard:
      case CScreen::kCustomerCard2:
        return std::make_unique<customers::CKokyakuView>(
            customers::ListContext{context.ui, &frame, context.doc, context.install, context.lookups}, n);
      case CScreen::kHistory:
        return std::make_unique<history::CRirekiView>(history::RirekiViewContext{context.ui, &frame, context.doc, context.install, context.lookups});
      case CScreen::kDM:
        return std::make_unique<dm::CDMListView>(dm::DMViewContext{context.ui, &frame, context.doc, context.install});
      default: return nullptr;
    }
  };
}

}  // namespace app

namespace app {

std::unique_ptr<CMainFrame> MakeMainFrame(ui::Ui& ui, CTovanaApp& app, CFormSource* forms) {
  auto frame = std::make_unique<CMainFrame>(ui, CMainFrame::ScreenFactory{});
  MenuScreenContext context;
  context.ui = &ui;
  context.frame = frame.get();
  context.doc = app.Document();
  context.forms = forms;
  context.install = app.InstallFolder();
  context.lookups = &app.Lookups();
  context.setPassword = [&ui, install = app.InstallFolder()] { platform::CQMVPassCheck(ui, install).SetPassWord(); };
  frame->SetDocument(app.Document());
  frame->SetScreenFactory(MakeScreenFactory(std::move(context)));
  frame->onHelp = [&ui, help = app.HelpFile()] { ShowHelpContents(ui, help); };
  return frame;
}

}  // namespace app
