// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CVideoPlayer;
class QImage;

namespace zv {

// Writes `image` as a JPEG to `path` through a temporary file in the same
// folder that replaces the target only when complete. False, with the reason
// in `error` when given, when it could not be written.
bool SaveJpegReplacing(const QImage& image, const std::string& path, std::string* error = nullptr);

// What SaveChannelImages did.
struct SavedChannelImages {
  bool bothTaken = false;   // both channel pictures were taken
  std::string failedPath;   // the first picture that could not be written; empty when none failed
  std::string error;        // why it could not be written
};

// Saves the current picture of channel 1 under `name1` and, when `name2` is
// not empty and the recording has two channels, of channel 2 under `name2`.
// Only with an engine that is running or paused. A picture that could not be
// written stops the saving and is named in the result.
SavedChannelImages SaveChannelImages(CVideoPlayer& player, const std::string& name1,
                                     const std::string& name2);

}  // namespace zv
