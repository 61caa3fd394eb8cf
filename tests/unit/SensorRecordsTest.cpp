// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "sensors/GpsText.h"
#include "sensors/SensorRecords.h"
#include "ScopedEnvironment.h"

namespace zv {
namespace {

using Record = std::array<uint8_t, kSensorRecordSize>;

Record GSensorRecord(uint8_t x, uint8_t y, uint8_t z) {
  Record r{};
  r[0] = 'M';
  r[1] = x;
  r[2] = y;
  r[3] = z;
  return r;
}

Record GpsRecord(const std::string& text) {
  Record r{};
  std::memcpy(r.data(), text.data(), std::min(text.size(), r.size()));
  return r;
}

const char* kValidFix = "GPRMC,163000.000,A,3730.5000,N,12659.2500,E,12.5,87.3,310124,,,A*6C";

// Runs each test in a fixed time zone (nine hours east, no summer time), and
// with empty record arrays.
class SensorRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tzset();
    ClearSensorRecords();
  }
  void TearDown() override {
    ClearSensorRecords();
    tz_.reset();
    tzset();
  }
  std::optional<ScopedEnvironment> tz_{std::in_place, "TZ", "KST-9"};
};

TEST_F(SensorRecordsTest, GSensorBytesAreDecodedWithXor) {
  EXPECT_EQ(DispatchSensorRecord(GSensorRecord(0x80, 0xFF, 0x00).data(), 100), 0);
  DispatchSensorRecord(GSensorRecord(0x7F, 0x01, 0xFE).data(), 200);
  ASSERT_EQ(GSensorRecords().Count(), 2u);
  const CGSensorData& a = GSensorRecords()[0];
  EXPECT_EQ(a.x, 0);
  EXPECT_EQ(a.y, -127);
  EXPECT_EQ(a.z, 128);
  EXPECT_EQ(a.timeMs, 100u);
  EXPECT_EQ(GSensorRecords()[1].x, 1);
  EXPECT_EQ(GSensorRecords()[1].y, 127);
  EXPECT_EQ(GSensorRecords()[1].z, -126);
  EXPECT_TRUE(GpsRecords().Empty());
}

TEST_F(SensorRecordsTest, OtherRecordTypesAreDropped) {
  Record r = GpsRecord("X,1,2,3");
  DispatchSensorRecord(r.data(), 1);
  r[0] = 'm';
  DispatchSensorRecord(r.data(), 1);
  DispatchSensorRecord(nullptr, 1);
  EXPECT_TRUE(GSensorRecords().Empty());
  EXPECT_TRUE(GpsRecords().Empty());
}

TEST_F(SensorRecordsTest, FullGpsTextFillsEveryField) {
  CGPSData fix;
  ASSERT_TRUE(ParseGpsText(fix, 4000, kValidFix));
  EXPECT_EQ(fix.hour, 25);  // 16 UTC + 9
  EXPECT_EQ(fix.minute, 30);
  EXPECT_EQ(fix.second, 0);
  EXPECT_EQ(fix.valid, 1);
  EXPECT_DOUBLE_EQ(fix.latitude, 3730.5);
  EXPECT_DOUBLE_EQ(fix.longitude, 12659.25);
  EXPECT_EQ(fix.speedKmh, static_cast<double>(static_cast<float>(12.5 * 1.852)));
  EXPECT_NE(fix.speedKmh, 12.5 * 1.852);  // held at single precision
  EXPECT_EQ(fix.course, static_cast<double>(87.3f));
  EXPECT_EQ(fix.day, 31);
  EXPECT_EQ(fix.month, 1);
  EXPECT_EQ(fix.year, 24);
  EXPECT_EQ(fix.timeMs, 4000u);
  // 2024-01-31 25:30 local rolls over to 2024-02-01 01:30 local.
  EXPECT_EQ(fix.localTime, 1706718600);
}

TEST_F(SensorRecordsTest, HemispheresAndEmptyFields) {
  CGPSData fix;
  ASSERT_TRUE(ParseGpsText(fix, 0, ",,GPRMC,000000,V,,,3730.5,W,,,010170"));
  EXPECT_EQ(fix.valid, 0);
  EXPECT_EQ(fix.latitude, 0.0);
  EXPECT_TRUE(std::signbit(fix.latitude));  // empty hemisphere negates
  EXPECT_DOUBLE_EQ(fix.longitude, -3730.5);
  EXPECT_EQ(fix.speedKmh, 0.0);
  EXPECT_EQ(fix.hour, 9);
  EXPECT_EQ(fix.localTime, 0);  // 1970-01-01 09:00 at nine hours east
  CGPSData south;
  ASSERT_TRUE(ParseGpsText(south, 0, "G,1,A,1234.5x,S,00012,E,abc,-4e1,311299"));
  EXPECT_DOUBLE_EQ(south.latitude, -1234.5);  // the number stops at 'x'
  EXPECT_DOUBLE_EQ(south.longitude, 12);
  EXPECT_EQ(south.speedKmh, 0.0);
  EXPECT_EQ(south.course, -40.0);
  EXPECT_EQ(south.year, 99);
}

TEST_F(SensorRecordsTest, NumbersNeverBecomeInfiniteOrUndefined) {
  CGPSData fix;
  ASSERT_TRUE(ParseGpsText(fix, 0, "G,1,A,1e999,N,nan,E,inf,--3,010124"));
  EXPECT_EQ(fix.latitude, 0.0);
  EXPECT_EQ(fix.longitude, 0.0);
  EXPECT_EQ(fix.speedKmh, 0.0);
  EXPECT_EQ(fix.course, 0.0);
}

// Speed and course are held at single precision: a number a float cannot
// hold reads as 0 rather than as infinity. The speed is converted to km/h
// first, so a speed just inside the range of a float in knots overflows.
TEST_F(SensorRecordsTest, SpeedAndCourseBeyondSinglePrecisionReadAsZero) {
  CGPSData fix;
  ASSERT_TRUE(ParseGpsText(fix, 0, "G,1,A,1e39,N,-1e39,E,3e38,1e40,010124"));
  EXPECT_EQ(fix.latitude, 1e39);  // held at double precision
  EXPECT_EQ(fix.longitude, -1e39);
  EXPECT_EQ(fix.speedKmh, 0.0);
  EXPECT_EQ(fix.course, 0.0);
  ASSERT_TRUE(ParseGpsText(fix, 0, "G,1,A,0,N,0,E,1e38,-3.4e38,010124"));
  EXPECT_EQ(fix.speedKmh, static_cast<double>(static_cast<float>(1e38 * 1.852)));
  EXPECT_EQ(fix.course, static_cast<double>(-3.4e38f));
}

TEST_F(SensorRecordsTest, TwoDigitYearsMapTo1970Through2069) {
  CGPSData fix;
  ASSERT_TRUE(ParseGpsText(fix, 0, "G,150000,A,0,N,0,E,0,0,010170"));
  EXPECT_EQ(fix.localTime, 54000);  // 1970-01-01 24:00 = 01-02 00:00 at nine hours east
  ASSERT_TRUE(ParseGpsText(fix, 0, "G,150000,A,0,N,0,E,0,0,301269"));
  EXPECT_EQ(fix.localTime, 3155641200);  // 2069-12-30 24:00
}

TEST_F(SensorRecordsTest, ShortTextKeepsWhatItReadAndFails) {
  CGPSData fix;
  EXPECT_FALSE(ParseGpsText(fix, 7, "GPRMC,101010,A,3730.5,N"));
  EXPECT_EQ(fix.valid, 1);
  EXPECT_DOUBLE_EQ(fix.latitude, 3730.5);
  EXPECT_EQ(fix.longitude, 0.0);
  EXPECT_EQ(fix.localTime, 0);
  EXPECT_EQ(fix.timeMs, 7u);
  CGPSData nine;
  EXPECT_FALSE(ParseGpsText(nine, 0, "G,1,A,1,N,1,E,1,1"));  // ends at field 8
  EXPECT_TRUE(ParseGpsText(nine, 0, "G,1,A,1,N,1,E,1,1,"));  // field 9 present, empty
  CGPSData none;
  EXPECT_FALSE(ParseGpsText(none, 0, ",,,,"));
  EXPECT_FALSE(ParseGpsText(none, 0, nullptr));
  EXPECT_EQ(none.valid, 0);
  // The dispatcher keeps a fix whether its text parsed or not.
  DispatchSensorRecord(GpsRecord("GPRMC,1,A").data(), 3);
  ASSERT_EQ(GpsRecords().Count(), 1u);
  EXPECT_EQ(GpsRecords()[0].valid, 1);
}

TEST_F(SensorRecordsTest, TextWithoutTerminatorIsCutAt1023Characters) {
  // Nine fields, then a date field that runs to the end of the record.
  std::string text = "G,1,A,1,N,1,E,1,1,";
  text += std::string(kSensorRecordSize - text.size(), '7');
  text[1022] = '1';
  DispatchSensorRecord(GpsRecord(text).data(), 0);
  ASSERT_EQ(GpsRecords().Count(), 1u);
  EXPECT_EQ(GpsRecords()[0].day, 77);
  char shortened[2048];
  std::memset(shortened, ',', sizeof shortened - 1);
  shortened[sizeof shortened - 1] = '\0';
  CGPSData fix;
  EXPECT_FALSE(ParseGpsText(fix, 0, shortened));
}

TEST_F(SensorRecordsTest, LookupsTakeTheFirstRecordAtOrAfterTheTime) {
  float x, y, z;
  double speed = 1;
  float lat = 1, lon = 1;
  EXPECT_FALSE(FindGSensor(0, x, y, z));
  EXPECT_FALSE(FindSpeed(0, speed));
  EXPECT_FALSE(FindPosition(0, lat, lon));
  EXPECT_EQ(speed, 0.0);
  EXPECT_EQ(lat, 0.0f);

  DispatchSensorRecord(GSensorRecord(0x80, 0x80, 0x80).data(), 100);   // 0, 0, 0
  DispatchSensorRecord(GSensorRecord(0x00, 0xFF, 0x7F).data(), 300);   // 128, -127, 1
  DispatchSensorRecord(GSensorRecord(0x7E, 0x80, 0x80).data(), 200);   // out of order: 2
  ASSERT_TRUE(FindGSensor(0, x, y, z));  // before the first: the first
  EXPECT_EQ(x, 0.0f);
  ASSERT_TRUE(FindGSensor(300, x, y, z));  // equal time selects it
  EXPECT_EQ(x, 0.128f);
  EXPECT_EQ(y, -0.127f);
  EXPECT_EQ(z, 0.001f);
  // 150: the record at 300 comes first in storage order, before the one at 200.
  ASSERT_TRUE(FindGSensor(150, x, y, z));
  EXPECT_EQ(x, 0.128f);
  // After every record: the last one in storage order, not zero.
  ASSERT_TRUE(FindGSensor(301, x, y, z));
  EXPECT_EQ(x, 0.002f);
  ASSERT_TRUE(FindGSensor(UINT32_MAX, x, y, z));
  EXPECT_EQ(x, 0.002f);
}

// The last second of a recording lies after its last fix: speed and position
// stay on that fix instead of dropping to zero.
TEST_F(SensorRecordsTest, TheEndOfARecordKeepsItsLastFix) {
  DispatchSensorRecord(GpsRecord(kValidFix).data(), 59000);
  double speed;
  float lat, lon;
  ASSERT_TRUE(FindSpeed(59999, speed));
  EXPECT_EQ(speed, static_cast<double>(static_cast<float>(12.5 * 1.852)));
  ASSERT_TRUE(FindPosition(59999, lat, lon));
  EXPECT_FLOAT_EQ(lat, 37.508333f);
}

TEST_F(SensorRecordsTest, InvalidFixesHideSpeedAndPosition) {
  DispatchSensorRecord(GpsRecord(kValidFix).data(), 1000);
  std::string noFix = kValidFix;
  noFix[17] = 'V';
  DispatchSensorRecord(GpsRecord(noFix).data(), 2000);
  DispatchSensorRecord(GSensorRecord(0x7F, 0x7F, 0x7F).data(), 2000);

  double speed;
  float lat, lon, x, y, z;
  ASSERT_TRUE(FindSpeed(1000, speed));
  EXPECT_EQ(speed, static_cast<double>(static_cast<float>(12.5 * 1.852)));
  ASSERT_TRUE(FindPosition(500, lat, lon));
  EXPECT_FLOAT_EQ(lat, 37.508333f);
  EXPECT_FLOAT_EQ(lon, 126.9875f);
  EXPECT_FALSE(FindSpeed(1001, speed));
  EXPECT_EQ(speed, 0.0);
  EXPECT_FALSE(FindPosition(2000, lat, lon));
  EXPECT_EQ(lon, 0.0f);
  EXPECT_FALSE(FindPosition(2001, lat, lon));  // the last record is the invalid one
  EXPECT_TRUE(FindGSensor(1001, x, y, z));  // samples have no validity

  ClearSensorRecords();
  EXPECT_TRUE(GpsRecords().Empty());
  EXPECT_TRUE(GSensorRecords().Empty());
  EXPECT_FALSE(FindSpeed(0, speed));
}

TEST(NmeaToDegreesTest, KeepsTheSign) {
  EXPECT_NEAR(NmeaToDegrees(-3730.5), -37.508333, 1e-6);
  EXPECT_NEAR(NmeaToDegrees(12659.25), 126.9875, 1e-9);
  EXPECT_EQ(NmeaToDegrees(0), 0.0);
}

}  // namespace
}  // namespace zv
