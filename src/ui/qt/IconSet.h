#pragma once
// The program's own icons, drawn as vector shapes at whatever size and device pixel ratio they are
// asked for, so the toolbars and the menu screen stay crisp on any screen.

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QRectF>

namespace ui {

enum class Glyph {
  Home, AddPerson, Card, Print, Mail, Filter, Rainbow, DM, Help, Exit, List, History, Settings, Tools,
};

// Draws glyph into rect (any size; the shapes are laid out on a 24-unit grid), in colour.
void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& rect, const QColor& colour, bool enabled = true);

// An icon that draws glyph at each size asked for.
QIcon GlyphIcon(Glyph glyph);

}  // namespace ui
