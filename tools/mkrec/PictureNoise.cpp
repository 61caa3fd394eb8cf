// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureNoise.h"

#include <algorithm>

namespace zv::mkrec {

namespace {

// Noise amplitudes in 8-bit levels (the value runs over -range .. range - 1).
constexpr int kDetailLuma = 24;
constexpr int kDetailChroma = 6;
constexpr int kGrainLuma = 12;
constexpr int kGrainChroma = 4;
constexpr std::uint32_t kDetailSeed = 0x9E3779B9u;

inline std::uint32_t XorShift(std::uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

inline int Offset(std::uint32_t bits, int range)
{
    return int(bits % unsigned(2 * range)) - range;
}

inline QRgb Shifted(QRgb pixel, int luma, int dr, int db)
{
    const int r = std::clamp(qRed(pixel) + luma + dr, 0, 255);
    const int g = std::clamp(qGreen(pixel) + luma, 0, 255);
    const int b = std::clamp(qBlue(pixel) + luma + db, 0, 255);
    return qRgb(r, g, b);
}

} // namespace

void PictureNoise::AddNoise(QImage& picture, std::uint32_t seed, int lumaRange, int chromaRange)
{
    std::uint32_t state = seed | 1u;
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t bits = XorShift(state);
            line[x] = Shifted(line[x], Offset(bits & 0xFFFF, lumaRange), Offset((bits >> 16) & 0xFF, chromaRange),
                              Offset(bits >> 24, chromaRange));
        }
    }
}

void PictureNoise::AddDetail(QImage& picture)
{
    AddNoise(picture, kDetailSeed, kDetailLuma, kDetailChroma);
}

void PictureNoise::AddGrain(QImage& picture, int frame)
{
    // A well-mixed seed per frame, so that neighbouring frames share nothing.
    std::uint32_t seed = std::uint32_t(frame) * 2654435761u + 0x6A09E667u;
    XorShift(seed);
    AddNoise(picture, seed, kGrainLuma, kGrainChroma);
}

} // namespace zv::mkrec
