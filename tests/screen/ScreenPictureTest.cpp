// SPDX-License-Identifier: GPL-3.0-or-later
// The picture on the real screens, whichever way they draw: the path they
// choose, the colours of tagged full- and limited-range recordings made by
// ffmpeg against GStreamer's own conversion, snapshots against the screen,
// filtering of a shrunk test chart, and device pixels.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "../engine/PlaybackTestSupport.h"
#include "PictureChecks.h"
#include "output/ChannelImages.h"
#include "player/CVideoPlayer.h"
#include "skin/CZvScreenCtrl.h"
#include "skin/GlScreenSurface.h"

namespace {

// The virtual display's OpenGL is Mesa's software renderer, which the
// program leaves alone; these tests are about the OpenGL path all the same.
const bool kSoftwareOpenGl = (GlScreenSurface::SetSoftwareRendererAllowed(true), true);

// Recordings made once for the whole run.
class Recordings {
 public:
  static Recordings& Get() {
    static Recordings recordings;
    return recordings;
  }
  QString Path(const char* name) const { return dir_.filePath(name); }

 private:
  Recordings() {
    // A luma ramp across and chroma that turns round the colour circle down
    // the picture, as raw code values, tagged as full-range BT.709 or
    // limited-range BT.601.
    const QString pattern =
        "nullsrc=s=320x180:r=30:d=1,format=yuv420p,geq=lum='X*255/W':cb='128+100*cos(2*PI*Y/H)'"
        ":cr='128+100*sin(2*PI*Y/H)'";
    MakeWithFfmpeg("full.avi", pattern, {"-color_range", "pc", "-colorspace", "bt709"});
    MakeWithFfmpeg("limited.avi", pattern, {"-color_range", "tv", "-colorspace", "smpte170m"});
    QProcess::execute(ZV_MKREC_PATH, {Path("chart.avi"), "--seconds", "1", "--front", "960x540", "--rear", "none",
                                      "--audio", "none", "--scene", "chart"});
  }
  void MakeWithFfmpeg(const char* name, const QString& source, const QStringList& tags) {
    QProcess::execute("ffmpeg", QStringList{"-loglevel", "error", "-y", "-f", "lavfi", "-i", source, "-c:v",
                                            "libx264", "-qp", "10"} +
                                    tags + QStringList{"-f", "avi", Path(name)});
  }
  QTemporaryDir dir_;
};

// A window with the front screen placed so that it has `device` pixels.
struct ScreenWindow {
  explicit ScreenWindow(QSize device) {
    window.resize(800, 500);
    const qreal ratio = window.devicePixelRatioF();
    front.setGeometry(10, 10, qRound(device.width() / ratio), qRound(device.height() / ratio));
    rear.hide();
    window.show();
  }
  QWidget window;
  CZvScreenCtrl front{&window}, rear{&window};
};

// Opens `path` paused on the window's front screen and waits for its
// picture.
bool ShowPaused(CVideoPlayer& player, ScreenWindow& screens, const QString& path) {
  player.Init(&screens.front, &screens.rear);
  if (player.Open(path.toStdString()) != 1 || player.Engine()->Pause() < 0) return false;
  return WaitFor([&] { return screens.front.HasFrame(); }, 10000) && QTest::qWaitForWindowExposed(&screens.window);
}

QImage Shown(CZvScreenCtrl& screen) { return screen.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The runs are on a virtual X display with Mesa's OpenGL, with OpenGL
// switched off, or on the offscreen platform.
bool OpenGlExpected() {
  return qgetenv("QT_QPA_PLATFORM") == "xcb" && qgetenv("QT_XCB_GL_INTEGRATION") != "none";
}

TEST(ScreenPathTest, OpenGlWhereTheMachineHasItElseTheCpuAndFramesShowEitherWay) {
  ScreenWindow screens(QSize(64, 36));
  EXPECT_EQ(screens.front.UsesOpenGl(), OpenGlExpected());
  QImage frame(64, 36, QImage::Format_RGB32);
  frame.fill(QColor(200, 30, 60));
  screens.front.SetFrame(frame);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&screens.window));
  const QImage shown = Shown(screens.front);
  ASSERT_FALSE(shown.isNull());
  EXPECT_LE(LargestDifference(shown, frame.scaled(shown.size())), 1);
  // Left to itself the program draws on the CPU rather than through
  // Mesa's software renderer.
  GlScreenSurface::SetSoftwareRendererAllowed(false);
  EXPECT_FALSE(CZvScreenCtrl().UsesOpenGl());
  GlScreenSurface::SetSoftwareRendererAllowed(true);
}

class ScreenColourTest : public ::testing::TestWithParam<const char*> {};

// The screen, a grab and the snapshot file of a frame shown at its own size
// have GStreamer's colours for the stream's matrix and range.
TEST_P(ScreenColourTest, ScreenGrabAndSnapshotMatchVideoconvert) {
  const QString path = Recordings::Get().Path(GetParam());
  QString colorimetry;
  const QImage reference = DecodeFirstFrame(path, &colorimetry);
  ASSERT_FALSE(reference.isNull());
  // The tags reached the decoder's caps: range 1 (0 .. 255) with matrix 3
  // (BT.709), or range 2 (16 .. 235) with matrix 4 (BT.601).
  EXPECT_TRUE(colorimetry.startsWith(QString(GetParam()) == "full.avi" ? "1:3:" : "2:4:")) << colorimetry.toStdString();
  ScreenWindow screens(reference.size());
  CVideoPlayer player;
  ASSERT_TRUE(ShowPaused(player, screens, path));
  const QImage shown = Shown(screens.front);
  ASSERT_EQ(shown.size(), reference.size());
  EXPECT_LE(LargestDifference(shown, reference), 3);
  QImage grab;
  ASSERT_EQ(player.CaptureFrame(0, &grab), 1);
  EXPECT_LE(LargestDifference(grab, reference), 3);
  EXPECT_LE(LargestDifference(grab, shown), 3);
  QTemporaryDir dir;
  const QString jpeg = dir.filePath("front.jpg");
  zv::SaveChannelImages(player, jpeg.toStdString(), "");
  const QImage saved(jpeg);
  ASSERT_EQ(saved.size(), shown.size());
  EXPECT_NEAR(MeanLuma(saved), MeanLuma(shown), 1.0);
}

INSTANTIATE_TEST_SUITE_P(TaggedRecordings, ScreenColourTest, ::testing::Values("full.avi", "limited.avi"));

// A 960×540 chart shown at 360×203 device pixels looks like the chart
// area-averaged, and lines of one device pixel survive a ratio of 2.
TEST(ScreenFilterTest, ShrunkChartIsAreaAveragedAndDevicePixelsAreDrawn) {
  const QString chart = Recordings::Get().Path("chart.avi");
  const QImage full = DecodeFirstFrame(chart);
  ASSERT_FALSE(full.isNull());
  ScreenWindow screens(QSize(360, 202));
  CVideoPlayer player;
  ASSERT_TRUE(ShowPaused(player, screens, chart));
  const QImage shown = Shown(screens.front);
  EXPECT_EQ(shown.size(), QSize(360, 202));
  EXPECT_GE(SsimAgainstArea(shown, full), 0.98);

  QImage stripes(320, 180, QImage::Format_RGB32);
  for (int x = 0; x < 320; ++x)
    for (int y = 0; y < 180; ++y) stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  ScreenWindow sharp(stripes.size());
  sharp.front.SetFrame(stripes);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&sharp.window));
  const QImage drawn = Shown(sharp.front);
  ASSERT_EQ(drawn.size(), stripes.size());
  EXPECT_LE(LargestDifference(drawn, stripes), 1);
}

}  // namespace
