// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The arithmetic of volume, brightness and rate, shared by the engine and
// the main window.
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

}  // namespace zv
