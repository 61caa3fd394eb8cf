// SPDX-License-Identifier: GPL-3.0-or-later
// How faithfully the front screen shows a still 1920×1080 test chart at
// 720×405, paused:
//   picture_ssim_vs_area               the SSIM (mean of red, green, blue) of
//                                      the screen's picture, grabbed from the
//                                      widget, against the decoded chart
//                                      shrunk by exact area averaging
//   picture_ssim_vs_area_cpu_fallback  the same with OpenGL unavailable
//                                      (QT_XCB_GL_INTEGRATION=none), so the
//                                      screen draws on the CPU
// The benchmark wants a display for OpenGL; without one it starts itself
// again under xvfb-run, where OpenGL is Mesa's software renderer (allowed
// here, though the program prefers its CPU path to a software renderer).
// `--save DIR` also writes the grabbed pictures and the reference there.
#include <gst/gst.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <string>

#include "PictureChecks.h"
#include "app/StartupEnvironment.h"
#include "player/CVideoPlayer.h"
#include "skin/CZvScreenCtrl.h"
#include "skin/GlScreenSurface.h"

namespace {

const QString kChart = QStringLiteral(ZV_BENCH_DATA_DIR "/REC_20240102_120000_F.AVI");
constexpr int kShownWidth = 720, kShownHeight = 405;

bool EnsureChart() {
  if (QFileInfo::exists(kChart)) return true;
  QDir().mkpath(ZV_BENCH_DATA_DIR);
  return QProcess::execute(ZV_PROGRAM_DIR "/zv-mkrec", {kChart, "--seconds", "2", "--front", "1920x1080", "--rear",
                                                        "none", "--audio", "none", "--scene", "chart"}) == 0;
}

void RunEventsUntil(const std::function<bool()>& done, int limitMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < limitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Shows the chart paused on the front screen and measures it; prints
// `name: value`.
int Measure(const char* name, const QString& saveDir) {
  // The OpenGL figure is for the OpenGL path, though here it runs on Mesa's
  // software renderer, which the program itself would not use.
  GlScreenSurface::SetSoftwareRendererAllowed(true);
  QWidget window;
  window.resize(kShownWidth + 40, kShownHeight + 40);
  CZvScreenCtrl front(&window), rear(&window);
  front.setGeometry(20, 20, kShownWidth, kShownHeight);
  rear.hide();
  window.show();
  CVideoPlayer player;
  player.Init(&front, &rear);
  if (player.Open(kChart.toStdString()) != 1) return 1;
  player.Engine()->Pause();
  RunEventsUntil([&] { return !front.CurrentFrame().isNull(); }, 10000);
  RunEventsUntil([] { return false; }, 300);
  const QImage shown = front.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage chart = DecodeFirstFrame(kChart);
  if (shown.size() != QSize(kShownWidth, kShownHeight) || chart.isNull()) {
    std::fprintf(stderr, "picture benchmark: no picture on the screen or no decoded chart\n");
    return 1;
  }
  if (!saveDir.isEmpty()) {
    shown.save(saveDir + "/" + name + ".png");
    AreaAveraged(chart, shown.size()).save(saveDir + "/area-reference.png");
  }
  std::fprintf(stderr, "%s: the screen draws %s\n", name, front.UsesOpenGl() ? "with OpenGL" : "on the CPU");
  std::printf("%s: %.4f\n", name, SsimAgainstArea(shown, chart));
  return 0;
}

// Runs this benchmark again as a child for one measurement.
int MeasureInChild(const char* name, bool withoutOpenGl, const QString& saveDir) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (withoutOpenGl) env.insert("QT_XCB_GL_INTEGRATION", "none");
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::ForwardedChannels);
  QStringList args{"--measure", name};
  if (!saveDir.isEmpty()) args << "--save" << saveDir;
  child.start(QCoreApplication::applicationFilePath(), args);
  child.waitForFinished(120000);
  return child.exitCode();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("ZV_BENCH_UNDER_XVFB")) {
    // OpenGL needs an X display: start again under a virtual one.
    std::vector<char*> args{const_cast<char*>("xvfb-run"), const_cast<char*>("-a"), const_cast<char*>("-s"),
                            const_cast<char*>("-screen 0 1280x1024x24")};
    for (int i = 0; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);
    qputenv("ZV_BENCH_UNDER_XVFB", "1");
    execvp("xvfb-run", args.data());
    std::perror("picture benchmark: xvfb-run");
    return 1;
  }
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  const QStringList args = app.arguments();
  const int save = args.indexOf("--save");
  const QString saveDir = save > 0 && save + 1 < args.size() ? args[save + 1] : QString();
  const int measure = args.indexOf("--measure");
  if (measure > 0 && measure + 1 < args.size()) {
    if (!zv::RegisterParseFilter(ZV_PROGRAM_DIR)) return 1;
    return Measure(qPrintable(args[measure + 1]), saveDir);
  }
  if (!EnsureChart()) {
    std::fprintf(stderr, "picture benchmark: cannot make the chart recording\n");
    return 1;
  }
  const int a = MeasureInChild("picture_ssim_vs_area", false, saveDir);
  const int b = MeasureInChild("picture_ssim_vs_area_cpu_fallback", true, saveDir);
  return a || b;
}
