// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv::test {

// A sensor record as a recording holds it, with the end of its chunk in the
// file (a file cut at or after that offset still holds the whole record).
struct FixtureRecord {
  uint32_t timeMs = 0;
  std::string bytes;
  uint64_t chunkEnd = 0;
};

enum class FixtureAudio { None, Aac, Pcm };

struct FixtureOptions {
  int frontWidth = 320, frontHeight = 180;
  int rearWidth = 160, rearHeight = 90;  // rearWidth 0: one channel
  FixtureAudio audio = FixtureAudio::Aac;
  double seconds = 4;
  int fps = 30;
  // 10 Hz G-sensor and 1 Hz GPS records, put into the movie list after the
  // front frame each belongs to, the index left out; false keeps ffmpeg's
  // file as it is.
  bool sensorRecords = true;
};

struct Fixture {
  std::string path;
  std::vector<FixtureRecord> records;
  uint32_t frontFrames = 0;  // front-video chunks
};

// Writes a recording with ffmpeg (libx264, one key frame a second, no
// B-frames). Empty path on failure.
Fixture MakeRecording(const std::string& folder, const std::string& name,
                      const FixtureOptions& options);

// Writes a recording with the program folder's zv-mkrec, e.g. arguments
// "--front 320x180 --rear 160x90 --seconds 4". Empty on failure.
std::string MakeGeneratedRecording(const std::string& folder, const std::string& name,
                                   const std::string& arguments);

// Runs a shell command; true when it exits with 0.
bool RunCommand(const std::string& command);

}  // namespace zv::test
