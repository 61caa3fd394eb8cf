// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ctime>

#include "ScopedEnvironment.h"
#include "output/ReportLayout.h"

using namespace zv;

namespace {

class ReportLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { tzset(); }
  void TearDown() override { tzset(); }
  ScopedEnvironment tz_{"TZ", "Asia/Seoul"};
};

const ReportText* Find(const std::vector<ReportText>& texts, const std::string& text) {
  for (const ReportText& t : texts)
    if (t.text == text) return &t;
  return nullptr;
}

}  // namespace

TEST_F(ReportLayoutTest, HeaderTimeIsTheNamesStartPlusWholeSeconds) {
  EXPECT_EQ(ReportHeaderTime("REC_20130521_143015_F.AVI", 61500), "2013-05-21 14:31:16");
  EXPECT_EQ(ReportHeaderTime("EVT_20131231_235959_F.AVI", 1999), "2014-01-01 00:00:00");
  // No name, a year before 1900 and impossible dates start at the epoch
  // (09:00 in Seoul).
  for (const char* name : {"", "REC_18991231_235959_F.AVI", "REC_20131301_000000_F.AVI",
                           "REC_20130532_000000_F.AVI", "REC_20130521_246000_F.AVI",
                           "REC_2013xx21_143015_F.AVI"})
    EXPECT_EQ(ReportHeaderTime(name, 2000), "1970-01-01 09:00:02") << name;
}

TEST_F(ReportLayoutTest, PageOnePlacesTextsAtPercentagesOfThePage) {
  ReportValues values;
  values.recordingName = "REC_20130521_143015_F.AVI";
  const auto texts = ReportPageTexts(1, 4961, 7016, values);
  const ReportText* title = Find(texts, "VARNI Viewer Report");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x, 1488);  // 4961 * 30 / 100, truncated
  EXPECT_EQ(title->y, 701);
  EXPECT_EQ(title->size, 40);
  const ReportText* second = Find(texts, "-채널2");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->y, 3928);
  ASSERT_NE(Find(texts, "2013-05-21 14:30:15"), nullptr);
  EXPECT_EQ(Find(texts, "2013-05-21 14:30:15")->x, 3968);
  ASSERT_NE(Find(texts, "Page 1 of 2"), nullptr);
  EXPECT_EQ(Find(texts, "Page 1 of 2")->y, 6665);

  values.channelCount = 1;
  EXPECT_EQ(Find(ReportPageTexts(1, 4961, 7016, values), "-채널2"), nullptr);
  EXPECT_EQ(ReportFontPixelHeight(25), 125);
}

TEST_F(ReportLayoutTest, PageTwoPrintsValuesWithEightDecimals) {
  ReportValues values{"", 0, 2, 37.5665, 126.978, 0.125, -1.5, 0};
  const auto texts = ReportPageTexts(2, 1000, 2000, values);
  ASSERT_NE(Find(texts, "위도 : 37.56650000"), nullptr);
  ASSERT_NE(Find(texts, "경도 : 126.97800000"), nullptr);
  const ReportText* impact =
      Find(texts, "충격센서 : X = 0.12500000, Y = -1.50000000, Z = 0.00000000");
  ASSERT_NE(impact, nullptr);
  EXPECT_EQ(impact->x, 80);
  EXPECT_EQ(impact->y, 1120);
  EXPECT_NE(Find(texts, "Page 2 of 2"), nullptr);
  EXPECT_TRUE(ReportHasMapPosition(values));
  values.longitude = 0;
  EXPECT_FALSE(ReportHasMapPosition(values));
}

TEST(ReportLayout, PictureRectanglesArePercentagesOfThePage) {
  const ReportRect ch2 = ChannelPictureRect(2, 999, 1999);
  EXPECT_EQ(ch2.x, 199);
  EXPECT_EQ(ch2.y, 1199);
  EXPECT_EQ(ch2.width, 599);
  EXPECT_EQ(ch2.height, 519);
  EXPECT_EQ(ChannelPictureRect(1, 999, 1999).y, 479);
  const ReportRect map = MapPictureRect(999, 1999);
  EXPECT_EQ(map.width, 399);
  EXPECT_EQ(map.y, 499);
  EXPECT_EQ(PercentOf(100000000, 95), 95000000);  // no overflow on big pages
}
