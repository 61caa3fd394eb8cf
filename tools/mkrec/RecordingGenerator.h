// SPDX-License-Identifier: GPL-3.0-or-later
// Makes one recording file: draws the pictures, encodes them and the engine
// sound, makes the sensor records, and writes everything in time order with
// AviWriter.
#pragma once

#include "AviLayout.h"
#include "MediaEncoder.h"
#include "RecordingOptions.h"
#include "RouteSimulator.h"
#include "SensorRecordGenerator.h"

#include <string>
#include <vector>

namespace zv::mkrec {

class AviWriter;

class RecordingGenerator
{
public:
    explicit RecordingGenerator(RecordingOptions options);

    bool Write(const std::string& path);
    const std::string& Error() const { return m_error; }

private:
    int FrameCount() const;
    std::uint64_t FirstSampleOfFrame(int frame) const;
    RouteSimulator Route() const;
    bool Encode(MediaEncoder& encoder, std::vector<std::int16_t>& pcm);
    AviLayout Layout(const MediaEncoder& encoder) const;
    bool WriteInterleaved(AviWriter& writer, const MediaEncoder& encoder,
                          const std::vector<std::int16_t>& pcm,
                          const std::vector<SensorRecord>& records);
    bool Fail(const std::string& what);

    RecordingOptions m_options;
    std::string m_error;
};

} // namespace zv::mkrec
