#pragma once

#include <string>

class CVideoPlayer;
class QImage;

namespace zv {

// Writes `image` as a JPEG to `path` through a temporary file in the same
// folder that replaces the target only when complete. False when it could
// not be written.
bool SaveJpegReplacing(const QImage& image, const std::string& path);

// Saves the current picture of channel 1 under `name1` and, when `name2` is
// not empty and the recording has two channels, of channel 2 under `name2`.
// Only with an engine that is running or paused. True only when both
// pictures were taken; a failed write is not reported.
bool SaveChannelImages(CVideoPlayer& player, const std::string& name1, const std::string& name2);

}  // namespace zv
