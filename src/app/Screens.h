#pragma once
// Which model each screen number gets: the menu screen, the customer list in its three variants,
// the history list, the DM screen.

#include <memory>

#include "app/CTovanaView.h"
#include "shell/CMainFrame.h"

namespace app {

class CTovanaApp;

// The frame's screen factory. context.frame must be the frame that will use it.
shell::CMainFrame::ScreenFactory MakeScreenFactory(MenuScreenContext context);

// The main frame of a started program, its screens wired to the application's document, profile,
// password and help. Create() still has to be called. forms may be null (no catalogue).
std::unique_ptr<shell::CMainFrame> MakeMainFrame(ui::Ui& ui, CTovanaApp& app, CFormSource* forms);

}  // namespace app
