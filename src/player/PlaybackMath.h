// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// The arithmetic of volume, brightness and rate, shared by the engine and
// the main window, and of the engine's decoder threads.
namespace zv {

// Volume in percent (0 .. 100) to hundredths of a decibel:
// 1000 × log10(x + (p / 100) × (1 − x)) with x = 1e-10, truncated.
int32_t VolumeLevelFromPercent(int32_t percent);

// Hundredths of a decibel to the linear factor of the volume element;
// -10000 and below are silence.
double LinearVolumeFromLevel(int32_t level);

// Brightness offset (slider position − 50) to the decoder's brightness value:
// offset × 5.1 in single precision, truncated toward zero.
int32_t BrightnessValueFromOffset(int32_t offset);

// The rate the engine plays at for a requested rate: 1.0 exactly stays,
// anything else is held to 0.5 .. 2.0.
float PlayableRate(float requested);

// How many worker threads each of the video decoders that run side by side
// may use. Every channel already decodes on a streaming thread of its own,
// so a decoder that also starts a frame thread per processor (libav's
// default) oversubscribes the machine two to one, and each frame thread
// holds pictures of its own (some 10 MB per full-HD decoder) and delays
// the first picture after a seek by a frame. The processors are shared out
// in proportion to the channels' picture sizes in pixels (a size of 0,
// unknown, counts as the average of the others), rounded to the nearest
// whole thread and at least one each: a large front picture beside a small
// rear one may get a thread more than its share, so that it can still use
// the processor the rear leaves idle.
std::vector<unsigned> ShareDecoderThreads(unsigned processors, const std::vector<double>& pictureSizes);

}  // namespace zv
