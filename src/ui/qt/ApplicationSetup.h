#pragma once
// How the program's Qt application looks and speaks, shared by the program and its GUI tests:
// Qt's own texts (file dialogs, the edit menu of every text field, standard buttons) in
// Japanese, the Japanese Gothic font, and the desktop file the desktop names the program by.

class QApplication;

namespace ui {

// The desktop file (tovana.desktop) whose name the desktop shows for the program's windows;
// window titles stay exactly the program's own.
inline constexpr const char* kDesktopFileName = "tovana";

// Loads Qt's Japanese translations (Debian's qt6-translations-l10n); false when they are not
// installed, and Qt's own texts then stay English.
bool LoadQtJapanese(QApplication& application);

// Names, font and translations, before the first window is made.
void SetUpApplication(QApplication& application);

}  // namespace ui
