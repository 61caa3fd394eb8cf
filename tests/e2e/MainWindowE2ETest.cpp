// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on a real display, driven through real key and mouse
// events, playing generated recordings: start, pause and resume, stepping,
// the end of a recording and of the list, the list filters, a broken file
// and the commands that need an open recording.
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/CZorvaneViewerDlg.h"
#include "app/StartupEnvironment.h"
#include "config/ViewerOptions.h"
#include "library/CZvListCtrl.h"
#include "library/RecordingLibrary.h"
#include "map/CMapViewWnd.h"
#include "EventWait.h"
#include "WindowProcessHome.h"
#include "map/MapViewBridge.h"
#include "sensors/CZvSpeedCtrl.h"
#include "sensors/CZvTextCtrl.h"
#include "sensors/GpsText.h"
#include "sensors/SensorRecords.h"
#include "skin/CZvButtonCtrl.h"
#include "skin/CZvScreenCtrl.h"
#include "skin/CZvSimpleSliderCtrl.h"
#include "skin/CZvSliderCtrl.h"
#include "skin/CZvVolumeCtrl.h"

using namespace zv;

namespace {

QString g_fixtures;
QString g_program;

bool WaitFor(const std::function<bool()>& done, int ms = 8000) { return WaitForEvents(done, ms); }

void Pump(int ms) { WaitFor([] { return false; }, ms); }

class MainWindowE2ETest : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordingLibrary::Instance().Clear();
    ViewerOptions::Instance() = ViewerOptions{};
    dialog_ = std::make_unique<CZorvaneViewerDlg>();
    dialog_->OnInitDialog();
    dialog_->show();
    QApplication::setActiveWindow(dialog_.get());
  }
  void TearDown() override { dialog_.reset(); }

  // A card folder with copies of the named generated recordings.
  QString Card(std::initializer_list<const char*> names) {
    for (const char* name : names) QFile::copy(g_fixtures + "/" + name, card_.path() + "/" + name);
    return card_.path();
  }
  PlayState State() const {
    CGraphPlayer* engine = dialog_->Player().Engine();
    return engine ? engine->GetState() : NoGraph;
  }
  int64_t PositionMs() const {
    int64_t position = 0;
    if (dialog_->Player().Engine()) dialog_->Player().Engine()->GetCurrentPosition(&position);
    return position / kUnitsPerMs;
  }
  void Key(Qt::Key key) { QTest::keyClick(dialog_.get(), key); }
  void Click(int id) {
    CZvButtonCtrl* button = dialog_->Button(id);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
  }
  bool Playing() {
    return WaitFor([&] { return State() == Running && !dialog_->FrontScreen()->CurrentFrame().isNull(); });
  }

  QTemporaryDir card_;
  std::unique_ptr<CZorvaneViewerDlg> dialog_;
};

TEST_F(MainWindowE2ETest, StartingWithACardPlaysItsFirstRecording) {
  dialog_->OpenPaths({Card({"REC_20130521_143015_F.AVI", "REC_20130521_143115_F.AVI"})});
  ASSERT_TRUE(Playing());
  EXPECT_TRUE(dialog_->FrontScreen()->isVisible());
  EXPECT_FALSE(dialog_->RearScreen()->isVisible());  // view mode 1: front only
  EXPECT_EQ(dialog_->RecordingList()->currentRow, 0);
  EXPECT_EQ(dialog_->CurrentFileName(), "REC_20130521_143015_F.AVI");
  EXPECT_FALSE(dialog_->Button(1013)->isVisible());  // Pause stands in Play's place
  EXPECT_TRUE(dialog_->Button(1015)->isVisible());
  EXPECT_EQ(dialog_->Button(1001)->enabled, 1);
  // All shows both channels side by side.
  Click(1028);
  EXPECT_TRUE(dialog_->RearScreen()->isVisible());
  EXPECT_TRUE(WaitFor([&] { return !dialog_->RearScreen()->CurrentFrame().isNull(); }));
}

TEST_F(MainWindowE2ETest, SpacePausesAndResumesAndArrowsStep) {
  ViewerOptions::Instance().playStep = 1;
  dialog_->OpenPaths({Card({"REC_20130521_143015_F.AVI"})});
  ASSERT_TRUE(Playing());
  Key(Qt::Key_Space);
  EXPECT_EQ(State(), Paused);
  const int64_t paused = PositionMs();
  Pump(300);
  EXPECT_NEAR(PositionMs(), paused, 40);
  Key(Qt::Key_Space);
  EXPECT_EQ(State(), Running);
  ASSERT_TRUE(WaitFor([&] { return PositionMs() > 600; }));
  Key(Qt::Key_Space);
  const int64_t before = PositionMs();
  Key(Qt::Key_Space);  // the steps act only while running
  Key(Qt::Key_Right);
  EXPECT_TRUE(WaitFor([&] { return PositionMs() >= before + 900; }, 2000)) << PositionMs() << " from " << before;
  const int64_t ahead = PositionMs();
  Key(Qt::Key_Left);
  EXPECT_TRUE(WaitFor([&] { return PositionMs() <= ahead - 700; }, 2000)) << PositionMs() << " from " << ahead;
  // The arrows never move the list's selection; Up and Down change the volume.
  EXPECT_EQ(dialog_->RecordingList()->currentRow, 0);
  Key(Qt::Key_Down);
  EXPECT_EQ(dialog_->VolumeControl()->level, 4);
}

TEST_F(MainWindowE2ETest, EndOfARecordingPlaysTheNextAndTheEndOfTheListStops) {
  dialog_->OpenPaths({Card({"REC_20130521_143015_F.AVI", "REC_20130521_143115_F.AVI"})});
  ASSERT_TRUE(Playing());
  dialog_->SpeedSlider()->setValue(100);  // twice as fast, from the next open on
  ASSERT_TRUE(WaitFor([&] { return dialog_->RecordingList()->currentRow == 1 && State() == Running; }, 10000));
  EXPECT_EQ(dialog_->CurrentFileName(), "REC_20130521_143115_F.AVI");
  ASSERT_TRUE(WaitFor([&] { return State() == Stopped; }, 10000));
  EXPECT_EQ(dialog_->RecordingList()->currentRow, 0);
  EXPECT_FALSE(dialog_->FrontScreen()->isVisible());
  EXPECT_FALSE(dialog_->RearScreen()->isVisible());
  EXPECT_TRUE(dialog_->Button(1013)->isVisible());
  // Play then opens the first row again from its start.
  Click(1013);
  EXPECT_TRUE(Playing());
  EXPECT_LT(PositionMs(), 1000);
}

TEST_F(MainWindowE2ETest, PrevOnTheFirstRowStopsAndHidesTheScreens) {
  dialog_->OpenPaths({Card({"REC_20130521_143015_F.AVI", "REC_20130521_143115_F.AVI"})});
  ASSERT_TRUE(Playing());
  Click(1011);
  EXPECT_EQ(State(), Stopped);
  EXPECT_FALSE(dialog_->FrontScreen()->isVisible());
  Click(1016);  // Next from the first row plays the second
  EXPECT_TRUE(Playing());
  EXPECT_EQ(dialog_->RecordingList()->currentRow, 1);
  EXPECT_TRUE(dialog_->FrontScreen()->isVisible());  // the recording the advance started is seen
}

TEST_F(MainWindowE2ETest, FilterButtonsServeOnlyTheKindsPresent) {
  dialog_->OpenPaths({Card({"REC_20130521_143015_F.AVI", "EVT_20130521_143415_F.AVI"})});
  ASSERT_TRUE(WaitFor([&] { return dialog_->Button(1021)->enabled == 1; }));
  EXPECT_EQ(dialog_->Button(1023)->enabled, 1);  // continuous
  EXPECT_EQ(dialog_->Button(1022)->enabled, 1);  // event
  EXPECT_EQ(dialog_->Button(1024)->enabled, 0);  // parking
  Click(1022);
  EXPECT_EQ(dialog_->RecordingList()->RowCount(), 1);
  EXPECT_EQ(dialog_->Button(1022)->selected, 1);
  dialog_->OnCommand(1024);  // no parking recording: nothing changes
  EXPECT_EQ(dialog_->RecordingList()->RowCount(), 1);
  EXPECT_EQ(dialog_->RecordingList()->filterKind, 3);
  Click(1021);
  EXPECT_EQ(dialog_->RecordingList()->RowCount(), 2);
  // The open recording keeps its row marked after the refill.
  EXPECT_EQ(dialog_->RecordingList()->currentRow, 0);
}

TEST_F(MainWindowE2ETest, ABrokenRecordingShowsTheMessageAndTheNextOnePlays) {
  const QString card = Card({"REC_20130521_143115_F.AVI"});
  QFile broken(card + "/REC_20130521_142900_F.AVI");
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("RIFF....AVI LIST this recording was cut before its headers");
  broken.close();
  QString shownText;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shownText = box->windowTitle() + "|" + box->text();
      box->accept();
    }
  });
  answer.start(50);
  dialog_->OpenPaths({card});
  EXPECT_TRUE(WaitFor([&] { return !shownText.isEmpty(); }));
  EXPECT_EQ(shownText, QString("VARNI Viewer|동영상을 플레이 할 수 없습니다."));
  EXPECT_TRUE(Playing());
  EXPECT_EQ(dialog_->RecordingList()->currentRow, 1);
  EXPECT_TRUE(dialog_->FrontScreen()->isVisible());  // the recording the advance started is seen
}

// The map page's marker, "lat,lng" with six decimals.
QString MarkerPosition() {
  QString at;
  bool answered = false;
  CMapViewWnd::Instance()->page()->runJavaScript(QStringLiteral("markerPosition()"), [&](const QVariant& v) {
    at = v.toString();
    answered = true;
  });
  WaitFor([&] { return answered; }, 10000);
  return at;
}

QString MarkerTextOf(const CGPSData& fix) {
  return QString::asprintf("%.6f,%.6f", NmeaToDegrees(fix.latitude), NmeaToDegrees(fix.longitude));
}

// The generated recordings carry a GPS fix every second (0, 1000, 2000 and
// 3000 ms of 4 s). A seek while paused shows the new moment's speed, position
// and marker at once; the last second shows the last fix, not zero.
TEST_F(MainWindowE2ETest, ASeekWhilePausedMovesTheInstrumentsAndTheMarker) {
  bool loaded = false;
  QObject::connect(CMapViewWnd::Instance(), &QWebEngineView::loadFinished, [&](bool ok) { loaded = ok; });
  LoadMapPageFrom(g_program);
  ASSERT_TRUE(WaitFor([&] { return loaded; }, 30000)) << "the map page did not load";
  dialog_->OpenPaths({Card({"REC_20130521_143015_F.AVI"})});
  ASSERT_TRUE(Playing());
  ASSERT_EQ(GpsRecords().Count(), 4u);
  Key(Qt::Key_Space);
  ASSERT_EQ(State(), Paused);
  Pump(300);
  const CGPSData& first = GpsRecords()[0];  // standing: 0 km/h
  const CGPSData& last = GpsRecords()[3];
  ASSERT_NE(MarkerTextOf(first), MarkerTextOf(last));

  CZvSliderCtrl* slider = dialog_->SeekSlider();
  const auto drag = [&](int ms) {
    slider->setSliderDown(true);
    slider->setSliderPosition(ms);
    slider->setSliderDown(false);
  };
  drag(0);  // the first fix
  ASSERT_TRUE(WaitFor([&] { return dialog_->SpeedGauge()->speedKmh == first.speedKmh; }, 1000))
      << dialog_->SpeedGauge()->speedKmh << " km/h";
  EXPECT_TRUE(WaitFor([&] { return MarkerPosition() == MarkerTextOf(first); }, 3000))
      << MarkerPosition().toStdString();
  EXPECT_EQ(State(), Paused);

  drag(3600);  // after the last fix
  ASSERT_TRUE(WaitFor([&] { return dialog_->SpeedGauge()->speedKmh == last.speedKmh; }, 1000))
      << dialog_->SpeedGauge()->speedKmh << " km/h";
  EXPECT_TRUE(WaitFor([&] { return MarkerPosition() == MarkerTextOf(last); }, 3000))
      << MarkerPosition().toStdString();
  EXPECT_FLOAT_EQ(dialog_->PositionText()->latitudeDeg, static_cast<float>(NmeaToDegrees(last.latitude)));
  EXPECT_GT(last.speedKmh, 0.0);
  EXPECT_EQ(dialog_->TimeText()->positionMs, 3600);
}

// The automatic advance goes through ten recordings one after another, each
// opened in turn, and stops at the end of the list with the first row
// selected. (That each open loads off the window's thread is checked where
// it can be seen for sure: a tiny recording may load before the window's
// next timer tick, so the advance may never show an open still pending.)
TEST_F(MainWindowE2ETest, TheAutomaticAdvancePlaysTenRecordingsInTurn) {
  const QString one = card_.path() + "/one.avi";
  ASSERT_EQ(QProcess::execute(g_program + "/zv-mkrec", {one, "--seconds", "1", "--front", "160x90", "--rear", "none",
                                                         "--audio", "none"}),
            0);
  QStringList names;
  for (int i = 0; i < 10; ++i) {
    names << QString("REC_20130521_1500%1_F.AVI").arg(i * 2, 2, 10, QChar('0'));
    ASSERT_TRUE(QFile::copy(one, card_.path() + "/" + names.back()));
  }
  QFile::remove(one);
  QStringList opened;
  qint64 longestTickGapMs = 0;
  QElapsedTimer sinceTick;
  sinceTick.start();
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    longestTickGapMs = std::max(longestTickGapMs, sinceTick.restart());
    const QString name = QString::fromStdString(dialog_->CurrentFileName());
    if (State() == Running && (opened.isEmpty() || opened.back() != name)) opened << name;
  });
  watch.start(10);
  dialog_->SpeedSlider()->setValue(100);
  dialog_->OpenPaths({card_.path()});
  ASSERT_TRUE(WaitFor([&] { return opened.size() == 10 && State() == Stopped; }, 40000)) << opened.join(' ').toStdString();
  EXPECT_EQ(opened.join(' ').toStdString(), names.join(' ').toStdString());
  EXPECT_EQ(dialog_->RecordingList()->currentRow, 0);
  std::printf("ten recordings: longest gap between 10 ms ticks %lld ms\n", static_cast<long long>(longestTickGapMs));
}

// A second open given while the first is still loading wins, and a pause
// given meanwhile waits for it.
TEST_F(MainWindowE2ETest, ASecondOpenWhileTheFirstLoadsEndsWithTheSecond) {
  dialog_->OpenPaths({Card({"REC_20130521_143015_F.AVI", "REC_20130521_143115_F.AVI"})});
  ASSERT_TRUE(Playing());
  dialog_->PlayListItem(0);
  dialog_->PlayListItem(1);
  EXPECT_TRUE(dialog_->OpenPending());
  Key(Qt::Key_Space);
  bool sawFirst = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    sawFirst = sawFirst || (State() != NoGraph && dialog_->CurrentFileName() == "REC_20130521_143015_F.AVI");
  });
  watch.start(5);
  ASSERT_TRUE(WaitFor([&] { return !dialog_->OpenPending() && State() == Paused; }));
  EXPECT_EQ(dialog_->CurrentFileName(), "REC_20130521_143115_F.AVI");
  EXPECT_EQ(dialog_->RecordingList()->currentRow, 1);
  EXPECT_FALSE(sawFirst);
  EXPECT_TRUE(dialog_->Button(1013)->isVisible());  // Play stands in Pause's place
}

// A one-channel recording after a two-channel one leaves nothing of the
// old rear picture on the rear screen.
TEST_F(MainWindowE2ETest, AOneChannelRecordingClearsTheRearScreen) {
  dialog_->OpenPaths({Card({"REC_20130521_143015_F.AVI", "REC_20130521_143115_F.AVI"})});
  ASSERT_TRUE(Playing());
  Click(1028);  // both screens
  ASSERT_TRUE(WaitFor([&] { return !dialog_->RearScreen()->CurrentFrame().isNull(); }));
  Click(1016);  // the one-channel recording
  ASSERT_TRUE(WaitFor([&] { return dialog_->CurrentFileName() == "REC_20130521_143115_F.AVI" && State() == Running; }));
  EXPECT_TRUE(dialog_->RearScreen()->CurrentFrame().isNull());
}

TEST_F(MainWindowE2ETest, PlayAndSpaceBeforeAnyRecordingDoNothing) {
  Click(1013);
  Key(Qt::Key_Space);
  Click(1012);
  Click(1028);  // view buttons change nothing before a recording plays
  EXPECT_EQ(State(), NoGraph);
  EXPECT_EQ(dialog_->ViewMode(), 1);
  EXPECT_FALSE(dialog_->FrontScreen()->isVisible());
  EXPECT_TRUE(dialog_->isVisible());
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 4) {
    fprintf(stderr, "usage: %s <program folder> <work folder> <fixture folder>\n", argv[0]);
    return 2;
  }
  const QString program = QString::fromLocal8Bit(argv[1]);
  QTemporaryDir home;
  PrepareWindowProcess(home.path());
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  g_fixtures = QString::fromLocal8Bit(argv[3]);
  g_program = program;
  if (!RegisterParseFilter(program.toStdString())) return 1;
  return RUN_ALL_TESTS();
}
