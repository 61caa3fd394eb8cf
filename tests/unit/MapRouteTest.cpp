// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "map/MapPositionCall.h"
#include "map/MapRoute.h"
#include "sensors/GpsText.h"

namespace zv {
namespace {

CGPSData Fix(uint32_t timeMs, const std::string& status, const std::string& lat,
             const std::string& lng, const std::string& knots = "10.0") {
  CGPSData fix;
  ParseGpsText(fix, timeMs,
               ("GPRMC,010203.000," + status + "," + lat + ",N," + lng + ",E," + knots + ",90.0,010124,,,A").c_str());
  return fix;
}

SensorRecordArray<CGPSData> Recording(std::initializer_list<CGPSData> fixes) {
  SensorRecordArray<CGPSData> records;
  for (const CGPSData& fix : fixes) records.Append(fix);
  return records;
}

TEST(MapRouteTest, FixesWithoutAPositionBreakTheLine) {
  const MapRoute route = MapRoute::FromFixes(Recording({
      Fix(0, "A", "3733.9900", "12658.6800"),
      Fix(1000, "A", "3734.0000", "12658.7000"),
      Fix(2000, "V", "3734.0500", "12658.7500"),  // status V, even with a position
      Fix(3000, "A", "3734.1000", "12658.8000"),
      Fix(4000, "A", "", ""),                     // no position: never (0, 0)
      Fix(5000, "A", "3734.2000", "12658.9000"),
      Fix(6000, "A", "9500.0000", "12659.0000"),  // no place on earth
  }));
  ASSERT_EQ(route.Runs().size(), 3u);
  EXPECT_EQ(route.Runs()[0].size(), 2u);
  EXPECT_EQ(route.Runs()[1].size(), 1u);
  EXPECT_EQ(route.Runs()[2].size(), 1u);
  EXPECT_EQ(route.PointCount(), 4u);
  EXPECT_EQ(route.Runs()[1][0].timeMs, 3000);
  EXPECT_TRUE(MapRoute::FromFixes(Recording({Fix(0, "V", "", "")})).Runs().empty());
}

TEST(MapRouteTest, RecordingsOfATripStayApartOnOneTimeAxis) {
  const auto first = Recording({Fix(0, "A", "3733.9900", "12658.6800"), Fix(1000, "A", "3734.0000", "12658.7000")});
  const auto second = Recording({Fix(500, "A", "3734.0000", "12658.7000")});
  MapRoute trip;
  trip.AppendRecording(first, 0);
  trip.AppendRecording(second, 60000);
  ASSERT_EQ(trip.Runs().size(), 2u);
  EXPECT_EQ(trip.Runs()[1][0].timeMs, 60500);
}

TEST(MapRouteTest, JsonCarriesThePositionsAsTheMarkerReceivesThem) {
  const CGPSData fix = Fix(7000, "A", "3733.9900", "12658.6800", "27.0");
  const MapRoute route = MapRoute::FromFixes(Recording({fix}));
  // The page finds the marker on the route by the same six-decimal text.
  const QString call = PositionChangeCallText(NmeaToDegrees(fix.latitude), NmeaToDegrees(fix.longitude));
  EXPECT_EQ(call, "javascript:positionChange('37.566500', '126.978000')");
  EXPECT_EQ(route.ToJson(), QByteArray("[[[37.566500,126.978000,50.0,7000]]]"));
  EXPECT_EQ(MapRoute().ToJson(), QByteArray("[]"));
}

}  // namespace
}  // namespace zv
