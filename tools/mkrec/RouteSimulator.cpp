// SPDX-License-Identifier: GPL-3.0-or-later
#include "RouteSimulator.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zv::mkrec {

namespace {

constexpr double kCruiseKmh = 54.0;
constexpr double kFinalKmh = 18.0;
constexpr double kMaxAccelerationMs2 = 2.5; // a brisk but ordinary start
constexpr double kMaxBrakingMs2 = 3.0;
constexpr double kMetresPerDegree = 111320.0;
constexpr double kPi = 3.14159265358979323846;

// A loop of streets around City Hall; the last point joins the first.
constexpr std::array<std::array<double, 2>, 6> kRoute{{
    {37.56650, 126.97800},
    {37.56990, 126.97690},
    {37.57150, 126.97700},
    {37.57090, 126.98280},
    {37.56610, 126.98320},
    {37.56560, 126.98010},
}};

double LegLength(std::size_t i, double& dNorth, double& dEast)
{
    const auto& a = kRoute[i];
    const auto& b = kRoute[(i + 1) % kRoute.size()];
    dNorth = (b[0] - a[0]) * kMetresPerDegree;
    dEast = (b[1] - a[1]) * kMetresPerDegree * std::cos(a[0] * kPi / 180);
    return std::hypot(dNorth, dEast);
}

} // namespace

RouteSimulator::RouteSimulator(double durationS, double startDistanceM, bool parked)
    : m_duration(std::max(durationS, 1.0)), m_startDistance(startDistanceM), m_parked(parked),
      m_accelerateUntil(std::min(8.0, m_duration * 0.25)),
      m_slowFrom(m_duration - std::min(8.0, m_duration * 0.25)),
      // Short recordings have no time to reach full speed.
      m_cruise(std::min(kCruiseKmh, 3.6 * kMaxAccelerationMs2 * m_accelerateUntil)),
      m_final(std::max(std::min(kFinalKmh, m_cruise), m_cruise - 3.6 * kMaxBrakingMs2 * (m_duration - m_slowFrom)))
{
}

double RouteSimulator::SpeedKmh(double t) const
{
    if (m_parked)
        return 0;
    t = std::clamp(t, 0.0, m_duration);
    if (t < m_accelerateUntil)
        return m_cruise * t / m_accelerateUntil;
    if (t > m_slowFrom)
        return m_cruise - (m_cruise - m_final) * (t - m_slowFrom) / (m_duration - m_slowFrom);
    return m_cruise;
}

double RouteSimulator::AccelerationMs2(double t) const
{
    const double dt = 0.05;
    return (SpeedKmh(t + dt) - SpeedKmh(t - dt)) / 3.6 / (2 * dt);
}

double RouteSimulator::DistanceM(double t) const
{
    // The profile is piecewise linear, so a fine trapezoid sum is exact enough.
    const int steps = std::max(1, int(t * 20));
    const double dt = t / steps;
    double metres = 0;
    for (int i = 0; i < steps; ++i)
        metres += (SpeedKmh(i * dt) + SpeedKmh((i + 1) * dt)) / 2 / 3.6 * dt;
    return metres;
}

RoutePoint RouteSimulator::PointAt(double t) const
{
    double loop = 0;
    for (std::size_t i = 0; i < kRoute.size(); ++i) {
        double n = 0, e = 0;
        loop += LegLength(i, n, e);
    }
    double along = std::fmod(m_startDistance + DistanceM(t), loop);
    for (std::size_t i = 0;; i = (i + 1) % kRoute.size()) {
        double dNorth = 0, dEast = 0;
        const double length = LegLength(i, dNorth, dEast);
        if (along <= length) {
            const double f = along / length;
            const double lat = kRoute[i][0] + f * dNorth / kMetresPerDegree;
            const double lon =
                kRoute[i][1] + f * dEast / (kMetresPerDegree * std::cos(kRoute[i][0] * kPi / 180));
            double course = std::atan2(dEast, dNorth) * 180 / kPi;
            if (course < 0)
                course += 360;
            return {lat, lon, course};
        }
        along -= length;
    }
}

} // namespace zv::mkrec
