// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "sensors/CZvTextCtrl.h"
#include "WidgetShots.h"

namespace {

// Whether a pixel close to `colour` lies in the columns [left, right).
bool HasColourIn(const QImage& image, QColor colour, int left, int right) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = left; x < std::min(right, image.width()); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
              std::abs(c.blue() - colour.blue()) < 40)
        return true;
    }
  return false;
}

QImage Render(CZvTextCtrl& text) { return text.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(TextCtrlTest, InitialFields) {
  CZvTextCtrl text(nullptr, 1010);
  EXPECT_EQ(text.controlId, 1010);
  EXPECT_EQ(text.windowTitle(), QStringLiteral("ZvTextWnd"));
  EXPECT_EQ(text.background, QColor(10, 10, 10));
  EXPECT_FALSE(text.valuesShown);
  EXPECT_FLOAT_EQ(text.rate, 1.0f);
  EXPECT_FLOAT_EQ(text.latitudeDeg, 37.566498f);
  EXPECT_FLOAT_EQ(text.longitudeDeg, 126.977966f);
}

TEST(TextCtrlTest, GSensorTextsInTheirColumnsAndColours) {
  CZvTextCtrl text(nullptr, 1008);
  text.mode = 2;
  text.valuesShown = true;
  text.gx = 0.128f;
  text.resize(320, 20);
  const QImage image = Render(text);
  SaveWidgetShot(image, "gsensor-text");
  EXPECT_EQ(image.pixelColor(319, 19), QColor(10, 10, 10));
  EXPECT_TRUE(HasColourIn(image, QColor(255, 100, 0), 10, 110));
  EXPECT_TRUE(HasColourIn(image, QColor(255, 255, 0), 110, 210));
  EXPECT_TRUE(HasColourIn(image, QColor(0, 255, 0), 210, 320));
  EXPECT_FALSE(HasColourIn(image, QColor(0, 255, 0), 0, 210));
}

TEST(TextCtrlTest, TitleOnItsBackgroundAndUnknownModeBackgroundOnly) {
  CZvTextCtrl text(nullptr, 1202);
  text.mode = 5;
  text.background = QColor(30, 30, 30);
  text.resize(50, 20);
  const QImage title = Render(text);
  SaveWidgetShot(title, "map-title");
  EXPECT_TRUE(HasColourIn(title, Qt::white, 10, 50));
  text.mode = 9;
  const QImage empty = Render(text);
  for (int y = 0; y < empty.height(); ++y)
    for (int x = 0; x < empty.width(); ++x) ASSERT_EQ(empty.pixelColor(x, y), QColor(30, 30, 30));
}

}  // namespace
