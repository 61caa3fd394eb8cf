// SPDX-License-Identifier: GPL-3.0-or-later
// Trips and export on a 60-second recording (front 1920×1080, rear
// 1280×720, 30 fps, AAC), the file in the page cache:
//   duration_read_ms           reading its duration from the file, as the
//                              list does for each recording of a trip
//   gpx_export_ms              writing its GPS track as GPX (read and write)
//   clip_copy_ms_per_minute    copying its front channel to MP4 (no encoding)
//   clip_encode_fps            frames a second of a side-by-side clip with
//                              burned-in data (decoded, composed, encoded)
#include <gst/gst.h>

#include <QGuiApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/StartupEnvironment.h"
#include "library/RecordingDurations.h"
#include "output/ClipExporter.h"
#include "output/ClipOverlayText.h"
#include "output/TrackExport.h"
#include "reader/RecordingReader.h"

namespace {

const QString kRecording = ZV_BENCH_DATA_DIR "/REC_20240101_120000_F.AVI";

bool MakeRecordingOnce() {
  if (QFileInfo::exists(kRecording)) return true;
  QDir().mkpath(ZV_BENCH_DATA_DIR);
  std::fprintf(stderr, "making the 60-second benchmark recording (once)...\n");
  return QProcess::execute(ZV_PROGRAM_DIR "/zv-mkrec", {kRecording, "--seconds", "60", "--front", "1920x1080", "--rear",
                                                        "1280x720", "--fps", "30", "--audio", "aac"}) == 0;
}

// The best of `runs` timings of `work`, in milliseconds.
double BestMs(int runs, const std::function<void()>& work) {
  double best = 1e12;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    work();
    best = std::min(best, timer.nsecsElapsed() / 1e6);
  }
  return best;
}

// Exports and waits in the event loop, as the dialog does; milliseconds.
double ClipMs(const zv::ClipRequest& request, const QString& out) {
  zv::RecordingReader reader;
  zv::ClipExportPlan plan;
  std::string error;
  if (!reader.Open(kRecording.toStdString()) || !zv::ClipExportPlan::Make(reader.recording(), request, plan, error))
    return -1;
  zv::ClipExporter exporter;
  bool ok = false, done = false;
  QObject::connect(&exporter, &zv::ClipExporter::finished, [&](bool result) { ok = result, done = true; });
  QElapsedTimer timer;
  timer.start();
  auto overlay = std::make_shared<zv::ClipOverlayText>(std::nullopt, zv::SensorRecordArray<CGPSData>());
  if (!exporter.Start(kRecording.toStdString(), plan, out, overlay)) return -1;
  while (!done) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return ok ? timer.nsecsElapsed() / 1e6 : -1;
}

}  // namespace

int main(int argc, char** argv) {
  // The burned-in texts are drawn with fonts, which need a GUI application.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  gst_init(&argc, &argv);
  if (!MakeRecordingOnce() || !zv::RegisterParseFilter(ZV_PROGRAM_DIR)) return 1;
  QTemporaryDir out;
  const std::string path = kRecording.toStdString();
  std::printf("duration_read_ms: %.1f\n", BestMs(5, [&] { zv::RecordingDurations::ReadDurationMs(path); }));
  std::printf("gpx_export_ms: %.1f\n",
              BestMs(5, [&] { zv::TrackExport({path}, zv::TrackFormat::Gpx).Write(out.filePath("track.gpx")); }));
  std::printf("clip_copy_ms_per_minute: %.0f\n",
              ClipMs({0, 60000, zv::ClipChannels::Front, true, false}, out.filePath("copy.mp4")));
  const double encodeMs = ClipMs({0, 5000, zv::ClipChannels::SideBySide, true, true}, out.filePath("encode.mp4"));
  std::printf("clip_encode_fps: %.1f\n", encodeMs > 0 ? 150 / (encodeMs / 1000) : 0.0);
  return 0;
}
