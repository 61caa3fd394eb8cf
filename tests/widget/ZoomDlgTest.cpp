#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QTest>

#include "output/CZoomDlg.h"

TEST(ZoomDlg, StartsHiddenAtItsPlaceAndTogglesWithTheButton) {
  CZoomDlg zoom;
  EXPECT_EQ(zoom.windowTitle(), "Zoom");
  EXPECT_TRUE(zoom.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ((zoom.windowFlags() & Qt::WindowType_Mask), Qt::Tool);
  EXPECT_EQ(zoom.pos(), QPoint(850, 465));
  EXPECT_EQ(zoom.size(), QSize(425, 330));
  EXPECT_FALSE(zoom.isVisible());
  EXPECT_EQ(zoom.visible, 0);

  zoom.ToggleShown();
  EXPECT_TRUE(zoom.isVisible());
  EXPECT_EQ(zoom.visible, 1);
  zoom.ToggleShown();
  EXPECT_FALSE(zoom.isVisible());
  EXPECT_EQ(zoom.visible, 0);
}

TEST(ZoomDlg, CloseBoxOnlyHidesAndTheButtonBringsItBackInPlace) {
  CZoomDlg zoom;
  zoom.ToggleShown();
  zoom.resize(300, 200);
  QCloseEvent close;
  QApplication::sendEvent(&zoom, &close);
  EXPECT_FALSE(close.isAccepted());
  EXPECT_FALSE(zoom.isVisible());
  EXPECT_EQ(zoom.visible, 0);
  zoom.ToggleShown();
  EXPECT_TRUE(zoom.isVisible());
  EXPECT_EQ(zoom.size(), QSize(300, 200));
  QTest::keyClick(&zoom, Qt::Key_Escape);  // Escape hides it the same way
  EXPECT_FALSE(zoom.isVisible());
  EXPECT_EQ(zoom.visible, 0);
  EXPECT_EQ(zoom.result(), 0);
}

TEST(ZoomDlg, MagnifiesAThirdAroundTheCursorAndGreysItsOwnArea) {
  // A 300 x 150 screen: red left of x 150, blue from there on.
  QImage screen(300, 150, QImage::Format_RGB32);
  screen.fill(Qt::blue);
  QPainter(&screen).fillRect(0, 0, 150, 150, Qt::red);
  const QRect away(290, 140, 5, 5);

  // Cursor in the top-left corner: source (0, 0) 30 x 20, all red.
  QImage picture = CZoomDlg::Magnify(screen, {0, 0}, away, {90, 60}, 3);
  ASSERT_EQ(picture.size(), QSize(90, 60));
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(picture.pixelColor(89, 59), QColor(Qt::red));
  // Centred on the border: the left half red, the right half blue, three times wider.
  picture = CZoomDlg::Magnify(screen, {150, 75}, away, {90, 60}, 3);
  EXPECT_EQ(picture.pixelColor(40, 30), QColor(Qt::red));
  EXPECT_EQ(picture.pixelColor(50, 30), QColor(Qt::blue));
  // The magnifier lying over the source shows grey, not itself.
  picture = CZoomDlg::Magnify(screen, {150, 75}, QRect(0, 0, 300, 150), {90, 60}, 3);
  EXPECT_EQ(picture.pixelColor(45, 30), QColor(150, 150, 150));
}

TEST(ZoomDlg, RefreshWhileShownKeepsItsSize) {
  CZoomDlg zoom;
  zoom.ToggleShown();
  zoom.Refresh();
  QTest::qWait(100);  // a few timer refreshes
  EXPECT_EQ(zoom.grab().size(), QSize(425, 330));
}
