// SPDX-License-Identifier: GPL-3.0-or-later
// Recordings written by other software, made at test time: ffmpeg in every
// codec the player takes, GStreamer's avimux, and zv-mkrec with B-frames.
#pragma once

#include <string>
#include <vector>

// The fixtures' file names, in the order of the report.
std::vector<std::string> WildFixtureNames();
// Makes the fixture `name` in `folder` (two seconds at 30 frames a second);
// its path, or empty when it could not be made.
std::string MakeWildFixture(const std::string& folder, const std::string& name);

// Rewrites a single-part AVI so that each of its audio chunks holds two of
// the original's frames (empty chunks left out), the stream header saying
// so (dwScale doubled), and no index. False when the file is not one.
bool PairAudioFrames(const std::string& in, const std::string& out);
