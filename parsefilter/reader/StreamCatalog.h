// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "reader/Recording.h"
#include "reader/ScanError.h"
#include "reader/StreamHeaderParser.h"

namespace zv {

// The streams of a recording as its header list describes them: which ones
// play (the first two video streams are the channels, the first audio stream
// the audio) and which chunk ids belong to which stream. Shared by the index
// reader and the scan, so that both build the same tables.
class StreamCatalog {
 public:
  // Where a stream chunk goes.
  static constexpr int kNotPlayed = -1;
  static constexpr int kAudioSlot = 2;  // 0 and 1 are the video channels

  // Picks the streams from the headers into out.video and out.audio.
  // NoVideoStream when no video stream can be played.
  ScanError Select(const StreamHeaderParser& headers, Recording& out);

  size_t streamCount() const { return kinds_.size(); }
  // The stream number of a stream chunk id ('NNdc', 'NNwb', ...) whose
  // number names a stream of the file, else -1.
  int StreamOf(uint32_t id) const;
  // True when the id's two letters suit its stream's type ('dc'/'db' for
  // video, 'wb' for audio; anything for other stream types).
  bool SuitsItsStream(uint32_t id) const;
  // The slot a chunk with this id fills: 0/1 video channel, kAudioSlot, or
  // kNotPlayed (another stream, a palette change, not a stream chunk).
  int SlotOf(uint32_t id) const;

  // Chunk times and durations, and the recording's duration, from the
  // chunk tables: video by frame index, audio by the samples before it.
  static void AssignTimes(Recording& rec);

  // The largest stream chunk taken as a frame; anything larger is damage.
  static constexpr uint32_t kMaxMediaChunkSize = 32 * 1024 * 1024;

 private:
  enum class Kind { Video, Audio, Other };
  std::vector<Kind> kinds_;
  std::vector<int> slots_;
};

}  // namespace zv
