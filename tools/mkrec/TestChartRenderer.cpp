// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestChartRenderer.h"

#include <QFont>
#include <QPainter>

#include <cmath>

namespace zv::mkrec {

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

TestChartRenderer::TestChartRenderer(FrameCodeChannel channel, QSize size)
    : m_channel(channel), m_size(size)
{
    m_chart = DrawChart();
}

QImage TestChartRenderer::Render(int frame) const
{
    QImage image = m_chart.copy();
    DrawFrameCode(image, frame, m_channel);
    return image;
}

// Everything is laid out in units of 1/1080 of the picture height, so the
// chart keeps its shape at any size; line widths stay whole pixels.
QImage TestChartRenderer::DrawChart() const
{
    QImage image(m_size, QImage::Format_RGB32);
    image.fill(QColor(235, 235, 235));
    const double unit = m_size.height() / 1080.0;
    DrawZonePlate(image, unit);
    QPainter painter(&image);
    DrawGratings(painter, unit);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawStar(painter, unit);
    DrawText(painter, unit);
    DrawWedgeAndColours(painter, unit);
    return image;
}

// Two rows of patches: vertical lines, then horizontal lines, each patch
// with lines and gaps of one to four pixels.
void TestChartRenderer::DrawGratings(QPainter& painter, double unit) const
{
    const int patch = int(150 * unit), gap = int(20 * unit);
    const int left = int(40 * unit), top = int(90 * unit);
    for (int row = 0; row < 2; ++row) {
        for (int width = 1; width <= 4; ++width) {
            const QRect area(left + (width - 1) * (patch + gap), top + row * (patch + gap), patch, patch);
            painter.fillRect(area, Qt::white);
            for (int p = 0; p < patch; p += 2 * width) {
                const QRect line = row == 0 ? QRect(area.left() + p, area.top(), width, patch)
                                            : QRect(area.left(), area.top() + p, patch, width);
                painter.fillRect(line.intersected(area), Qt::black);
            }
        }
    }
}

// Concentric rings whose spacing shrinks to one pixel at the rim.
void TestChartRenderer::DrawZonePlate(QImage& image, double unit) const
{
    const int radius = int(230 * unit);
    const int cx = m_size.width() - int(40 * unit) - radius, cy = int(90 * unit) + radius;
    for (int y = -radius; y < radius; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(cy + y));
        for (int x = -radius; x < radius; ++x) {
            const double r2 = double(x) * x + double(y) * y;
            if (r2 >= double(radius) * radius)
                continue;
            const int v = int(std::lround(127.5 + 127.5 * std::cos(kPi * r2 / (2.0 * radius))));
            row[cx + x] = qRgb(v, v, v);
        }
    }
}

// A star of thin black spokes that meet in the middle.
void TestChartRenderer::DrawStar(QPainter& painter, double unit) const
{
    const double radius = 170 * unit;
    const QPointF centre(m_size.width() * 0.5, 90 * unit + radius + 40 * unit);
    painter.setPen(QPen(Qt::black, std::max(1.0, unit)));
    for (int i = 0; i < 72; ++i) {
        const double a = i * kPi / 36;
        painter.drawLine(centre, centre + QPointF(radius * std::cos(a), radius * std::sin(a)));
    }
}

// Lines of text from 9 to 26 pixels high and number plates of three sizes.
void TestChartRenderer::DrawText(QPainter& painter, double unit) const
{
    const QString sample = QStringLiteral("12가 3456  서울 34나 7890  ABCDEFGHJKLMNPRSTUVWXYZ 0123456789 +-/.");
    double y = 470 * unit;
    painter.setPen(Qt::black);
    for (int pixels : {9, 11, 13, 16, 20, 26}) {
        QFont font("Noto Sans CJK KR");
        font.setPixelSize(std::max(6, int(pixels * unit)));
        painter.setFont(font);
        y += pixels * unit * 1.6;
        painter.drawText(QPointF(40 * unit, y), sample);
    }
    double x = 40 * unit;
    for (int height : {24, 36, 54}) {
        const QRectF plate(x, 720 * unit, height * 4.7 * unit, height * unit);
        painter.setPen(QPen(Qt::black, std::max(1.0, unit * height / 18)));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(plate, 3 * unit, 3 * unit);
        QFont font("Noto Sans CJK KR");
        font.setPixelSize(std::max(6, int(height * 0.75 * unit)));
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(plate, Qt::AlignCenter, QStringLiteral("12가 3456"));
        x += plate.width() + 30 * unit;
    }
}

// A wedge of sixteen greys from black to white and eight colour patches.
void TestChartRenderer::DrawWedgeAndColours(QPainter& painter, double unit) const
{
    const double top = 900 * unit, height = 70 * unit, width = m_size.width() / 24.0;
    for (int i = 0; i < 16; ++i) {
        const int v = i * 255 / 15;
        painter.fillRect(QRectF(i * width, top, width + 1, height), QColor(v, v, v));
    }
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta, Qt::yellow,
                              QColor(255, 128, 0), QColor(128, 64, 32)};
    for (int i = 0; i < 8; ++i)
        painter.fillRect(QRectF((16 + i) * width, top, width + 1, height), colours[i]);
}

} // namespace zv::mkrec
