// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "sensors/InfoPanelTexts.h"

namespace zv {
namespace {

InfoTextFields Mode(int mode) {
  InfoTextFields f;
  f.mode = mode;
  return f;
}

TEST(InfoPanelTextsTest, TimeAndRate) {
  InfoTextFields f = Mode(1);
  f.positionMs = 65999;
  f.durationMs = 3600000;
  f.rate = 0.5f;
  const auto items = InfoPanelTexts(f);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, QStringLiteral("영상 시간    01:05  /  60:00"));
  EXPECT_EQ(items[0].x, 10);
  EXPECT_EQ(items[0].y, 2);
  EXPECT_EQ(items[0].pointSize, 9);
  EXPECT_EQ(items[0].rgb, 0xFFFFFFu);
  EXPECT_EQ(items[1].text, QStringLiteral("재생 속도   0.50 x"));
  EXPECT_EQ(items[1].x, 230);
  EXPECT_EQ(MinutesSecondsText(100 * 60 * 1000 + 7000), QStringLiteral("100:07"));
}

TEST(InfoPanelTextsTest, GSensorValuesOrDashes) {
  InfoTextFields f = Mode(2);
  f.gx = 0.128f;
  f.gy = -0.5f;
  f.gz = 1.0f;
  auto items = InfoPanelTexts(f);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].text, QStringLiteral("X:  -"));
  EXPECT_EQ(items[1].text, QStringLiteral("Y:  -"));
  EXPECT_EQ(items[2].text, QStringLiteral("Z:  -"));
  f.valuesShown = true;
  items = InfoPanelTexts(f);
  EXPECT_EQ(items[0].text, QStringLiteral("X:  0.128000"));
  EXPECT_EQ(items[1].text, QStringLiteral("Y:  -0.500000"));
  EXPECT_EQ(items[2].text, QStringLiteral("Z:  1.000000"));
  EXPECT_EQ(items[0].rgb, 0xFF6400u);
  EXPECT_EQ(items[1].rgb, 0xFFFF00u);
  EXPECT_EQ(items[2].rgb, 0x00FF00u);
  EXPECT_EQ(items[1].x, 110);
  EXPECT_EQ(items[2].x, 210);
  EXPECT_EQ(items[2].y, 3);
  EXPECT_EQ(items[2].pointSize, 8);
}

TEST(InfoPanelTextsTest, MapTitleAndPositionInBothWindows) {
  for (int mode : {3, 5}) {
    const auto items = InfoPanelTexts(Mode(mode));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, QStringLiteral("지도"));
    EXPECT_EQ(items[0].pointSize, 10);
  }
  for (int mode : {4, 6}) {
    const auto items = InfoPanelTexts(Mode(mode));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, QStringLiteral("위도:  37.566498    경도:  126.977966"));
    EXPECT_EQ(items[0].rgb, 0xC8C8C8u);
  }
  InfoTextFields f = Mode(6);
  f.latitudeDeg = 0;
  f.longitudeDeg = 0;
  EXPECT_EQ(InfoPanelTexts(f)[0].text, QStringLiteral("위도:  0.000000    경도:  0.000000"));
  EXPECT_TRUE(InfoPanelTexts(Mode(0)).empty());
  EXPECT_TRUE(InfoPanelTexts(Mode(7)).empty());
}

}  // namespace
}  // namespace zv
