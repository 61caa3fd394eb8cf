// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace zv {

struct Recording;

// Which pictures a clip shows.
enum class ClipChannels { Front, Rear, SideBySide };

// What the user asks for.
struct ClipRequest {
  int64_t startMs = 0;
  int64_t endMs = 0;
  ClipChannels channels = ClipChannels::Front;
  bool withSound = true;
  bool burnInData = false;  // time, speed and position drawn into the picture
};

// How a clip of a recording is made. One H.264 channel without burned-in
// data is copied as it is (h264parse ! mp4mux, no re-encoding); a copy must start on
// a key frame, so its start moves back to the key frame at or before the
// start asked for. Anything else is decoded, composed and encoded again
// (x264enc) and starts on the frame asked for. Start and stop are the times
// of whole frames of the front channel (the stop is the first frame left
// out), so the clip holds whole frames.
struct ClipExportPlan {
  enum class Video { Copy, Encode };
  enum class Audio { None, CopyAac, Encode };

  Video video = Video::Copy;
  Audio audio = Audio::None;
  ClipChannels channels = ClipChannels::Front;
  bool burnInData = false;
  uint64_t startNs = 0;
  uint64_t stopNs = 0;
  int frames = 0;
  // The size of the clip's picture: the channel's own, or side by side the
  // front and the rear scaled to the front's height.
  int width = 0;
  int height = 0;
  int rearWidth = 0;  // side by side: the width the rear is scaled to
  int fpsNum = 30;
  int fpsDen = 1;

  // The plan for `request` on `recording`; false with a one-line error when
  // it cannot be made (the range holds no frame, the recording has no rear
  // channel).
  static bool Make(const Recording& recording, const ClipRequest& request, ClipExportPlan& plan, std::string& error);
};

}  // namespace zv
