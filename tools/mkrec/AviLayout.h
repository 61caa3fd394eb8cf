// SPDX-License-Identifier: GPL-3.0-or-later
// What an AviWriter file holds: the streams and their formats.
#pragma once

#include "RecordingFormat.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zv::mkrec {

struct AviVideoFormat
{
    int width = 0;
    int height = 0;
};

struct AviAudioFormat
{
    enum class Codec { Aac, Pcm };
    Codec codec = Codec::Aac;
    int sampleRate = 16000;
    int channels = 1;
    int bitRate = 48000;                         // AAC only, for the header's byte rate
    std::vector<std::uint8_t> audioSpecificConfig; // AAC only
};

struct AviLayout
{
    int fpsNumerator = 30; // frame rate = fpsNumerator / fpsDenominator
    int fpsDenominator = 1;
    AviVideoFormat front;
    std::optional<AviVideoFormat> rear;
    std::optional<AviAudioFormat> audio;
    // A RIFF part is closed before it would pass this size (at most 4 GiB - 1).
    std::uint64_t riffLimit = recfmt::kDefaultRiffLimit;

    int StreamCount() const { return 1 + (rear ? 1 : 0) + (audio ? 1 : 0); }
    int AudioStreamIndex() const { return rear ? 2 : 1; }
};

} // namespace zv::mkrec
