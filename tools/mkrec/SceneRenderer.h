// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the pictures of one camera: a road scene seen through the windscreen
// (front) or the rear window (rear), with lane marks that move with the
// speed, the date, time and speed burned in, and the frame code.
#pragma once

#include "FrameCode.h"
#include "RecordingOptions.h"

#include <QDateTime>
#include <QImage>
#include <QSize>

namespace zv::mkrec {

struct SceneMoment
{
    int frame = 0;
    double distanceM = 0; // distance travelled since the start of the recording
    double speedKmh = 0;
    QDateTime localTime;
};

class SceneRenderer
{
public:
    SceneRenderer(FrameCodeChannel channel, QSize size, Texture texture = Texture::Plain);

    QImage Render(const SceneMoment& moment) const;

private:
    QImage DrawBackground() const;
    void DrawSkyline(class QPainter& painter) const;
    void DrawLaneMarks(class QPainter& painter, double distanceM) const;
    void DrawRoadsidePosts(class QPainter& painter, double distanceM) const;
    void DrawCaption(class QPainter& painter, const SceneMoment& moment) const;
    // Screen y of a point on the road `depthM` metres ahead of the camera.
    double ScreenY(double depthM) const;
    // Screen x of a point `lateralM` metres right of the camera axis.
    double ScreenX(double lateralM, double depthM) const;
    // Depth of a mark that lies `phaseM` metres along a repeating pattern.
    double MarkDepth(double phaseM, double distanceM, double periodM) const;

    FrameCodeChannel m_channel;
    QSize m_size;
    Texture m_texture;
    double m_horizonY;
    double m_focal;
    QImage m_background;
};

} // namespace zv::mkrec
