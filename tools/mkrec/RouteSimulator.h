// SPDX-License-Identifier: GPL-3.0-or-later
// A drive along a fixed route in central Seoul: a speed profile (accelerate,
// cruise, slow down) over the length of one recording, and the position and
// course that follow from it.
#pragma once

namespace zv::mkrec {

struct RoutePoint
{
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    double courseDeg = 0; // 0 = north, clockwise
};

class RouteSimulator
{
public:
    // `durationS`: length of the recording; `startDistanceM`: where along
    // the route it begins; `parked`: the car stands still.
    RouteSimulator(double durationS, double startDistanceM, bool parked);

    double SpeedKmh(double timeS) const;
    // Distance driven from the start of the recording.
    double DistanceM(double timeS) const;
    // Acceleration along the road in m/s².
    double AccelerationMs2(double timeS) const;
    RoutePoint PointAt(double timeS) const;

private:
    double m_duration;
    double m_startDistance;
    bool m_parked;
    double m_accelerateUntil;
    double m_slowFrom;
    double m_cruise; // km/h
    double m_final;  // km/h at the end
};

} // namespace zv::mkrec
