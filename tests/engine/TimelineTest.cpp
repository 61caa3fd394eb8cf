// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's timeline on real recordings (offscreen): a click on the
// G-sensor graph seeks to the clicked frame, "," and "." step exactly one
// frame while paused, I and O mark a clip, events are marked on the seek bar
// from a threshold kept in the registry store, and the list groups generated
// recordings into trips.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "FrameCode.h"
#include "PlaybackTestSupport.h"
#include "app/CZorvaneViewerDlg.h"
#include "app/MainWindowCommands.h"
#include "config/ViewerRegistrySettings.h"
#include "library/CZvListCtrl.h"
#include "library/RecordingDurations.h"
#include "library/RecordingLibrary.h"
#include "library/RecordingListRows.h"
#include "map/TripRouteLoader.h"
#include "platform/RegistryStore.h"
#include "sensors/CZvGsensorCtrl.h"
#include "skin/CZvScreenCtrl.h"
#include "skin/CZvSliderCtrl.h"

using namespace zv;

namespace {

constexpr const char* kTwoChannels = "REC_20130521_143015_F.AVI";  // 4 s at 30 fps
constexpr const char* kImpact = "EVT_20130521_143415_F.AVI";       // a knock at 2 s
constexpr int kFps = 30;

class TimelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordingLibrary::Instance().Clear();
    dialog_ = std::make_unique<CZorvaneViewerDlg>();
    dialog_->OnInitDialog();
    dialog_->show();
  }
  void TearDown() override { dialog_.reset(); }

  PlayState State() const {
    CGraphPlayer* engine = dialog_->Player().Engine();
    return engine ? engine->GetState() : NoGraph;
  }
  int ShownFrame() const { return ReadFrameCode(dialog_->FrontScreen()->CurrentFrame()).frame; }
  // Opens a recording and pauses it with its picture on screen.
  void OpenPaused(const char* name) {
    QFile::copy(QString::fromStdString(Fixture(name)), card_.path() + "/" + name);
    dialog_->OpenPaths({card_.path()});
    ASSERT_TRUE(WaitFor([&] { return State() == Running && ShownFrame() >= 0; }));
    QTest::keyClick(dialog_.get(), Qt::Key_Space);
    ASSERT_EQ(State(), Paused);
  }
  bool FrameBecomes(int frame) {
    return WaitFor([&] { return ShownFrame() == frame; }, 3000);
  }

  QTemporaryDir card_;
  std::unique_ptr<CZorvaneViewerDlg> dialog_;
};

TEST_F(TimelineTest, AClickOnTheGraphSeeksToTheClickedFrameAndTheCursorFollows) {
  OpenPaused(kTwoChannels);
  CZvGsensorCtrl* graph = dialog_->GsensorGraph();
  const GsensorGraphGeometry& g = graph->geometry;
  for (double fraction : {0.5, 0.13, 0.87, 0.31}) {
    const int x = g.graphLeft + static_cast<int>((g.graphRight - g.graphLeft) * fraction);
    const int64_t clicked = graph->TimeAtX(x);
    QTest::mouseClick(graph, Qt::LeftButton, Qt::NoModifier, QPoint(x, g.mid));
    const int expected = static_cast<int>(clicked * kFps / 1000);
    ASSERT_TRUE(WaitFor([&] { return std::abs(ShownFrame() - expected) <= 1; }, 3000))
        << "clicked " << clicked << " ms, frame " << expected << ", shown " << ShownFrame();
    EXPECT_TRUE(WaitFor([&] { return graph->CursorMs() == clicked; }, 1000)) << graph->CursorMs();
    EXPECT_EQ(State(), Paused);
  }
}

TEST_F(TimelineTest, CommaAndPeriodStepExactlyOneFrameWhilePaused) {
  OpenPaused(kTwoChannels);
  dialog_->SeekFromGraph(1000);
  ASSERT_TRUE(FrameBecomes(30));
  for (int expected : {31, 32, 33}) {
    QTest::keyClick(dialog_.get(), Qt::Key_Period);
    ASSERT_TRUE(FrameBecomes(expected)) << "shown " << ShownFrame();
    // The rear channel steps with it.
    EXPECT_TRUE(WaitFor([&] { return ReadFrameCode(dialog_->RearScreen()->CurrentFrame()).frame == expected; }));
  }
  for (int expected : {32, 31}) {
    QTest::keyClick(dialog_.get(), Qt::Key_Comma);
    ASSERT_TRUE(FrameBecomes(expected)) << "shown " << ShownFrame();
  }
  // At the first frame a step back stays there; the last frame is 119.
  dialog_->SeekFromGraph(0);
  ASSERT_TRUE(FrameBecomes(0));
  QTest::keyClick(dialog_.get(), Qt::Key_Comma);
  QTest::keyClick(dialog_.get(), Qt::Key_Period);
  ASSERT_TRUE(FrameBecomes(1));
  dialog_->SeekFromGraph(3990);
  ASSERT_TRUE(FrameBecomes(119));
  QTest::keyClick(dialog_.get(), Qt::Key_Period);
  WaitFor([] { return false; }, 300);
  EXPECT_EQ(ShownFrame(), 119);
  {
    // With a dialog open over the window the keys are the dialog's.
    QDialog over(dialog_.get());
    over.setModal(true);
    over.show();
    QTest::keyClick(&over, Qt::Key_Comma);
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(ShownFrame(), 119);
  }
  QTest::keyClick(dialog_.get(), Qt::Key_Comma);
  ASSERT_TRUE(FrameBecomes(118)) << ShownFrame();
  // Running, the keys do nothing.
  QTest::keyClick(dialog_.get(), Qt::Key_Space);
  QTest::keyClick(dialog_.get(), Qt::Key_Comma);
  EXPECT_EQ(State(), Running);
}

TEST_F(TimelineTest, IAndOMarkAClipOnTheSeekBarUntilTheNextOpen) {
  OpenPaused(kTwoChannels);
  CZvSliderCtrl* slider = dialog_->SeekSlider();
  EXPECT_EQ(slider->markSpanMs, 4000);
  dialog_->SeekFromGraph(1500);
  ASSERT_TRUE(FrameBecomes(45));
  QTest::keyClick(dialog_.get(), Qt::Key_I);
  dialog_->SeekFromGraph(2500);
  ASSERT_TRUE(FrameBecomes(75));
  QTest::keyClick(dialog_.get(), Qt::Key_O);
  EXPECT_NEAR(slider->clipInMs, 1500, 40);
  EXPECT_NEAR(slider->clipOutMs, 2500, 40);
  EXPECT_EQ(dialog_->ClipMarks().RangeIn(4000).endMs, slider->clipOutMs);
  // An in mark after the out mark drops the out mark.
  dialog_->SeekFromGraph(3000);
  ASSERT_TRUE(FrameBecomes(90));
  QTest::keyClick(dialog_.get(), Qt::Key_I);
  EXPECT_EQ(slider->clipOutMs, -1);
  dialog_->OnCommand(kCmdNext);  // the list's end: stopped, the marks stay till an open
  dialog_->PlayListItem(0);
  ASSERT_TRUE(WaitFor([&] { return !dialog_->OpenPending() && State() == Running; }));
  EXPECT_EQ(slider->clipInMs, -1);
}

TEST_F(TimelineTest, TheKnockIsMarkedAtTheThresholdKeptInTheRegistry) {
  ViewerRegistrySettings settings(RegistryStore::System());
  settings.SetEventThresholdCentiG(50);
  OpenPaused(kImpact);
  CZvSliderCtrl* slider = dialog_->SeekSlider();
  ASSERT_EQ(slider->eventMarksMs.size(), 1u);
  EXPECT_NEAR(static_cast<int>(slider->eventMarksMs[0]), 2000, 100);
  dialog_->OnCommand(kMenuEventMarksOff);  // "끄기"
  EXPECT_TRUE(slider->eventMarksMs.empty());
  EXPECT_EQ(settings.EventThresholdCentiG(), 0u);
  dialog_->OnCommand(kMenuEventMarksOff + 4);  // 1.5 g: the knock is stronger still
  EXPECT_EQ(settings.EventThresholdCentiG(), 150u);
  EXPECT_EQ(slider->eventMarksMs.size(), 1u);
}

// Three recordings of 2 s that follow each other and one after a gap.
void MakeTripCard(const QString& folder) {
  const char* starts[] = {"2024-01-01 12:00:00", "2024-01-01 12:00:02", "2024-01-01 12:00:04", "2024-01-01 12:01:00"};
  for (const char* start : starts) {
    const QString name = "REC_" + QString(start).replace('-', "").replace(':', "").replace(' ', '_') + "_F.AVI";
    ASSERT_EQ(QProcess::execute(ZV_MKREC_PATH, {folder + "/" + name, "--seconds", "2", "--front", "64x64", "--rear",
                                                "none", "--fps", "10", "--audio", "none", "--start", start}),
              0);
  }
}

TEST_F(TimelineTest, TheListGroupsGeneratedRecordingsIntoTwoTripsAndKeepsTheToggle) {
  MakeTripCard(card_.path());
  dialog_->OpenPaths({card_.path()});
  dialog_->OnCommand(kMenuGroupByTrip);
  EXPECT_TRUE(ViewerRegistrySettings(RegistryStore::System()).GroupByTrip());
  RecordingDurations::Instance().WaitForPending();
  CZvListCtrl* list = dialog_->RecordingList();
  auto tripText = [&](int row) { return list->model()->index(row, 3).data(Qt::ToolTipRole).toString(); };
  ASSERT_TRUE(WaitFor([&] { return !tripText(0).isEmpty(); }));
  for (int row = 0; row < 3; ++row) EXPECT_EQ(tripText(row), QString("여행: 영상 3개, 0:06")) << row;
  EXPECT_TRUE(tripText(3).isEmpty());
  EXPECT_EQ(list->currentRow, 0);  // the open recording stays marked
  dialog_->OnCommand(kMenuGroupByTrip);
  EXPECT_FALSE(ViewerRegistrySettings(RegistryStore::System()).GroupByTrip());
  EXPECT_TRUE(tripText(0).isEmpty());
}

// The trip's whole route for the map: the three recordings on one time
// axis, each a run of its own; the one after the gap is a trip alone.
TEST_F(TimelineTest, TheTripRouteJoinsTheRecordingsOfTheTripOnOneTimeAxis) {
  MakeTripCard(card_.path());
  RecordingLibrary library;
  library.ScanFolder(card_.path().toStdString() + "/");
  const std::vector<RecordingEntry> rows = SortedRowsForKind(library, AllKinds);
  TripRouteLoader loader;
  std::vector<std::pair<MapRoute, int>> loaded;
  QObject::connect(&loader, &TripRouteLoader::routeLoaded,
                   [&](const MapRoute& route, int recordings) { loaded.emplace_back(route, recordings); });
  loader.Load(rows, 1);
  ASSERT_TRUE(WaitFor([&] { return loaded.size() == 1; }, 10000));
  EXPECT_EQ(loaded[0].second, 3);
  const MapRoute& route = loaded[0].first;
  ASSERT_EQ(route.Runs().size(), 3u);
  EXPECT_EQ(route.PointCount(), 6u);  // fixes at 0 and 1 s of each
  EXPECT_EQ(route.Runs()[1].front().timeMs, 2000);
  EXPECT_EQ(route.Runs()[2].back().timeMs, 5000);
  loader.Load(rows, 3);
  ASSERT_TRUE(WaitFor([&] { return loaded.size() == 2; }, 10000));
  EXPECT_EQ(loaded[1].second, 1);
  // The main window's toggle is kept in the registry store.
  dialog_->OnCommand(kMenuTripRoute);
  EXPECT_TRUE(ViewerRegistrySettings(RegistryStore::System()).TripRoute());
}

}  // namespace
