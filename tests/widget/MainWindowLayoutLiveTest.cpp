// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QRect>

#include <map>

#include "app/CZorvaneViewerDlg.h"
#include "app/MainWindowLayout.h"
#include "library/CZvListCtrl.h"
#include "skin/CZvButtonCtrl.h"
#include "skin/CZvScreenCtrl.h"
#include "skin/CZvSliderCtrl.h"

using zv::LayoutSlot;

namespace {

// The expected place of every child, worked out here from the layout rules
// on their own, for a client of w × h in view mode 1.
std::map<LayoutSlot, QRect> ExpectedPlaces(int w, int h) {
  const int m = 50 + 2 * (h - 57) / 5;
  const int listBottom = m + 3 * (h - 57) / 5;
  const int videoRight = w - 302, videoBottom = h - 271, graphTop = h - 259, graphBottom = h - 70;
  const int c = (w - 309 - 726) / 2;
  const int cell = (w - 304 - 30) / 12;
  std::map<LayoutSlot, QRect> p;
  const LayoutSlot bar[] = {LayoutSlot::Open, LayoutSlot::Capture, LayoutSlot::Save, LayoutSlot::Print,
                            LayoutSlot::Setting, LayoutSlot::Zoom, LayoutSlot::About};
  for (int i = 0; i < 7; ++i) p[bar[i]] = QRect(9 + 44 * i, 9, 32, 31);
  p[LayoutSlot::Close] = QRect(w - 51, 9, 30, 24);
  p[LayoutSlot::Max] = QRect(w - 95, 9, 30, 24);
  p[LayoutSlot::Min] = QRect(w - 139, 9, 30, 24);
  p[LayoutSlot::ViewAll] = QRect(videoRight - 43, videoBottom + 10, 43, 19);
  p[LayoutSlot::ViewRear] = QRect(videoRight - 96, videoBottom + 10, 43, 19);
  p[LayoutSlot::ViewFront] = QRect(videoRight - 149, videoBottom + 10, 43, 19);
  p[LayoutSlot::TimeText] = QRect(10, graphTop + 3, 400, 20);
  p[LayoutSlot::GsensorGraph] = QRect(7, graphTop + 50, w - 304, 97);
  p[LayoutSlot::SeekSlider] = QRect(7 + 20 - 15 + 2, graphTop + 25, 12 * cell + 30, 30);
  p[LayoutSlot::GsensorText] = QRect(10, graphBottom - 33, 400, 20);
  const std::pair<LayoutSlot, int> transport[] = {{LayoutSlot::Prev, 22}, {LayoutSlot::Rewind, 61},
                                                  {LayoutSlot::Play, 100}, {LayoutSlot::Pause, 100},
                                                  {LayoutSlot::Forward, 139}, {LayoutSlot::Next, 178}};
  for (const auto& [slot, x] : transport) p[slot] = QRect(c + x, h - 63, 32, 32);
  p[LayoutSlot::SpeedButton] = QRect(c + 227, h - 59, 24, 24);
  p[LayoutSlot::SpeedSlider] = QRect(c + 252, h - 61, 95, 30);
  p[LayoutSlot::BrightButton] = QRect(c + 350, h - 59, 24, 24);
  p[LayoutSlot::BrightSlider] = QRect(c + 375, h - 61, 95, 30);
  p[LayoutSlot::Mute] = QRect(c + 473, h - 59, 24, 24);
  p[LayoutSlot::Volume] = QRect(c + 512, h - 59, 70, 21);
  p[LayoutSlot::SpeedGauge] = QRect(c + 592, h - 66, 124, 38);
  p[LayoutSlot::MapTitle] = QRect(w - 287, 63, 100, 20);
  p[LayoutSlot::MapButton] = QRect(w - 54, 54, 32, 32);
  p[LayoutSlot::MapPanel] = QRect(w - 285, 88, 274, m - 121);
  p[LayoutSlot::NoDataPanel] = QRect(w - 285, 88, 274, m - 121);
  p[LayoutSlot::PositionText] = QRect(w - 287, m - 26, 270, 20);
  const std::pair<LayoutSlot, int> filters[] = {{LayoutSlot::FilterAll, 203}, {LayoutSlot::FilterEvent, 155},
                                                {LayoutSlot::FilterNormal, 107}, {LayoutSlot::FilterParking, 59}};
  for (const auto& [slot, x] : filters) p[slot] = QRect(w - x, m + 6, 43, 23);
  p[LayoutSlot::RecordingList] = QRect(w - 287, m + 34, 280, listBottom - m - 34);
  // View mode 1: the front screen fills the 16:9 place, the rear one is parked.
  const int vw = videoRight - 12, vh = videoBottom - 50, h16 = vw * 9 / 16;
  p[LayoutSlot::FrontScreen] = h16 < vh ? QRect(12, 50 + (vh - h16) / 2, vw, h16)
                                        : QRect(12 + (vw - vh * 16 / 9) / 2, 50, vh * 16 / 9, vh);
  p[LayoutSlot::RearScreen] = QRect(0, 0, 0, 0);
  return p;
}

class MainWindowLayoutLiveTest : public ::testing::TestWithParam<QSize> {};

TEST_P(MainWindowLayoutLiveTest, EveryChildStandsWhereTheRulesPutIt) {
  CZorvaneViewerDlg dialog;
  dialog.OnInitDialog();
  dialog.resize(GetParam());
  dialog.show();
  ASSERT_EQ(dialog.size(), GetParam());
  const auto expected = ExpectedPlaces(GetParam().width(), GetParam().height());
  ASSERT_EQ(expected.size(), 42u);
  for (const auto& [slot, rect] : expected) {
    QWidget* widget = dialog.WidgetOf(slot);
    ASSERT_NE(widget, nullptr) << static_cast<int>(slot);
    EXPECT_EQ(widget->geometry(), rect) << "slot " << static_cast<int>(slot);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainWindowLayoutLiveTest,
                         ::testing::Values(QSize(1034, 742), QSize(1280, 800), QSize(1601, 1003)));

TEST(MainWindowStateTest, StartsWithScreensHiddenAndControlsDisabled) {
  CZorvaneViewerDlg dialog;
  dialog.OnInitDialog();
  dialog.show();
  EXPECT_FALSE(dialog.FrontScreen()->isVisible());
  EXPECT_FALSE(dialog.RearScreen()->isVisible());
  EXPECT_EQ(dialog.ViewMode(), 1);
  EXPECT_EQ(dialog.Button(1025)->selected, 1);
  for (int id : {1001, 1002, 1004, 1012, 1014, 1021, 1022, 1023, 1024}) EXPECT_EQ(dialog.Button(id)->enabled, 0) << id;
  for (int id : {1000, 1005, 1011, 1013, 1016}) EXPECT_EQ(dialog.Button(id)->enabled, 1) << id;
  EXPECT_FALSE(dialog.Button(1015)->isVisible());  // Pause sits hidden under Play
  EXPECT_FALSE(dialog.SeekSlider()->isEnabled());
  EXPECT_EQ(dialog.Button(1013)->toolTip(), QString("재생/일시정지"));
  EXPECT_TRUE(dialog.Button(1020)->toolTip().isEmpty());
}

TEST(MainWindowStateTest, MinimumSizeHoldsAgainstSmallerRequests) {
  CZorvaneViewerDlg dialog;
  dialog.OnInitDialog();
  dialog.show();
  dialog.resize(800, 600);
  EXPECT_EQ(dialog.size(), QSize(1034, 742));
  dialog.resize(1200, 700);
  EXPECT_EQ(dialog.size(), QSize(1200, 742));
}

TEST(MainWindowStateTest, ViewButtonsBeforeAnyRecordingChangeNothingVisible) {
  CZorvaneViewerDlg dialog;
  dialog.OnInitDialog();
  dialog.show();
  dialog.OnCommand(1028);  // no recording opened: the engine has no graph
  EXPECT_EQ(dialog.ViewMode(), 1);
  EXPECT_FALSE(dialog.FrontScreen()->isVisible());
}

}  // namespace
