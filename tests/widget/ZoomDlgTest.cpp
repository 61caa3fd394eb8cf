// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace {

// A window of the program: red left of x 150, blue from there on.
class TwoColourWindow : public QWidget {
 public:
  TwoColourWindow() { resize(300, 150); }
  QColor right = Qt::blue;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(0, 0, 150, 150, Qt::red);
    painter.fillRect(150, 0, 150, 150, right);
  }
};

QColor Centre(CZoomDlg& zoom) {
  const QImage shown = zoom.grab().toImage();
  return shown.pixelColor(shown.width() / 2, shown.height() / 2);
}

}  // namespace

TEST(ZoomDlg, MagnifiesAThirdOfTheWindowAroundTheCursor) {
  TwoColourWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // Cursor in the top-left corner: source (0, 0) 30 x 20, all red.
  QImage picture = CZoomDlg::Magnify(&window, {0, 0}, {90, 60}, 3);
  ASSERT_EQ(picture.size(), QSize(90, 60));
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(picture.pixelColor(89, 59), QColor(Qt::red));
  // Centred on the border: the left half red, the right half blue, three times wider.
  picture = CZoomDlg::Magnify(&window, {150, 75}, {90, 60}, 3);
  EXPECT_EQ(picture.pixelColor(40, 30), QColor(Qt::red));
  EXPECT_EQ(picture.pixelColor(50, 30), QColor(Qt::blue));
  // Over no window of the program (or over the magnifier itself): grey.
  EXPECT_EQ(CZoomDlg::Magnify(nullptr, {150, 75}, {90, 60}, 3).pixelColor(45, 30), QColor(150, 150, 150));
}

// The picture follows the cursor's moves over the program's windows, and
// only those: a still cursor leaves the picture as it was.
TEST(ZoomDlg, RefreshesOnlyWhileTheCursorMoves) {
  TwoColourWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  CZoomDlg zoom;
  zoom.ToggleShown();
  QTest::mouseMove(&window, {200, 75});
  QTest::qWait(120);
  EXPECT_EQ(Centre(zoom), QColor(Qt::blue));
  window.right = Qt::green;
  window.update();
  QTest::qWait(120);
  EXPECT_EQ(Centre(zoom), QColor(Qt::blue)) << "refreshed without a move";
  QTest::mouseMove(&window, {210, 75});
  QTest::qWait(120);
  EXPECT_EQ(Centre(zoom), QColor(Qt::green));
  QTest::mouseMove(&zoom, {20, 20});
  QTest::qWait(120);
  EXPECT_EQ(Centre(zoom), QColor(150, 150, 150));
  EXPECT_EQ(zoom.grab().size(), QSize(425, 330));
}
