// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "map/MapPositionCall.h"
#include "map/PageScriptCall.h"
#include "sensors/SensorRecords.h"

namespace zv {
namespace {

TEST(PageScriptCallTest, PositionChangeCallGivesTwoTokens) {
  const PageScriptCall call =
      ParsePageScriptCall("javascript:positionChange('37.566500', '126.978000')");
  EXPECT_EQ(call.functionName, QStringLiteral("positionChange"));
  EXPECT_EQ(call.arguments, (QStringList{"37.566500", "126.978000"}));
}

TEST(PageScriptCallTest, PrefixNameAndSeparators) {
  // Without the prefix, with blanks around the name, and with every separator.
  PageScriptCall call = ParsePageScriptCall("  toCenter ()");
  EXPECT_EQ(call.functionName, QStringLiteral("toCenter"));
  EXPECT_TRUE(call.arguments.isEmpty());
  call = ParsePageScriptCall("xx javascript:f(\"a\"\t;b,,c) ' d");
  EXPECT_EQ(call.functionName, QStringLiteral("f"));
  EXPECT_EQ(call.arguments, (QStringList{"a", "b", "c", "d"}));
  // Only the first prefix is removed.
  call = ParsePageScriptCall("javascript:javascript:g(1)");
  EXPECT_EQ(call.functionName, QStringLiteral("javascript:g"));
  // An argument with a blank inside splits in two.
  call = ParsePageScriptCall("f('a b')");
  EXPECT_EQ(call.arguments, (QStringList{"a", "b"}));
}

TEST(PageScriptCallTest, NoParenthesisOrEmptyTextGivesNoFunction) {
  EXPECT_TRUE(ParsePageScriptCall("javascript:toCenter").functionName.isEmpty());
  EXPECT_TRUE(ParsePageScriptCall("").functionName.isEmpty());
  EXPECT_TRUE(PageScriptSource(ParsePageScriptCall("toCenter")).isEmpty());
}

TEST(PageScriptCallTest, SourceGuardsTheFunctionAndEscapesArguments) {
  PageScriptCall call;
  call.functionName = "positionChange";
  call.arguments = {"37.5", "a\\b\"c</script>\n"};
  const QString source = PageScriptSource(call);
  EXPECT_TRUE(source.contains("window[\"positionChange\"]"));
  EXPECT_TRUE(source.contains("typeof f !== 'function'"));
  EXPECT_TRUE(source.contains("f.call(window, \"37.5\", \"a\\\\b\\\"c</script>\\n\")"))
      << source.toStdString();
}

// Fills GpsRecords with GPS texts at the given times.
void AddFix(uint32_t timeMs, const char* status, const char* lat, const char* ns,
            const char* lng, const char* ew) {
  std::array<uint8_t, kSensorRecordSize> record{};
  const std::string text = std::string("GPRMC,010203.000,") + status + "," + lat + "," + ns + "," +
                           lng + "," + ew + ",10.0,0.0,010124,,,A";
  std::memcpy(record.data(), text.data(), text.size());
  DispatchSensorRecord(record.data(), timeMs);
}

class MapPositionCallTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearSensorRecords(); }
  void TearDown() override { ClearSensorRecords(); }
};

TEST_F(MapPositionCallTest, FirstRecordAtOrAfterThePositionIsSent) {
  EXPECT_FALSE(MapPositionCall(GpsRecords(), 0));  // no records
  AddFix(1000, "A", "3733.9900", "N", "12658.6800", "W");
  AddFix(2000, "A", "3500.0000", "S", "12000.0000", "E");
  EXPECT_EQ(*MapPositionCall(GpsRecords(), 0),
            QStringLiteral("javascript:positionChange('37.566500', '-126.978000')"));
  EXPECT_EQ(*MapPositionCall(GpsRecords(), 1000),
            QStringLiteral("javascript:positionChange('37.566500', '-126.978000')"));
  EXPECT_EQ(*MapPositionCall(GpsRecords(), 1001),
            QStringLiteral("javascript:positionChange('-35.000000', '120.000000')"));
  // After the last record the marker stays on the last fix.
  EXPECT_EQ(*MapPositionCall(GpsRecords(), 2001),
            QStringLiteral("javascript:positionChange('-35.000000', '120.000000')"));
}

TEST_F(MapPositionCallTest, InvalidFixSendsNothingEvenWithALaterValidOne) {
  AddFix(1000, "V", "3733.9900", "N", "12658.6800", "E");
  AddFix(2000, "A", "3733.9900", "N", "12658.6800", "E");
  EXPECT_FALSE(MapPositionCall(GpsRecords(), 500));
  EXPECT_TRUE(MapPositionCall(GpsRecords(), 1500));
}

}  // namespace
}  // namespace zv
