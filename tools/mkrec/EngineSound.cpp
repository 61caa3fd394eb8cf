// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineSound.h"

#include <cmath>

namespace zv::mkrec {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr double kIdleHz = 38.0;
constexpr double kHarmonics[] = {1.0, 0.6, 0.45, 0.25, 0.15, 0.08};

} // namespace

EngineSound::EngineSound(int sampleRate) : m_sampleRate(sampleRate) {}

std::vector<std::int16_t> EngineSound::Next(std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::int16_t& out : samples) {
        const double t = double(m_sample++) / m_sampleRate;
        // Engine speed drifts up and down over several seconds.
        const double hz = kIdleHz * (1.0 + 0.35 * std::sin(kTwoPi * t / 7.0) + 0.1 * std::sin(kTwoPi * t / 2.3));
        m_phase += hz / m_sampleRate;
        double v = 0;
        for (int h = 0; h < int(std::size(kHarmonics)); ++h)
            v += kHarmonics[h] * std::sin(kTwoPi * (h + 1) * m_phase);
        // Firing pulses: a little amplitude wobble at twice the fundamental.
        v *= 0.8 + 0.2 * std::sin(kTwoPi * 2 * m_phase);
        m_noise = m_noise * 1664525u + 1013904223u;
        v += ((m_noise >> 16) / 65535.0 - 0.5) * 0.08;
        out = std::int16_t(std::lround(v * 6000));
    }
    return samples;
}

} // namespace zv::mkrec
