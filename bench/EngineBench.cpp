// SPDX-License-Identifier: GPL-3.0-or-later
// The playback engine against GStreamer's own decoding floor (front
// 1920×1080, rear 1280×720, 30 fps, AAC):
//   cpu_ratio_vs_decode_floor  CPU seconds of the engine playing a realistic
//                              30-second recording (the generator's noise
//                              texture at 10 Mbit/s a channel) with both
//                              screens painted, divided by those of
//                              gst-launch-1.0 decoding the same streams into
//                              synchronised fake sinks; the median of three
//   cpu_ratio_vs_decode_floor_same_threads  the same against a floor whose
//                              decoders use the engine's threads (the engine
//                              shares the processors between its two
//                              decoders; gst-launch-1.0 gives each as many
//                              frame threads as there are processors): what
//                              the engine adds to the decoding alone
//   cpu_ratio_vs_decode_floor_easy_scene  the same, once, on the generator's
//                              plain 60-second scene, which decodes far more
//                              cheaply, so that the engine's own costs weigh
//                              more
//   open_ratio                 Open to the first frame on both screens, divided
//                              by gst-launch-1.0's time to preroll the file
//   peak_rss_mb                the engine process's peak resident memory over
//                              the opens and the play of the plain scene
//   open_max_ui_stall_ms       the longest gap between two ticks of a 10 ms
//                              timer on the window's thread while the viewer
//                              opens the one-minute 10 Mbit/s recording
//                              (RealisticRecording.h) with its pages dropped
//                              from the page cache, in place of a recording
//                              that plays (as the automatic advance does), up
//                              to the first frame on both screens
//   open_cold_to_first_frame_seconds  that open's wall time
// The screens draw the way the platform lets them: on the offscreen platform
// (the default here) on the CPU; under an X display with OpenGL, through it
// (with Mesa's software renderer its work is CPU time of this process too).
#include <gst/gst.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "RealisticRecording.h"
#include "app/StartupEnvironment.h"
#include "player/CVideoPlayer.h"
#include "player/PlaybackMath.h"
#include "player/RecordingOpener.h"
#include "reader/FileByteSource.h"
#include "sensors/SensorRecords.h"
#include "skin/CZvScreenCtrl.h"

namespace {

const std::string kEasyScene = std::string(ZV_BENCH_DATA_DIR) + "/REC_20240101_120000_F.AVI";
const std::string kRealistic = std::string(ZV_BENCH_DATA_DIR) + "/REC_20240103_120000_F.AVI";

double CpuSeconds(const rusage& usage) {
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double SelfCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return CpuSeconds(usage);
}

bool EnsureRecording(const std::string& path, const QStringList& options) {
  if (QFileInfo::exists(QString::fromStdString(path))) return true;
  QDir().mkpath(ZV_BENCH_DATA_DIR);
  std::fprintf(stderr, "making the benchmark recording %s (once)...\n", path.c_str());
  return QProcess::execute(ZV_PROGRAM_DIR "/zv-mkrec", QStringList{QString::fromStdString(path), "--front",
                                                                   "1920x1080", "--rear", "1280x720", "--fps", "30",
                                                                   "--audio", "aac"} +
                                                           options) == 0;
}

const char* kFloorPipeline =
    "filesrc location=%s ! avidemux name=d "
    "d.video_0 ! queue ! h264parse ! avdec_h264 max-threads=%u ! fakesink sync=true "
    "d.video_1 ! queue ! h264parse ! avdec_h264 max-threads=%u ! fakesink sync=true "
    "d.audio_0 ! queue ! aacparse ! avdec_aac ! fakesink sync=true";

// The floor's decoders use libav's default threads unless `threads` (front,
// rear) says otherwise.
std::vector<std::string> FloorArguments(const std::string& recording, bool verbose,
                                        std::vector<unsigned> threads = {0, 0}) {
  char pipeline[1024];
  std::snprintf(pipeline, sizeof pipeline, kFloorPipeline, recording.c_str(), threads[0], threads[1]);
  std::vector<std::string> args{"gst-launch-1.0", "-q"};
  if (verbose) args[1] = "-v";
  for (const QString& part : QProcess::splitCommand(QString::fromUtf8(pipeline))) args.push_back(part.toStdString());
  return args;
}

// CPU seconds of gst-launch-1.0 playing the whole file in real time.
double FloorCpuSeconds(const std::string& recording, std::vector<unsigned> threads = {0, 0}) {
  const pid_t child = fork();
  if (child == 0) {
    std::vector<std::string> args = FloorArguments(recording, false, threads);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return CpuSeconds(usage);
}

// Seconds from the start of gst-launch-1.0 until it reports the pipeline
// prerolled (median of five).
double FloorPrerollSeconds() {
  std::vector<double> times;
  for (int i = 0; i < 5; ++i) {
    QProcess launch;
    QStringList args;
    for (const auto& a : FloorArguments(kEasyScene, true)) args << QString::fromStdString(a);
    args.removeFirst();
    QElapsedTimer timer;
    timer.start();
    launch.start("gst-launch-1.0", args);
    QByteArray seen;
    while (!seen.contains("PREROLLED") && launch.waitForReadyRead(10000)) seen += launch.readAllStandardOutput();
    times.push_back(timer.nsecsElapsed() / 1e9);
    launch.kill();
    launch.waitForFinished();
  }
  std::sort(times.begin(), times.end());
  return times[2];
}

// Runs the event loop as the program does, blocked until something
// happens, checking `done` every `checkMs`.
void RunEvents(const std::function<bool()>& done, int limitMs, int checkMs = 10) {
  QEventLoop loop;
  QTimer check;
  QElapsedTimer timer;
  timer.start();
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (done() || timer.elapsed() >= limitMs) loop.quit();
  });
  check.start(checkMs);
  loop.exec();
}

// How often the main window updates its position, speed and graph.
constexpr int kWindowUpdateMs = 200;

struct Screens {
  Screens() {
    window.resize(1034, 742);
    front.setParent(&window);
    rear.setParent(&window);
    front.setGeometry(12, 159, 360, 202);
    rear.setGeometry(372, 159, 360, 202);
    window.show();
  }
  QWidget window;
  CZvScreenCtrl front, rear;
};

// Seconds from Open to the first frame on both screens (median of five).
double EngineOpenSeconds(Screens& screens) {
  std::vector<double> times;
  for (int i = 0; i < 5; ++i) {
    CVideoPlayer player;
    player.Init(&screens.front, &screens.rear);
    screens.front.ClearFrame();
    screens.rear.ClearFrame();
    QElapsedTimer timer;
    timer.start();
    player.Open(kEasyScene);
    RunEvents([&] { return screens.front.HasFrame() && screens.rear.HasFrame(); }, 10000);
    times.push_back(timer.nsecsElapsed() / 1e9);
  }
  std::sort(times.begin(), times.end());
  return times[2];
}

// CPU seconds of the engine playing the whole file in real time, and the
// playback seconds that took. The end is checked as often as the main
// window's own update timer asks for the position (every 200 ms): asking
// every 10 ms would add the benchmark's own position queries to the engine's
// CPU time.
std::pair<double, double> EngineCpuSeconds(Screens& screens, const std::string& recording) {
  CVideoPlayer player;
  player.Init(&screens.front, &screens.rear);
  player.Open(recording);
  const int64_t duration = static_cast<int64_t>(player.GetDurationMs()) * 10000;
  const double before = SelfCpuSeconds();
  player.Engine()->Run();
  RunEvents([&] {
    int64_t position = 0;
    player.Engine()->GetCurrentPosition(&position);
    return position >= duration;
  }, static_cast<int>(duration / 10000) + 30000, kWindowUpdateMs);
  return {SelfCpuSeconds() - before, player.GetDurationMs() / 1000.0};
}

// The engine's CPU seconds over the floor's for one playing of `recording`:
// against the floor as gst-launch-1.0 decodes by default, and against one
// whose decoders use the engine's threads (front 1920×1080, rear
// 1280×720), which leaves only what the engine adds to the decoding.
std::pair<double, double> CpuRatios(Screens& screens, const std::string& recording) {
  const double engine = EngineCpuSeconds(screens, recording).first;
  const std::vector<unsigned> threads = zv::ShareDecoderThreads(g_get_num_processors(), {1920.0 * 1080, 1280.0 * 720});
  return {engine / FloorCpuSeconds(recording), engine / FloorCpuSeconds(recording, threads)};
}

// The viewer's open, as its main window does it, while `playing` plays: the
// old engine goes, the load and the sensor pull run on the opener's thread,
// then the graph is built and run and the records dispatched on this thread.
// Returns the longest gap between ticks of a 10 ms timer on this thread, in
// ms, and the seconds to the first frame on both screens.
std::pair<double, double> ColdOpen(Screens& screens, const std::string& playing, const std::string& path) {
  zv::FileByteSource file;
  if (!file.Open(path)) return {-1, -1};
  CVideoPlayer player;
  player.Init(&screens.front, &screens.rear);
  if (!player.Open(playing) || player.Engine()->Run() < 0) return {-1, -1};
  RunEvents([] { return false; }, 1000);
  file.DropCachedPages();
  screens.front.ClearFrame();
  screens.rear.ClearFrame();
  bool opened = false;
  zv::RecordingOpener opener([&](zv::RecordingOpener::Result loaded) {
    if (player.FinishOpen(std::move(loaded.graph)) && player.Engine()) player.Engine()->Run();
    zv::ClearSensorRecords();
    for (const zv::PulledSensorRecord& record : loaded.records) {
      uint8_t buffer[zv::kSensorRecordSize] = {};
      std::copy(record.bytes.begin(), record.bytes.end(), buffer);
      zv::DispatchSensorRecord(buffer, record.timeMs);
    }
    opened = true;
  });
  qint64 longestGap = 0;
  QElapsedTimer sinceTick;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
  sinceTick.start();
  tick.start(10);
  QElapsedTimer timer;
  timer.start();
  player.BeginOpen(path);
  opener.Start(path, 0);
  RunEvents([&] { return opened && screens.front.HasFrame() && screens.rear.HasFrame(); }, 30000);
  const double seconds = timer.nsecsElapsed() / 1e9;
  longestGap = std::max(longestGap, sinceTick.elapsed());
  return {static_cast<double>(longestGap), opened ? seconds : -1};
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  if (!zv::RegisterParseFilter(ZV_PROGRAM_DIR) || !EnsureRecording(kEasyScene, {"--seconds", "60"}) ||
      !EnsureRecording(kRealistic, {"--seconds", "30", "--texture", "noise", "--bitrate", "10000"})) {
    std::fprintf(stderr, "engine benchmark: cannot prepare the recordings or the parse filter\n");
    return 1;
  }
  const std::string oneMinute = zv::bench::RealisticRecording(ZV_PROGRAM_DIR, ZV_BENCH_DATA_DIR);
  if (oneMinute.empty()) {
    std::fprintf(stderr, "engine benchmark: cannot make the one-minute realistic recording\n");
    return 1;
  }
  Screens screens;
  std::fprintf(stderr, "engine benchmark: the screens draw %s\n",
               screens.front.UsesOpenGl() ? "with OpenGL" : "on the CPU");
  // Peak memory over the same work as always (five opens and a play of the
  // plain scene), before the realistic plays.
  const double openSeconds = EngineOpenSeconds(screens);
  const auto [easyCpu, seconds] = EngineCpuSeconds(screens, kEasyScene);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double easyFloorCpu = FloorCpuSeconds(kEasyScene);
  const double prerollSeconds = FloorPrerollSeconds();
  const auto [stallMs, coldOpenSeconds] = ColdOpen(screens, kEasyScene, oneMinute);
  std::vector<double> ratios, sameThreads;
  for (int i = 0; i < 3; ++i) {
    const auto [ratio, same] = CpuRatios(screens, kRealistic);
    ratios.push_back(ratio);
    sameThreads.push_back(same);
  }
  std::sort(ratios.begin(), ratios.end());
  std::sort(sameThreads.begin(), sameThreads.end());
  std::fprintf(stderr, "engine benchmark: realistic runs %.2f %.2f %.2f (same threads %.2f %.2f %.2f)\n",
               ratios[0], ratios[1], ratios[2], sameThreads[0], sameThreads[1], sameThreads[2]);
  std::printf("engine_cpu_per_second: %.3f\n", easyCpu / seconds);
  std::printf("floor_cpu_per_second: %.3f\n", easyFloorCpu / seconds);
  std::printf("cpu_ratio_vs_decode_floor: %.2f\n", ratios[1]);
  std::printf("cpu_ratio_vs_decode_floor_same_threads: %.2f\n", sameThreads[1]);
  std::printf("cpu_ratio_vs_decode_floor_easy_scene: %.2f\n", easyCpu / easyFloorCpu);
  std::printf("open_seconds: %.3f\n", openSeconds);
  std::printf("floor_preroll_seconds: %.3f\n", prerollSeconds);
  std::printf("open_ratio: %.2f\n", openSeconds / prerollSeconds);
  std::printf("peak_rss_mb: %.1f\n", usage.ru_maxrss / 1024.0);
  std::printf("open_max_ui_stall_ms: %.0f\n", stallMs);
  std::printf("open_cold_to_first_frame_seconds: %.3f\n", coldOpenSeconds);
  return 0;
}
