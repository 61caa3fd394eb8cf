// SPDX-License-Identifier: GPL-3.0-or-later
// The parse filter on a one-hour recording: how long the element's load
// takes, and how fast the viewer's pull of every sensor record through
// "read-record" runs. The recording is synthesized with the AVI writer: dummy
// H.264 access units of realistic count (two channels at 30 fps), AAC
// frames, 10 Hz G-sensor and 1 Hz GPS records.
//
// Then the open of a one-minute recording of realistic size (two channels at
// 10 Mbit/s, RealisticRecording.h), with its index and with idx1 cut off,
// each time with the file's pages dropped from the page cache first:
//   open_bytes_read_ratio   bytes the load reads (counted at its byte
//                           source; the pull reads nothing more), divided by
//                           the file size
//   open_cold_seconds       wall time of the element's load and the pull of
//                           every record
#include <dlfcn.h>
#include <gst/gst.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "AviWriter.h"
#include "RealisticRecording.h"
#include "player/SensorStreamSource.h"
#include "reader/FileByteSource.h"
#include "reader/RecordingReader.h"

namespace {

constexpr int kSeconds = 3600;
constexpr int kFps = 30;

std::vector<uint8_t> AccessUnit(bool idr, size_t payload) {
  std::vector<uint8_t> au{0, 0, 0, 1, static_cast<uint8_t>(idr ? 0x65 : 0x41)};
  au.resize(au.size() + payload, 0x5A);
  return au;
}

bool WriteHourRecording(const std::string& path, size_t& records) {
  zv::mkrec::AviLayout layout;
  layout.front = {64, 64};
  layout.rear = zv::mkrec::AviVideoFormat{64, 64};
  zv::mkrec::AviAudioFormat audio;
  audio.audioSpecificConfig = {0x14, 0x08};
  layout.audio = audio;
  zv::mkrec::AviWriter writer(layout);
  if (!writer.Open(path)) return false;
  std::vector<uint8_t> aac(24, 0x21);
  uint64_t audioFrames = 0;
  records = 0;
  for (int i = 0; i < kSeconds * kFps; ++i) {
    bool key = i % kFps == 0;
    auto front = AccessUnit(key, key ? 400 : 60 + i % 13);
    auto rear = AccessUnit(key, key ? 200 : 30 + i % 7);
    writer.WriteVideo(0, front.data(), front.size(), key);
    uint32_t ms = static_cast<uint32_t>(static_cast<uint64_t>(i) * 1000 / kFps);
    if (i % 3 == 0) {
      uint8_t g[4] = {'M', 0x80, static_cast<uint8_t>(i), 0x7F};
      writer.WriteSensorRecord(ms, g, sizeof g);
      ++records;
    }
    if (i % kFps == 0) {
      std::string gps = "GGPRMC,053019.000,A,3733.9900,N,12658.6800,E,022.4,084.4,230513,,,A*6A";
      writer.WriteSensorRecord(ms, gps.data(), gps.size());
      ++records;
    }
    writer.WriteVideo(1, rear.data(), rear.size(), key);
    for (; audioFrames * 1024 * kFps < static_cast<uint64_t>(i + 1) * 16000; ++audioFrames)
      writer.WriteAudio(aac.data(), aac.size());
  }
  return writer.Close();
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Pulls every record through the element's "read-record"; their count.
size_t PullAll(GstElement* element) {
  size_t pulled = 0;
  for (;;) {
    uint8_t buffer[zv::kSensorRecordBufferSize] = {};
    uint32_t length = zv::kSensorRecordBufferSize, timeMs = 0;
    gint result = -1;
    g_signal_emit_by_name(element, zv::kReadRecordSignal, buffer, &length, &timeMs, &result);
    if (result != zv::kReadRecordOk) return pulled;
    ++pulled;
  }
}

struct OpenFigures {
  double bytesReadRatio = -1;
  double coldSeconds = -1;
  size_t records = 0;
};

// Drops the file's pages, then loads it in a fresh element and pulls every
// record. The bytes read are counted by the reader the element uses.
OpenFigures MeasureOpen(const std::string& path, bool expectIndex) {
  OpenFigures figures;
  zv::RecordingReader reader;
  if (!reader.Open(path) || reader.usedIndex() != expectIndex) {
    std::fprintf(stderr, "%s: %s, index %s\n", path.c_str(), reader.errorMessage(),
                 reader.usedIndex() ? "used" : reader.indexRejection());
    return figures;
  }
  figures.bytesReadRatio = static_cast<double>(reader.loadBytesRead()) / static_cast<double>(reader.fileSize());
  zv::FileByteSource file;
  if (!file.Open(path)) return figures;
  file.DropCachedPages();
  auto* element = GST_ELEMENT(gst_object_ref_sink(gst_element_factory_make(zv::kParseFilterFactory, nullptr)));
  auto start = std::chrono::steady_clock::now();
  gint result = -1;
  g_signal_emit_by_name(element, zv::kLoadSignal, path.c_str(), &result);
  figures.records = result == 0 ? PullAll(element) : 0;
  figures.coldSeconds = Seconds(start);
  gst_object_unref(element);
  if (result != 0) figures.coldSeconds = -1;
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  gst_init(&argc, &argv);
  std::string module = std::string(ZV_BENCH_PROGRAM_DIR) + "/" + zv::kParseFilterModuleName;
  void* handle = dlopen(module.c_str(), RTLD_NOW);
  auto entry = handle ? reinterpret_cast<int32_t (*)()>(dlsym(handle, zv::kParseFilterEntryPoint))
                      : nullptr;
  if (!entry || entry() != 0) {
    std::fprintf(stderr, "cannot register %s\n", module.c_str());
    return 1;
  }
  char folder[] = "/tmp/zv-bench-parse-filter-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  std::string path = std::string(folder) + "/hour.avi";
  size_t expected = 0;
  if (!WriteHourRecording(path, expected)) return 1;

  GstElement* element = gst_element_factory_make(zv::kParseFilterFactory, nullptr);
  gst_object_ref_sink(element);
  auto start = std::chrono::steady_clock::now();
  gint result = -1;
  g_signal_emit_by_name(element, zv::kLoadSignal, path.c_str(), &result);
  double loadSeconds = Seconds(start);
  if (result != 0) return 1;

  start = std::chrono::steady_clock::now();
  size_t pulled = PullAll(element);
  double pullSeconds = Seconds(start);
  struct stat st {};
  stat(path.c_str(), &st);
  auto fileBytes = static_cast<uint64_t>(st.st_size);
  unlink(path.c_str());
  rmdir(folder);
  if (pulled != expected) {
    std::fprintf(stderr, "pulled %zu records of %zu\n", pulled, expected);
    return 1;
  }
  gint64 duration = 0;
  gst_element_query_duration(element, GST_FORMAT_TIME, &duration);
  std::printf("hour_file_megabytes: %.1f\n", static_cast<double>(fileBytes) / 1e6);
  std::printf("hour_file_duration_seconds: %.1f\n", static_cast<double>(duration) / GST_SECOND);
  std::printf("load_seconds: %.3f\n", loadSeconds);
  std::printf("records_per_second: %.0f\n", static_cast<double>(pulled) / pullSeconds);
  gst_object_unref(element);

  const std::string realistic = zv::bench::RealisticRecording(ZV_BENCH_PROGRAM_DIR, ZV_BENCH_DATA_DIR);
  const std::string bare = zv::bench::RealisticRecordingWithoutIndex(ZV_BENCH_PROGRAM_DIR, ZV_BENCH_DATA_DIR);
  if (realistic.empty() || bare.empty()) {
    std::fprintf(stderr, "cannot make the realistic recording\n");
    return 1;
  }
  const OpenFigures indexed = MeasureOpen(realistic, true);
  const OpenFigures scanned = MeasureOpen(bare, false);
  if (indexed.coldSeconds < 0 || scanned.coldSeconds < 0 || indexed.records != scanned.records) return 1;
  struct stat realisticStat {};
  stat(realistic.c_str(), &realisticStat);
  std::printf("realistic_file_megabytes: %.1f\n", static_cast<double>(realisticStat.st_size) / 1e6);
  std::printf("open_bytes_read_ratio: %.4f\n", indexed.bytesReadRatio);
  std::printf("open_cold_seconds: %.3f\n", indexed.coldSeconds);
  std::printf("open_bytes_read_ratio_no_index: %.4f\n", scanned.bytesReadRatio);
  std::printf("open_cold_seconds_no_index: %.3f\n", scanned.coldSeconds);
  return 0;
}
