#pragma once
// The Qt view of each screen model, made when the frame switches to it.

#include <QWidget>

#include "shell/CMainFrame.h"

namespace app {

// The view rendering screen; never null.
QWidget* MakeScreenView(shell::CScreen& screen, shell::CMainFrame& frame, QWidget* parent);

}  // namespace app
