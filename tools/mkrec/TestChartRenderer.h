// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a still test chart for judging how a picture is scaled and shown:
// line gratings from one to four pixels wide, a zone plate and a star of
// thin spokes (they show moiré when a picture is scaled without filtering),
// small text and number plates, a grey wedge and colour patches. Only the
// frame code changes from frame to frame.
#pragma once

#include "FrameCode.h"

#include <QImage>
#include <QSize>

class QPainter;

namespace zv::mkrec {

class TestChartRenderer
{
public:
    TestChartRenderer(FrameCodeChannel channel, QSize size);

    QImage Render(int frame) const;

private:
    QImage DrawChart() const;
    void DrawGratings(QPainter& painter, double unit) const;
    void DrawZonePlate(QImage& image, double unit) const;
    void DrawStar(QPainter& painter, double unit) const;
    void DrawText(QPainter& painter, double unit) const;
    void DrawWedgeAndColours(QPainter& painter, double unit) const;

    FrameCodeChannel m_channel;
    QSize m_size;
    QImage m_chart;
};

} // namespace zv::mkrec
