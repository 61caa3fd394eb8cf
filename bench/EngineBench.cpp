// The playback engine against GStreamer's own decoding floor, on a 60-second
// recording (front 1920×1080, rear 1280×720, 30 fps, AAC):
//   cpu_ratio_vs_decode_floor  CPU seconds per second of playback of the
//                              engine (both screens painted), divided by those
//                              of gst-launch-1.0 decoding the same streams into
//                              synchronised fake sinks
//   open_ratio                 Open to the first frame on both screens, divided
//                              by gst-launch-1.0's time to preroll the file
//   peak_rss_mb                the engine process's peak resident memory
//   open_max_ui_stall_ms       the longest gap between two ticks of a 10 ms
//                              timer on the window's thread while the viewer
//                              opens the one-minute 10 Mbit/s recording
//                              (RealisticRecording.h) with its pages dropped
//                              from the page cache, in place of a recording
//                              that plays (as the automatic advance does), up
//                              to the first frame on both screens
//   open_cold_to_first_frame_seconds  that open's wall time
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
#include "player/RecordingOpener.h"
#include "reader/FileByteSource.h"
#include "sensors/SensorRecords.h"
#include "skin/CZvScreenCtrl.h"

namespace {

const std::string kRecording = std::string(ZV_BENCH_DATA_DIR) + "/REC_20240101_120000_F.AVI";

double CpuSeconds(const rusage& usage) {
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double SelfCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return CpuSeconds(usage);
}

bool EnsureRecording() {
  if (QFileInfo::exists(QString::fromStdString(kRecording))) return true;
  QDir().mkpath(ZV_BENCH_DATA_DIR);
  std::fprintf(stderr, "making the 60-second benchmark recording (once)...\n");
  const int status = QProcess::execute(ZV_PROGRAM_DIR "/zv-mkrec",
                                       {QString::fromStdString(kRecording), "--seconds", "60", "--front", "1920x1080",
                                        "--rear", "1280x720", "--fps", "30", "--audio", "aac"});
  return status == 0;
}

const char* kFloorPipeline =
    "filesrc location=%s ! avidemux name=d "
    "d.video_0 ! queue ! h264parse ! avdec_h264 ! fakesink sync=true "
    "d.video_1 ! queue ! h264parse ! avdec_h264 ! fakesink sync=true "
    "d.audio_0 ! queue ! aacparse ! avdec_aac ! fakesink sync=true";

std::vector<std::string> FloorArguments(bool verbose) {
  char pipeline[1024];
  std::snprintf(pipeline, sizeof pipeline, kFloorPipeline, kRecording.c_str());
  std::vector<std::string> args{"gst-launch-1.0", "-q"};
  if (verbose) args[1] = "-v";
  for (const QString& part : QProcess::splitCommand(QString::fromUtf8(pipeline))) args.push_back(part.toStdString());
  return args;
}

// CPU seconds of gst-launch-1.0 playing the whole file in real time.
double FloorCpuSeconds() {
  const pid_t child = fork();
  if (child == 0) {
    std::vector<std::string> args = FloorArguments(false);
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
    for (const auto& a : FloorArguments(true)) args << QString::fromStdString(a);
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
// happens, checking `done` every 10 ms.
void RunEvents(const std::function<bool()>& done, int limitMs) {
  QEventLoop loop;
  QTimer check;
  QElapsedTimer timer;
  timer.start();
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (done() || timer.elapsed() >= limitMs) loop.quit();
  });
  check.start(10);
  loop.exec();
}

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
    player.Open(kRecording);
    RunEvents([&] { return !screens.front.CurrentFrame().isNull() && !screens.rear.CurrentFrame().isNull(); }, 10000);
    times.push_back(timer.nsecsElapsed() / 1e9);
  }
  std::sort(times.begin(), times.end());
  return times[2];
}

// CPU seconds of the engine playing the whole file in real time, and the
// playback seconds that took.
std::pair<double, double> EngineCpuSeconds(Screens& screens) {
  CVideoPlayer player;
  player.Init(&screens.front, &screens.rear);
  player.Open(kRecording);
  const double before = SelfCpuSeconds();
  player.Engine()->Run();
  RunEvents([&] {
    int64_t position = 0;
    player.Engine()->GetCurrentPosition(&position);
    return position >= 600000000;  // 60 s
  }, 90000);
  return {SelfCpuSeconds() - before, player.GetDurationMs() / 1000.0};
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
  RunEvents([&] { return opened && !screens.front.CurrentFrame().isNull() && !screens.rear.CurrentFrame().isNull(); },
            30000);
  const double seconds = timer.nsecsElapsed() / 1e9;
  longestGap = std::max(longestGap, sinceTick.elapsed());
  return {static_cast<double>(longestGap), opened ? seconds : -1};
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  if (!zv::RegisterParseFilter(ZV_PROGRAM_DIR) || !EnsureRecording()) {
    std::fprintf(stderr, "engine benchmark: cannot prepare the recording or the parse filter\n");
    return 1;
  }
  const std::string realistic = zv::bench::RealisticRecording(ZV_PROGRAM_DIR, ZV_BENCH_DATA_DIR);
  if (realistic.empty()) {
    std::fprintf(stderr, "engine benchmark: cannot make the realistic recording\n");
    return 1;
  }
  Screens screens;
  const auto [stallMs, coldOpenSeconds] = ColdOpen(screens, kRecording, realistic);
  const double openSeconds = EngineOpenSeconds(screens);
  const auto [engineCpu, seconds] = EngineCpuSeconds(screens);
  const double floorCpu = FloorCpuSeconds();
  const double prerollSeconds = FloorPrerollSeconds();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("engine_cpu_per_second: %.3f\n", engineCpu / seconds);
  std::printf("floor_cpu_per_second: %.3f\n", floorCpu / seconds);
  std::printf("cpu_ratio_vs_decode_floor: %.2f\n", engineCpu / floorCpu);
  std::printf("open_seconds: %.3f\n", openSeconds);
  std::printf("floor_preroll_seconds: %.3f\n", prerollSeconds);
  std::printf("open_ratio: %.2f\n", openSeconds / prerollSeconds);
  std::printf("peak_rss_mb: %.1f\n", usage.ru_maxrss / 1024.0);
  std::printf("open_max_ui_stall_ms: %.0f\n", stallMs);
  std::printf("open_cold_to_first_frame_seconds: %.3f\n", coldOpenSeconds);
  return 0;
}
