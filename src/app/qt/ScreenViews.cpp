#include "app/qt/ScreenViews.h"

#include <QPalette>

#include "app/qt/MenuScreenWidget.h"
#include "customers/qt/CustomerListWidget.h"
#include "dm/qt/DMListWidget.h"
#include "history/qt/HistoryListWidget.h"
#include "ui/qt/QtUi.h"

namespace app {

using shell::CMainFrame;
using shell::CScreen;

namespace {

// The customer list's pale yellow form background; the other lists keep the window colour.
QWidget* ListScreen(CScreen& screen, QWidget* parent) {
  auto* view = new QWidget(parent);
  view->setAccessibleName(ui::ToQString(screen.Title()));
  if (screen.Number() >= CScreen::kCustomerList && screen.Number() <= CScreen::kCustomerCard2) {
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 192));
    view->setPalette(palette);
    view->setAutoFillBackground(true);
  }
  return view;
}

}  // namespace

QWidget* MakeScreenView(CScreen& screen, CMainFrame& frame, QWidget* parent) {
  if (auto* menu = dynamic_cast<CTovanaView*>(&screen)) return new MenuScreenWidget(*menu, frame, parent);
  if (auto* list = dynamic_cast<customers::CKokyakuView*>(&screen)) {
    return new customers::CustomerListWidget(*list, frame, parent);
  }
  if (auto* history = dynamic_cast<history::CRirekiView*>(&screen)) return new history::HistoryListWidget(*history, frame, parent);
  if (auto* dm = dynamic_cast<dm::CDMListView*>(&screen)) return new dm::DMListWidget(*dm, frame, parent);
  return ListScreen(screen, parent);
}

}  // namespace app
