// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the recording reader. Beyond the sanitizers'
// checks, whatever the reader accepts must describe only bytes of the input.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "reader/MemoryByteSource.h"
#include "reader/RecordingLoader.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckChunks(const std::vector<zv::MediaChunk>& chunks, size_t size) {
  uint64_t lastTime = 0;
  for (const zv::MediaChunk& c : chunks) {
    Require(c.offset <= size && c.size <= size - c.offset);
    Require(c.timeNs >= lastTime);
    lastTime = c.timeNs;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zv::MemoryByteSource source(data, size);
  zv::Recording rec;
  if (zv::RecordingLoader(source).Load(rec) != zv::ScanError::None) return 0;
  Require(!rec.video.empty() && rec.video.size() <= 2 && !rec.video[0].chunks.empty());
  for (const zv::VideoStream& v : rec.video) CheckChunks(v.chunks, size);
  if (rec.audio) CheckChunks(rec.audio->chunks, size);
  for (const zv::SensorRecord& r : rec.records) {
    Require(r.size >= 1 && r.dataOffset + r.size <= rec.recordBytes.size());
    Require(r.fileOffset + 4 + r.size <= size);
  }
  return 0;
}
