// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

namespace zv {

// One channel of a picture (grey, or one of red, green, blue) as samples
// from 0 to 255, row by row.
struct SamplePlane {
  int width = 0;
  int height = 0;
  std::vector<float> samples;

  SamplePlane() = default;
  SamplePlane(int w, int h, float fill = 0) : width(w), height(h), samples(static_cast<std::size_t>(w) * h, fill) {}
  float& At(int x, int y) { return samples[static_cast<std::size_t>(y) * width + x]; }
  float At(int x, int y) const { return samples[static_cast<std::size_t>(y) * width + x]; }
};

// The structural similarity (SSIM) of two planes of the same size: the mean
// over every 11 × 11 Gaussian window (sigma 1.5) that lies inside the
// picture, with the usual constants for 8-bit samples. 1 for identical
// planes; -1 when no window fits or the sizes differ.
double StructuralSimilarity(const SamplePlane& a, const SamplePlane& b);

// `source` shrunk to `width` × `height` by exact area averaging: each target
// sample is the mean of the source area it covers, partly covered samples
// counting with the part covered. The reference for how a smaller picture
// should look; plain and slow.
SamplePlane AreaAverage(const SamplePlane& source, int width, int height);

}  // namespace zv
