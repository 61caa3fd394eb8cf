// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QMenu>
#include <QSignalSpy>
#include <array>
#include <cmath>

#include "sensors/CZvGsensorCtrl.h"
#include "sensors/SensorRecords.h"
#include "sensors/ViewerContextMenu.h"
#include "WidgetShots.h"

namespace {

const QColor kGrey(120, 120, 120);
const QColor kBackground(10, 10, 10);
const QColor kX(255, 100, 0), kY(255, 255, 0), kZ(0, 255, 0);

// A G-sensor sample with the given raw values, stored as the recorder does.
void AddSample(int x, int y, int z, uint32_t timeMs) {
  std::array<uint8_t, zv::kSensorRecordSize> record{};
  record[0] = 'M';
  record[1] = static_cast<uint8_t>((x + 127) ^ 0xFF);  // raw values -127 .. 128
  record[2] = static_cast<uint8_t>((y + 127) ^ 0xFF);
  record[3] = static_cast<uint8_t>((z + 127) ^ 0xFF);
  zv::DispatchSensorRecord(record.data(), timeMs);
}

bool AnyPixelOf(const QImage& image, const QColor& colour, int left = 0, int right = 1 << 30) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = left; x < std::min(right, image.width()); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

class GsensorCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override { zv::ClearSensorRecords(); }
  void TearDown() override { zv::ClearSensorRecords(); }
  QImage Render() { return graph.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  CZvGsensorCtrl graph;
};

TEST_F(GsensorCtrlTest, EmptyGraphIsTheGridOnly) {
  ASSERT_EQ(graph.size(), QSize(600, 100));
  EXPECT_EQ(graph.windowTitle(), QStringLiteral("ZvGsensorWnd"));
  const QImage image = Render();
  EXPECT_EQ(image.pixelColor(20, 50), kGrey);   // left frame line
  EXPECT_EQ(image.pixelColor(584, 50), kGrey);  // right frame line
  EXPECT_EQ(image.pixelColor(300, 30), kBackground);
  EXPECT_EQ(graph.geometry.graphRight, 584);
  EXPECT_EQ(graph.geometry.mid, 47);
  int dots = 0;
  for (int x = 21; x < 584; ++x) dots += image.pixelColor(x, 47 - 25) == kGrey;
  EXPECT_GT(dots, 100);  // the dotted upper scale line
  EXPECT_LT(dots, 563);
  EXPECT_FALSE(AnyPixelOf(image, kX) || AnyPixelOf(image, kY) || AnyPixelOf(image, kZ));
}

TEST_F(GsensorCtrlTest, CurvesInAxisColoursAboveAndBelowTheCentre) {
  AddSample(128, 0, -127, 30000);
  AddSample(-127, 0, 128, 70000);  // later than the window: skipped
  ASSERT_EQ(zv::GSensorRecords()[0].z, -127);
  const QImage image = Render();
  // From the sample at x = 302 the curves run level to the right frame.
  EXPECT_EQ(image.pixelColor(400, 4), kX);
  EXPECT_EQ(image.pixelColor(400, 47), kY);
  EXPECT_EQ(image.pixelColor(400, 89), kZ);
}

TEST_F(GsensorCtrlTest, SamplesOutsideTheWindowLeaveFlatCurvesAndTheGraphFollowsItsSize) {
  AddSample(100, 100, 100, 70000);
  graph.resize(300, 140);
  const QImage image = Render();
  EXPECT_EQ(graph.geometry.cellWidth, 22);
  EXPECT_EQ(graph.geometry.graphBottom, 130);
  EXPECT_EQ(image.pixelColor(150, graph.geometry.mid), kZ);  // Z is drawn last
  EXPECT_FALSE(AnyPixelOf(image, kX));
}

TEST_F(GsensorCtrlTest, ARecordingOfSamplesFillsTheWholeSpan) {
  // Ten samples a second for 90 s, shown over a 90 s recording.
  for (uint32_t t = 0; t <= 90000; t += 100) {
    const double a = t / 1000.0;
    AddSample(static_cast<int>(40 * std::sin(a)), static_cast<int>(25 * std::cos(a / 3)),
              static_cast<int>(-30 + 20 * std::sin(a / 7)), t);
  }
  graph.timeWindowMs = 90000;
  const QImage image = Render();
  SaveWidgetShot(image, "gsensor-graph");
  for (const QColor& axis : {kX, kY, kZ}) {
    EXPECT_TRUE(AnyPixelOf(image, axis, 21, 100));
    EXPECT_TRUE(AnyPixelOf(image, axis, 500, 584));
    EXPECT_FALSE(AnyPixelOf(image, axis, 586, 600));
  }
}

TEST_F(GsensorCtrlTest, PopupMenuHasTheViewerCommands) {
  QMenu* menu = graph.CreatePopupMenu();
  const auto actions = menu->actions();
  ASSERT_EQ(actions.size(), 9);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("파일오픈"));
  EXPECT_EQ(actions[0]->data().toInt(), 32810);
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_EQ(actions[2]->text(), QStringLiteral("재생/정지"));
  EXPECT_EQ(actions[3]->data().toInt(), 32812);
  EXPECT_EQ(actions[4]->text(), QStringLiteral("다음 영상"));
  EXPECT_TRUE(actions[5]->isSeparator());
  const QStringList submenus = {"밝기", "속도", "볼륨"};
  const QList<QStringList> items = {{"어둡게", "밝게", "기본값"},
                                    {"빠르게", "느리게", "기본값"},
                                    {"볼륨 업", "볼륨 다운", "음소거/복원"}};
  int id = 32814;
  for (int i = 0; i < 3; ++i) {
    QMenu* sub = actions[6 + i]->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(actions[6 + i]->text(), submenus[i]);
    for (int j = 0; j < 3; ++j, ++id) {
      EXPECT_EQ(sub->actions()[j]->text(), items[i][j]);
      EXPECT_EQ(sub->actions()[j]->data().toInt(), id);
    }
  }
  QSignalSpy commands(&graph, &CZvGsensorCtrl::command);
  actions[8]->menu()->actions()[2]->trigger();
  ASSERT_EQ(commands.count(), 1);
  EXPECT_EQ(commands.first().first().toInt(), zv::menu::kMuteToggle);
  delete menu;
}

}  // namespace
