// SPDX-License-Identifier: GPL-3.0-or-later
// What one generated recording holds.
#pragma once

#include "RecordingFormat.h"
#include "SensorRecordGenerator.h"

#include <QDateTime>
#include <QSize>

#include <cstdint>
#include <optional>

namespace zv::mkrec {

enum class AudioMode { Aac, Pcm, None };
// What the cameras see: the road, or a still test chart.
enum class SceneKind { Road, Chart };
// Plain: clean drawn pictures that encode small. Noise: fine detail and
// sensor noise, as costly to encode as a real camera's pictures.
enum class Texture { Plain, Noise };

struct RecordingOptions
{
    double seconds = 20;
    QSize front{1920, 1080};
    std::optional<QSize> rear = QSize(1280, 720);
    int fps = 30;
    AudioMode audio = AudioMode::Aac;
    GpsMode gps = GpsMode::Route;
    bool event = false;
    bool parked = false;          // the car stands still (parking recordings)
    double routeStartM = 0;       // where along the route the drive begins
    QDateTime start;              // local time of the first frame
    std::uint64_t riffLimit = recfmt::kDefaultRiffLimit;
    int sampleRate = 16000;
    SceneKind scene = SceneKind::Road;
    int videoKbps = 0;            // per video channel; 0: a default from the picture size
    int bFrames = 0;              // B-frames between reference frames (frames stored in decode order)
    Texture texture = Texture::Plain;
};

} // namespace zv::mkrec
