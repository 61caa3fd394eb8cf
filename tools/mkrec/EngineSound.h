// SPDX-License-Identifier: GPL-3.0-or-later
// An engine-like hum: a low fundamental with harmonics whose pitch follows a
// slowly varying engine speed. Mono, 16-bit.
#pragma once

#include <cstdint>
#include <vector>

namespace zv::mkrec {

class EngineSound
{
public:
    explicit EngineSound(int sampleRate);

    // The next `count` samples.
    std::vector<std::int16_t> Next(std::size_t count);

private:
    int m_sampleRate;
    std::uint64_t m_sample = 0;
    double m_phase = 0; // of the fundamental, in cycles
    std::uint32_t m_noise = 12345;
};

} // namespace zv::mkrec
