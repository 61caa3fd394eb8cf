// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmarks' recording of realistic size: one minute, front 1920x1080
// and rear 1280x720 at 30 fps, 10 Mbit/s a channel of noisy, detailed
// pictures, AAC sound and the sensor records; made once by zv-mkrec and kept
// in the build's bench-data folder, with a copy whose index is cut off.
#pragma once

#include <string>

namespace zv::bench {

// The recording's path; made when missing. Empty on failure.
std::string RealisticRecording(const std::string& programDir, const std::string& dataDir);
// The same recording with idx1 cut off (the file ends where idx1 began).
std::string RealisticRecordingWithoutIndex(const std::string& programDir, const std::string& dataDir);

}  // namespace zv::bench
