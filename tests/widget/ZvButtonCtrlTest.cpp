// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QPixmapCache>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "skin/CZvButtonCtrl.h"

namespace {

QImage Shot(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Picture(SkinImageId id) {
  return BitmapResource(id).toImage().convertToFormat(QImage::Format_RGB32);
}

// The Play button of the transport bar.
class ZvButtonCtrlTest : public ::testing::Test {
protected:
  void SetUp() override {
    button.normalImage = 19191;
    button.hoverImage = 19193;
    button.disabledImage = 19194;
    button.selectedImage = 19192;
    button.resize(32, 32);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  }
  void MoveOver() { QTest::mouseMove(&button, QPoint(16, 16)); }
  void Leave() {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
  }

  CZvButtonCtrl button{1013};
};

TEST_F(ZvButtonCtrlTest, ShowsThePictureOfItsState) {
  EXPECT_EQ(Shot(button), Picture(19191));
  button.selected = 1;
  button.Redraw();
  EXPECT_EQ(Shot(button), Picture(19192));
  button.enabled = 0;  // disabled wins over selected
  button.Redraw();
  EXPECT_EQ(Shot(button), Picture(19194));
  EXPECT_NE(Picture(19191), Picture(19192));
  EXPECT_NE(Picture(19191), Picture(19194));
}

TEST_F(ZvButtonCtrlTest, HoverPictureUnderTheMouseNormalPictureAfterLeaving) {
  button.selected = 1;
  button.Redraw();
  MoveOver();
  EXPECT_EQ(Shot(button), Picture(19193));
  Leave();
  // A selected button shows its normal picture until the owner redraws it.
  EXPECT_EQ(Shot(button), Picture(19191));
  button.Redraw();
  EXPECT_EQ(Shot(button), Picture(19192));
}

TEST_F(ZvButtonCtrlTest, WithoutHoverPictureOrWhenDisabledTheMouseChangesNothing) {
  button.hoverImage = 0;
  MoveOver();
  EXPECT_EQ(Shot(button), Picture(19191));
  button.hoverImage = 19193;
  button.enabled = 0;
  button.Redraw();
  MoveOver();
  Leave();
  EXPECT_EQ(Shot(button), Picture(19194));
}

TEST_F(ZvButtonCtrlTest, ClickSendsItsCommandUnlessDisabled) {
  QSignalSpy commands(&button, &CZvButtonCtrl::command);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(16, 16));
  ASSERT_EQ(commands.count(), 1);
  EXPECT_EQ(commands.at(0).at(0).toInt(), 1013);
  button.enabled = 0;
  button.Redraw();
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(16, 16));
  QTest::mouseDClick(&button, Qt::LeftButton, {}, QPoint(16, 16));
  EXPECT_EQ(commands.count(), 1);
  EXPECT_FALSE(button.isDown());
}

TEST_F(ZvButtonCtrlTest, TopBarButtonCarriesTheTitleStripUnderItsPng) {
  CZvButtonCtrl open(1000);
  open.normalImage = 19101;
  open.topBar = 1;
  open.resize(32, 31);
  const QImage shot = Shot(open);
  const QImage strip = Picture(1057);
  // Row 0 shows the strip's row 9 (the PNG is transparent in that corner);
  // below the strip part the window background.
  EXPECT_EQ(shot.pixel(0, 0), strip.pixel(0, 9));
  EXPECT_EQ(shot.pixel(0, 7), strip.pixel(0, 16));
  EXPECT_EQ(shot.pixel(0, 30), qRgb(10, 10, 10));
  // The PNG is blended over it: the icon's pixels differ from the background.
  EXPECT_NE(shot.pixel(16, 16), qRgb(10, 10, 10));
  open.topBar = 0;
  EXPECT_EQ(Shot(open).pixel(0, 0), qRgb(10, 10, 10));
}

TEST_F(ZvButtonCtrlTest, BitmapIsPreferredAndABrokenPngLeavesTheBackground) {
  // A skin folder of the test's own in front of the compiled-in one.
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("bmp");
  QDir(dir.path()).mkpath("png");
  QImage red(32, 32, QImage::Format_RGB32);
  red.fill(Qt::red);
  QImage blue(32, 32, QImage::Format_ARGB32);
  blue.fill(Qt::blue);
  ASSERT_TRUE(red.save(dir.filePath("bmp/40001.png")));
  ASSERT_TRUE(blue.save(dir.filePath("png/40001.png")));
  QFile broken(dir.filePath("png/40002.png"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("not a picture");
  broken.close();
  const QStringList saved = QDir::searchPaths("skin");
  QDir::setSearchPaths("skin", QStringList{dir.path()} + saved);

  QImage canvas(32, 32, QImage::Format_RGB32);
  QPainter painter(&canvas);
  EXPECT_TRUE(button.DrawSkinImage(painter, 40001));
  EXPECT_EQ(canvas.pixel(10, 10), QColor(Qt::red).rgb());
  EXPECT_FALSE(button.DrawSkinImage(painter, 40002));
  EXPECT_EQ(canvas.pixel(10, 10), qRgb(10, 10, 10));
  EXPECT_TRUE(button.DrawSkinImage(painter, 40003));  // nothing but the background
  painter.end();

  QDir::setSearchPaths("skin", saved);
  QPixmapCache::clear();
}

}  // namespace
