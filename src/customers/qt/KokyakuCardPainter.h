#pragma once
// Draws one detail page of the card pane (1 詳細, 2 詳細２) on any painter: the background, the
// watermark, every field's label and value, the links underlined, the pictures scaled into their
// frames. Coordinates are the card's own, before scrolling.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <filesystem>
#include <functional>
#include <string_view>

#include "customers/KokyakuCardPane.h"

namespace customers {

inline const QColor kCardBackground(0xEB, 0xEB, 0xEB);
inline const QColor kCardWatermarkColour(0xFF, 0xFF, 0xFF);

// The card's fixed-pitch Gothic at a pixel size.
QFont KokyakuCardFont(int pixels, bool bold = false);

// Reads a picture file; a null image when there is none.
using CardPictureSource = std::function<QImage(const std::filesystem::path&)>;

void PaintKokyakuCardPage(QPainter& painter, const KokyakuCardPane& pane, int page, const CardPictureSource& pictures);

// The field of the page under a point of the card, or null.
const KokyakuCardField* KokyakuCardFieldAt(int page, int x, int y);

}  // namespace customers
