// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ClipExportPlan.h"

#include <algorithm>

#include "reader/Recording.h"

namespace zv {
namespace {

constexpr uint64_t kNsPerMs = 1'000'000;

// Index of the first chunk whose time is at or after `ns` (the count when
// none is).
size_t FirstChunkAtOrAfter(const std::vector<MediaChunk>& chunks, uint64_t ns) {
  return static_cast<size_t>(
      std::lower_bound(chunks.begin(), chunks.end(), ns, [](const MediaChunk& c, uint64_t t) { return c.timeNs < t; }) -
      chunks.begin());
}

int Even(int value) { return value & ~1; }

}  // namespace

bool ClipExportPlan::Make(const Recording& recording, const ClipRequest& request, ClipExportPlan& plan,
                          std::string& error) {
  if (recording.video.empty() || recording.video[0].chunks.empty()) {
    error = "the recording has no front-video frame";
    return false;
  }
  if (request.channels != ClipChannels::Front && recording.video.size() < 2) {
    error = "the recording has no rear channel";
    return false;
  }
  const VideoStream& front = recording.video[0];
  const VideoStream& shown = request.channels == ClipChannels::Rear ? recording.video[1] : front;
  plan = {};
  plan.channels = request.channels;
  plan.burnInData = request.burnInData;
  // Only H.264 is copied as it is; pictures in any other codec are decoded
  // and encoded again.
  const bool copy = request.channels != ClipChannels::SideBySide && !request.burnInData && shown.codec == VideoCodec::H264;
  plan.video = copy ? Video::Copy : Video::Encode;
  plan.fpsNum = static_cast<int>(front.rate);
  plan.fpsDen = static_cast<int>(front.scale);

  const std::vector<MediaChunk>& frames = front.chunks;
  size_t first = FirstChunkAtOrAfter(frames, static_cast<uint64_t>(std::max<int64_t>(request.startMs, 0)) * kNsPerMs);
  const size_t end = FirstChunkAtOrAfter(frames, static_cast<uint64_t>(std::max<int64_t>(request.endMs, 0)) * kNsPerMs);
  if (plan.video == Video::Copy) {
    const std::vector<MediaChunk>& copied = shown.chunks;
    size_t key = std::min(FirstChunkAtOrAfter(copied, frames[std::min(first, frames.size() - 1)].timeNs),
                          copied.size() - 1);
    while (key > 0 && !copied[key].keyFrame) --key;
    first = std::min(first, FirstChunkAtOrAfter(frames, copied[key].timeNs));
  }
  if (first >= end) {
    error = "the range holds no whole frame";
    return false;
  }
  plan.startNs = frames[first].timeNs;
  plan.stopNs = end < frames.size() ? frames[end].timeNs : recording.durationNs;
  plan.frames = static_cast<int>(end - first);

  plan.height = Even(static_cast<int>(shown.height));
  plan.width = Even(static_cast<int>(shown.width));
  if (request.channels == ClipChannels::SideBySide) {
    const VideoStream& rear = recording.video[1];
    plan.rearWidth = Even(static_cast<int>(static_cast<int64_t>(rear.width) * plan.height / std::max(1u, rear.height)));
    plan.width += plan.rearWidth;
  }
  if (request.withSound && recording.audio) {
    const bool copyAac = plan.video == Video::Copy && recording.audio->codec == AudioCodec::Aac;
    plan.audio = copyAac ? Audio::CopyAac : Audio::Encode;
  }
  return true;
}

}  // namespace zv
