// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the sensor records of one recording: G-sensor samples at 10 Hz and
// GPS fixes at 1 Hz, as the recorder's sensors deliver them.
#pragma once

#include "RouteSimulator.h"

#include <QDateTime>

#include <cstdint>
#include <string>
#include <vector>

namespace zv::mkrec {

enum class GpsMode { Route, None, Invalid };

struct SensorRecord
{
    std::uint32_t timeMs = 0;
    std::string bytes;
};

class SensorRecordGenerator
{
public:
    SensorRecordGenerator(const RouteSimulator& route, QDateTime startLocal, GpsMode gps,
                          bool impact, std::uint32_t seed);

    // Every record with a time before `durationMs`, in time order.
    std::vector<SensorRecord> Generate(std::uint32_t durationMs) const;

    // The 'G' record text of a fix at `timeMs`: an RMC sentence with its
    // checksum and without the leading '$'.
    std::string GpsRecord(std::uint32_t timeMs) const;
    static std::string WithChecksum(const std::string& sentence);

private:
    std::string GSensorRecord(std::uint32_t timeMs, std::uint32_t durationMs, std::uint32_t& random) const;

    const RouteSimulator& m_route;
    QDateTime m_startLocal;
    GpsMode m_gps;
    bool m_impact;
    std::uint32_t m_seed;
};

} // namespace zv::mkrec
