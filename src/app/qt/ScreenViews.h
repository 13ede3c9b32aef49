#pragma once
// The Qt view of each screen model, made when the frame switches to it.

#include <QWidget>

#include "app/CMainFrame.h"

namespace app {

// The view rendering screen; never null.
QWidget* MakeScreenView(CScreen& screen, CMainFrame& frame, QWidget* parent);

}  // namespace app
