// SPDX-License-Identifier: GPL-3.0-or-later
// A machine-readable frame number burned into each picture: a row of 32
// black and white cells centred near the top edge. The cells are sized from
// the picture (1/48 of its width, 1/27 of its height), so the code reads the
// same from a scaled-down grab. The row starts with a marker that differs
// from its end marker, so a left-right mirrored picture still reads, and is
// told apart from an unmirrored one.
#pragma once

#include <QImage>
#include <QPainter>

namespace zv {

enum class FrameCodeChannel { Front = 0, Rear = 1 };

struct FrameCodeReading
{
    bool found = false;
    int frame = -1;
    bool mirrored = false;
    FrameCodeChannel channel = FrameCodeChannel::Front;
};

inline constexpr int kMaxFrameCodeFrame = (1 << 20) - 1;

// Draws the code of `frame` (0 .. kMaxFrameCodeFrame) into a picture of
// `pictureSize` painted by `painter`.
void DrawFrameCode(QPainter& painter, QSize pictureSize, int frame, FrameCodeChannel channel);
void DrawFrameCode(QImage& picture, int frame, FrameCodeChannel channel);

// Reads the code from a whole picture (any size, mirrored or not).
FrameCodeReading ReadFrameCode(const QImage& picture);

} // namespace zv
