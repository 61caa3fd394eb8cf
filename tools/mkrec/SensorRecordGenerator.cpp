// SPDX-License-Identifier: GPL-3.0-or-later
#include "SensorRecordGenerator.h"

#include "RecordingFormat.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zv::mkrec {

namespace {

constexpr std::uint32_t kGSensorPeriodMs = 100;
constexpr std::uint32_t kGpsPeriodMs = 1000;
constexpr int kLocalOffsetHours = 9; // the recorder's clock runs on Korean time
constexpr double kRawPerG = 64.0;
constexpr double kKnotsPerKmh = 1 / 1.852;

// A small deterministic noise source, so that the same arguments make the
// same file.
int Noise(std::uint32_t& state, int amplitude)
{
    state = state * 1664525u + 1013904223u;
    return int((state >> 16) % unsigned(2 * amplitude + 1)) - amplitude;
}

// "dddmm.mmmm" of an angle in degrees.
std::string DegreesMinutes(double degrees, int degreeDigits)
{
    const double a = std::fabs(degrees);
    int whole = int(a);
    double minutes = (a - whole) * 60;
    if (std::lround(minutes * 10000) >= 600000) {
        whole += 1;
        minutes = 0;
    }
    // Qt's formatting, unlike the C library's, writes a point whatever the
    // locale: NMEA numbers never take the user's decimal comma.
    return QString::asprintf("%0*d%07.4f", degreeDigits, whole, minutes).toStdString();
}

} // namespace

SensorRecordGenerator::SensorRecordGenerator(const RouteSimulator& route, QDateTime startLocal,
                                             GpsMode gps, bool impact, std::uint32_t seed)
    : m_route(route), m_startLocal(std::move(startLocal)), m_gps(gps), m_impact(impact), m_seed(seed)
{
}

std::string SensorRecordGenerator::WithChecksum(const std::string& sentence)
{
    std::uint8_t sum = 0;
    for (char c : sentence)
        sum ^= std::uint8_t(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", sum);
    return sentence + tail;
}

std::string SensorRecordGenerator::GpsRecord(std::uint32_t timeMs) const
{
    const QDateTime utc = m_startLocal.addMSecs(timeMs).addSecs(-kLocalOffsetHours * 3600);
    const std::string time = utc.toString("hhmmss.zzz").toStdString();
    const std::string date = utc.toString("ddMMyy").toStdString();
    if (m_gps == GpsMode::Invalid)
        return WithChecksum("GPRMC," + time + ",V,,,,,,," + date + ",,,N");
    const double t = timeMs / 1000.0;
    const RoutePoint p = m_route.PointAt(t);
    const std::string motion =
        QString::asprintf("%05.1f,%05.1f", m_route.SpeedKmh(t) * kKnotsPerKmh, p.courseDeg).toStdString();
    return WithChecksum("GPRMC," + time + ",A," + DegreesMinutes(p.latitude, 2) + ","
                        + (p.latitude >= 0 ? "N" : "S") + "," + DegreesMinutes(p.longitude, 3) + ","
                        + (p.longitude >= 0 ? "E" : "W") + "," + motion + "," + date + ",,,A");
}

std::string SensorRecordGenerator::GSensorRecord(std::uint32_t timeMs, std::uint32_t durationMs,
                                                 std::uint32_t& random) const
{
    const double t = timeMs / 1000.0;
    double x = -m_route.AccelerationMs2(t) / 9.81 * kRawPerG + Noise(random, 3);
    double y = Noise(random, 3);
    double z = Noise(random, 4);
    if (m_impact) {
        // A knock from the front-left half-way through, dying away over 0.4 s.
        const std::int64_t sinceImpact = std::int64_t(timeMs) - durationMs / 2 / kGSensorPeriodMs * kGSensorPeriodMs;
        if (sinceImpact >= 0 && sinceImpact < 400) {
            const double decay = 1.0 - sinceImpact / 400.0;
            x += 125 * decay;
            y -= 90 * decay;
            z += 70 * decay * (sinceImpact % 200 == 0 ? 1 : -1);
        }
    }
    auto axis = [](double v) {
        return char(recfmt::EncodeGSensorAxis(std::clamp(int(std::lround(v)), recfmt::kGSensorMin,
                                                         recfmt::kGSensorMax)));
    };
    return {recfmt::kGSensorRecordTag, axis(x), axis(y), axis(z)};
}

std::vector<SensorRecord> SensorRecordGenerator::Generate(std::uint32_t durationMs) const
{
    std::vector<SensorRecord> records;
    std::uint32_t random = m_seed;
    for (std::uint32_t t = 0; t < durationMs; t += kGSensorPeriodMs) {
        records.push_back({t, GSensorRecord(t, durationMs, random)});
        if (m_gps != GpsMode::None && t % kGpsPeriodMs == 0)
            records.push_back({t, GpsRecord(t)});
    }
    return records;
}

} // namespace zv::mkrec
