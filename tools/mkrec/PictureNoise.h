// SPDX-License-Identifier: GPL-3.0-or-later
// The texture of a real camera's pictures: fine static detail (asphalt
// grain, foliage) and sensor noise that changes with every frame. Both make
// pictures as costly to encode as a recorder's, so that generated files reach
// a recorder's size and entropy at its bit rate.
#pragma once

#include <QImage>

#include <cstdint>

namespace zv::mkrec {

class PictureNoise
{
public:
    // Adds fixed fine detail to a background picture (Format_RGB32).
    static void AddDetail(QImage& picture);
    // Adds the sensor noise of frame `frame`: different for every frame, the
    // same for the same frame. Small enough that the frame code still reads.
    static void AddGrain(QImage& picture, int frame);

private:
    static void AddNoise(QImage& picture, std::uint32_t seed, int lumaRange, int chromaRange);
};

} // namespace zv::mkrec
