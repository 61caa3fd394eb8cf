// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPixmap>
#include <cstdint>

class QPainter;

// The skin pictures, looked up by number. Bitmap pictures (no alpha) live at
// skin:bmp/<id>.png and PNG pictures (alpha) at skin:png/<id>.png; the search
// path "skin" is the compiled-in resource folder :/skin (tests may put a
// folder of their own in front of it). Loaded pictures are kept in
// QPixmapCache so painting does not decode them again.

using SkinImageId = std::uint32_t;

bool HasBitmapResource(SkinImageId id);
bool HasPngResource(SkinImageId id);

// The picture, or a null pixmap when it is missing or does not decode.
QPixmap BitmapResource(SkinImageId id);
QPixmap PngResource(SkinImageId id);

// Draws the PNG picture at (0, 0) at its own size, blending its alpha.
// Nothing is drawn when it is missing or does not decode.
void DrawPngResource(QPainter& painter, SkinImageId id);

// Copies the top-left width x height area of the bitmap picture to (x, y),
// without stretching. With transparent set, pixels of the key colour are
// left out.
void DrawBitmapResource(QPainter& painter, SkinImageId id, int x, int y, int width, int height,
                        bool transparent = false, QColor key = Qt::white);

// Copies the width x height area at (sourceX, sourceY) of the bitmap picture
// to (x, y), without stretching.
void DrawBitmapPart(QPainter& painter, SkinImageId id, int x, int y, int width, int height,
                    int sourceX, int sourceY);

// Stretches the whole bitmap picture over the target rectangle.
void DrawBitmapStretched(QPainter& painter, SkinImageId id, const QRect& target);
