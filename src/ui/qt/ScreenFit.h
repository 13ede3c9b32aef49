#pragma once
// Every dialog and screen fits the smallest screen the program is used on: a 1366×768 laptop
// less its taskbar. Pages of fields that would be taller scroll, with their buttons kept in view.

#include <QScrollArea>
#include <QSize>

namespace ui {

// The room windows have on that screen at the least.
inline constexpr QSize kSmallestScreen(1366, 720);
// The title bar and borders the window manager adds around a window.
inline constexpr QSize kWindowFrame(16, 48);

// The page in a frameless scroll area that asks for all the room the page wants but makes do
// with less, scrolling the focused field into view wherever the focus comes from.
QScrollArea* ScrollPage(QWidget* page, QWidget* parent);

// Sizes a window as its contents ask (or as it was sized already), never larger than the free
// area of its screen, so that a dialog never opens with its buttons below the screen's edge.
void FitToScreen(QWidget* window);

}  // namespace ui
