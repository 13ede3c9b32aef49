#pragma once
// Tells the Qt Ui which view shows each dialog model.

namespace ui {
class QtUi;
}

namespace app {

void RegisterViews(ui::QtUi& ui);

}  // namespace app
