// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QtTest/QTest>

#include "skin/CZvButtonCtrl.h"
#include "skin/CZvPanelCtrl.h"
#include "skin/CZvScreenCtrl.h"

namespace {

QImage Shot(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// On the offscreen platform there is no OpenGL: the screen draws on the CPU.
TEST(ZvScreenCtrlTest, BlackWithoutAFrameThenTheFrameStretchedOverTheWholeArea) {
  CZvScreenCtrl screen;
  EXPECT_FALSE(screen.UsesOpenGl());
  screen.resize(160, 40);  // not the frame's shape: no bars, no aspect correction
  EXPECT_EQ(Shot(screen).pixel(80, 20), qRgb(0, 0, 0));
  EXPECT_FALSE(screen.HasFrame());
  QImage frame(64, 36, QImage::Format_RGB32);
  frame.fill(Qt::red);
  QPainter(&frame).fillRect(32, 0, 32, 36, Qt::blue);
  screen.SetFrame(frame);
  const QImage shot = Shot(screen);
  EXPECT_EQ(shot.pixel(0, 0), QColor(Qt::red).rgb());
  EXPECT_EQ(shot.pixel(70, 39), QColor(Qt::red).rgb());
  EXPECT_EQ(shot.pixel(90, 0), QColor(Qt::blue).rgb());
  EXPECT_EQ(shot.pixel(159, 39), QColor(Qt::blue).rgb());
  // What the screen reports as shown is what it draws.
  EXPECT_TRUE(screen.HasFrame());
  EXPECT_EQ(screen.CurrentFrame().convertToFormat(QImage::Format_RGB32), shot);
  screen.ClearFrame();
  EXPECT_TRUE(screen.CurrentFrame().isNull());
  EXPECT_EQ(Shot(screen).pixel(80, 20), qRgb(0, 0, 0));
}

// A hidden screen makes no picture of the frames it is handed; shown, it
// makes one per frame, however often it is painted.
TEST(ZvScreenCtrlTest, PicturesAreMadeOnlyForShownFramesAndOnlyOnce) {
  QWidget window;
  window.resize(200, 100);
  CZvScreenCtrl screen(&window);
  screen.setGeometry(0, 0, 160, 90);
  screen.hide();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QImage frame(320, 180, QImage::Format_RGB32);
  for (QColor colour : {Qt::red, Qt::green}) {
    frame.fill(colour);
    screen.SetFrame(frame);
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(screen.PicturesMade(), 0);
  screen.show();
  for (int i = 0; i < 3; ++i) {
    screen.repaint();
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(screen.PicturesMade(), 1);
  EXPECT_EQ(Shot(screen).pixel(80, 45), QColor(Qt::green).rgb());
}

TEST(ZvPanelCtrlTest, BlackPanelPassesItsButtonsCommandsOn) {
  CZvPanelCtrl panel;
  panel.resize(100, 60);
  auto* close = new CZvButtonCtrl(1031);
  close->normalImage = 18121;
  close->setGeometry(60, 10, 30, 24);
  panel.AddButton(close);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  EXPECT_EQ(Shot(panel).pixel(5, 50), qRgb(0, 0, 0));
  QSignalSpy commands(&panel, &CZvPanelCtrl::command);
  QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(15, 12));
  EXPECT_TRUE(commands.isEmpty());  // posted, not sent
  QCoreApplication::processEvents();
  ASSERT_EQ(commands.count(), 1);
  EXPECT_EQ(commands.at(0).at(0).toInt(), 1031);
}

}  // namespace
