// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace zv {

// How a stream's three channels encode colour, as its caps describe it.
enum class YuvMatrix { Rgb, Bt601, Bt709, Bt2020, Smpte240m, Fcc };

// The affine map from a stream's code values (0 .. 255 in each channel: Y,
// U, V, or R, G, B) to display R, G, B (0 .. 255, to be clamped):
// rgb[i] = sum over j of matrix[i][j] × (code[j] − offset[j]).
struct ColourMatrix {
  std::array<std::array<float, 3>, 3> matrix{};
  std::array<float, 3> offset{};

  // The colour of one code triple, unclamped.
  std::array<float, 3> Apply(float c0, float c1, float c2) const;
};

// The map for `matrix` with full-range (0 .. 255) or limited-range (luma 16
// .. 235, chroma 16 .. 240) code values. An RGB stream maps its channels
// as they are (limited range stretched to full).
ColourMatrix YuvToRgb(YuvMatrix matrix, bool fullRange);

}  // namespace zv
