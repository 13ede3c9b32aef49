#pragma once
// The program's own pointer over the menu screen's tabs and buttons: a hand drawn at the
// screen's pixel ratio.

#include <QCursor>

namespace app {

QCursor MenuCursor();

}  // namespace app
