// SPDX-License-Identifier: GPL-3.0-or-later
#include "SceneRenderer.h"

#include "PictureNoise.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace zv::mkrec {

namespace {

constexpr double kCameraHeightM = 1.3;
constexpr double kLaneWidthM = 3.5;
constexpr double kNearestDepthM = 2.0;
constexpr double kFarthestDepthM = 160.0;
constexpr double kDashPeriodM = 12.0;
constexpr double kDashLengthM = 5.0;
constexpr double kDashRangeM = kDashPeriodM * 13; // a whole number of dash periods
constexpr double kPostPeriodM = 20.0;

struct Palette
{
    QColor skyTop, skyHorizon, ground, road, edge, dash, car;
};

Palette PaletteFor(FrameCodeChannel channel)
{
    if (channel == FrameCodeChannel::Front)
        return {QColor(60, 120, 210), QColor(190, 215, 240), QColor(70, 130, 60),
                QColor(70, 70, 75), QColor(235, 235, 235), QColor(250, 210, 40), QColor(25, 25, 30)};
    return {QColor(120, 60, 130), QColor(250, 170, 110), QColor(150, 110, 70),
            QColor(95, 85, 80), QColor(220, 220, 200), QColor(240, 240, 240), QColor(110, 20, 20)};
}

} // namespace

SceneRenderer::SceneRenderer(FrameCodeChannel channel, QSize size, Texture texture)
    : m_channel(channel), m_size(size), m_texture(texture), m_horizonY(size.height() * 0.45),
      m_focal(size.height() * 0.9)
{
    m_background = DrawBackground();
    if (m_texture == Texture::Noise)
        PictureNoise::AddDetail(m_background);
}

double SceneRenderer::ScreenY(double depthM) const
{
    return m_horizonY + kCameraHeightM * m_focal / depthM;
}

double SceneRenderer::ScreenX(double lateralM, double depthM) const
{
    return m_size.width() / 2.0 + lateralM * m_focal / depthM;
}

double SceneRenderer::MarkDepth(double phaseM, double distanceM, double periodM) const
{
    // Ahead of the car marks come closer as it drives; behind it they recede.
    const double travelled = std::fmod(distanceM, periodM);
    const double shift = m_channel == FrameCodeChannel::Front ? -travelled : travelled;
    return kNearestDepthM + std::fmod(phaseM + shift + 2 * periodM, periodM);
}

QImage SceneRenderer::DrawBackground() const
{
    const Palette colours = PaletteFor(m_channel);
    QImage image(m_size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, m_horizonY);
    sky.setColorAt(0, colours.skyTop);
    sky.setColorAt(1, colours.skyHorizon);
    painter.fillRect(QRectF(0, 0, m_size.width(), m_horizonY), sky);
    painter.fillRect(QRectF(0, m_horizonY, m_size.width(), m_size.height() - m_horizonY), colours.ground);
    DrawSkyline(painter);

    const double halfRoad = kLaneWidthM * 1.5;
    const QPolygonF road({QPointF(ScreenX(-halfRoad, kFarthestDepthM), ScreenY(kFarthestDepthM)),
                          QPointF(ScreenX(halfRoad, kFarthestDepthM), ScreenY(kFarthestDepthM)),
                          QPointF(ScreenX(halfRoad, 1.0), ScreenY(1.0)),
                          QPointF(ScreenX(-halfRoad, 1.0), ScreenY(1.0))});
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.road);
    painter.drawPolygon(road);
    painter.setPen(QPen(colours.edge, std::max(2.0, m_size.height() / 180.0)));
    for (double side : {-halfRoad + 0.2, halfRoad - 0.2})
        painter.drawLine(QPointF(ScreenX(side, kFarthestDepthM), ScreenY(kFarthestDepthM)),
                         QPointF(ScreenX(side, 1.0), ScreenY(1.0)));

    // The bonnet (front) or the boot lid (rear) at the bottom of the picture.
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.car);
    const double w = m_size.width(), h = m_size.height();
    painter.drawChord(QRectF(-0.1 * w, 0.86 * h, 1.2 * w, 0.4 * h), 0, 180 * 16);
    return image;
}

// Tower blocks ahead, low hills behind: a fixed outline on the horizon.
void SceneRenderer::DrawSkyline(QPainter& painter) const
{
    const double w = m_size.width(), unit = m_size.height() / 100.0;
    std::uint32_t random = 2024;
    auto next = [&random](int range) {
        random = random * 1664525u + 1013904223u;
        return int((random >> 16) % unsigned(range));
    };
    painter.setPen(Qt::NoPen);
    if (m_channel == FrameCodeChannel::Front) {
        for (double x = 0; x < w;) {
            const double width = unit * (4 + next(6)), height = unit * (3 + next(14));
            const int shade = 110 + next(50);
            painter.setBrush(QColor(shade - 20, shade - 10, shade + 10));
            painter.drawRect(QRectF(x, m_horizonY - height, width, height));
            x += width + unit * next(3);
        }
        return;
    }
    QPolygonF hills;
    hills << QPointF(0, m_horizonY);
    for (double x = 0; x <= w + 8 * unit; x += 8 * unit)
        hills << QPointF(x, m_horizonY - unit * (2 + next(7)));
    hills << QPointF(w + 8 * unit, m_horizonY);
    painter.setBrush(QColor(110, 80, 90));
    painter.drawPolygon(hills);
}

void SceneRenderer::DrawLaneMarks(QPainter& painter, double distanceM) const
{
    const Palette colours = PaletteFor(m_channel);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.dash);
    const double half = 0.08;
    for (double lane : {-kLaneWidthM / 2, kLaneWidthM / 2}) {
        for (double phase = 0; phase < kDashRangeM; phase += kDashPeriodM) {
            const double nearM = MarkDepth(phase, distanceM, kDashRangeM);
            const double farM = std::min(nearM + kDashLengthM, kFarthestDepthM);
            painter.drawPolygon(QPolygonF({QPointF(ScreenX(lane - half, farM), ScreenY(farM)),
                                           QPointF(ScreenX(lane + half, farM), ScreenY(farM)),
                                           QPointF(ScreenX(lane + half, nearM), ScreenY(nearM)),
                                           QPointF(ScreenX(lane - half, nearM), ScreenY(nearM))}));
        }
    }
}

void SceneRenderer::DrawRoadsidePosts(QPainter& painter, double distanceM) const
{
    const double roadside = kLaneWidthM * 2.2;
    for (double phase = 0; phase < 100.0; phase += kPostPeriodM) {
        const double depth = MarkDepth(phase, distanceM, 100.0) + 2.0;
        const double postHeight = 2.5 * m_focal / depth;
        const double width = std::max(1.0, 0.25 * m_focal / depth);
        for (double side : {-roadside, roadside}) {
            const double x = ScreenX(side, depth), y = ScreenY(depth);
            painter.fillRect(QRectF(x - width / 2, y - postHeight, width, postHeight), QColor(200, 200, 190));
            painter.fillRect(QRectF(x - width / 2, y - postHeight, width, postHeight / 6), QColor(220, 40, 40));
        }
    }
}

void SceneRenderer::DrawCaption(QPainter& painter, const SceneMoment& moment) const
{
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(std::max(8, m_size.height() / 24));
    font.setBold(true);
    painter.setFont(font);
    const QString text = QStringLiteral("%1  %2 km/h  %3")
                             .arg(moment.localTime.toString("yyyy-MM-dd hh:mm:ss"))
                             .arg(int(std::lround(moment.speedKmh)), 3)
                             .arg(m_channel == FrameCodeChannel::Front ? "FRONT" : "REAR");
    const QRectF box(m_size.width() * 0.02, m_size.height() * 0.9, m_size.width() * 0.96,
                     m_size.height() * 0.08);
    painter.setPen(Qt::black);
    painter.drawText(box.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

QImage SceneRenderer::Render(const SceneMoment& moment) const
{
    QImage image = m_background.copy();
    QPainter painter(&image);
    DrawLaneMarks(painter, moment.distanceM);
    DrawRoadsidePosts(painter, moment.distanceM);
    DrawCaption(painter, moment);
    DrawFrameCode(painter, m_size, moment.frame, m_channel);
    painter.end();
    if (m_texture == Texture::Noise)
        PictureNoise::AddGrain(image, moment.frame);
    return image;
}

} // namespace zv::mkrec
