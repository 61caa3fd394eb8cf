// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// Colours shared by every picture of the skin. The window itself paints
// RGB(10,10,10) behind everything, panels RGB(20,20,20) and frame lines
// RGB(100,100,100); the pictures are drawn to sit seamlessly on those.
namespace mkskin {

inline const QColor kWindowBack(10, 10, 10);
inline const QColor kPanelBack(20, 20, 20);
inline const QColor kNoDataBack(51, 51, 51);
inline const QColor kFrameLine(100, 100, 100);
inline const QColor kFace(38, 38, 38);
inline const QColor kFaceHover(54, 54, 54);
inline const QColor kGlyph(205, 205, 205);
inline const QColor kGlyphHover(255, 255, 255);
inline const QColor kGlyphDisabled(72, 72, 72);
inline const QColor kAccent(38, 176, 204);
inline const QColor kAccentDark(18, 96, 116);
inline const QColor kAccentLight(120, 224, 244);
inline const QColor kCloseRed(196, 43, 43);
inline const QColor kKeyWhite(255, 255, 255);

// The title strip: a band that fades from kStripTop at row 0 to the window
// background at row kStripFadeRows; buttons of the top row repeat its rows.
inline const QColor kStripTop(52, 52, 52);
constexpr int kStripFadeRows = 17;

// Korean captions are drawn with the CJK face that fonts-noto-cjk installs.
inline const char* const kCaptionFace = "Noto Sans CJK KR";

}  // namespace mkskin
