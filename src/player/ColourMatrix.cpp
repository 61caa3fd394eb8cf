// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/ColourMatrix.h"

namespace zv {
namespace {

struct LumaWeights {
  double kr, kb;
};

LumaWeights WeightsOf(YuvMatrix matrix) {
  switch (matrix) {
    case YuvMatrix::Bt601: return {0.299, 0.114};
    case YuvMatrix::Bt2020: return {0.2627, 0.0593};
    case YuvMatrix::Smpte240m: return {0.212, 0.087};
    case YuvMatrix::Fcc: return {0.30, 0.11};
    case YuvMatrix::Bt709:
    case YuvMatrix::Rgb: break;
  }
  return {0.2126, 0.0722};
}

}  // namespace

std::array<float, 3> ColourMatrix::Apply(float c0, float c1, float c2) const {
  const float d[3] = {c0 - offset[0], c1 - offset[1], c2 - offset[2]};
  std::array<float, 3> rgb{};
  for (int i = 0; i < 3; ++i) rgb[i] = matrix[i][0] * d[0] + matrix[i][1] * d[1] + matrix[i][2] * d[2];
  return rgb;
}

ColourMatrix YuvToRgb(YuvMatrix yuv, bool fullRange) {
  // Code value steps per unit of luma (or R, G, B) and of colour difference.
  const double lumaScale = fullRange ? 1.0 : 255.0 / 219.0;
  const double chromaScale = fullRange ? 1.0 : 255.0 / 224.0;
  const float lumaOffset = fullRange ? 0.0f : 16.0f;
  ColourMatrix m;
  if (yuv == YuvMatrix::Rgb) {
    for (int i = 0; i < 3; ++i) {
      m.matrix[i][i] = static_cast<float>(lumaScale);
      m.offset[i] = lumaOffset;
    }
    return m;
  }
  const auto [kr, kb] = WeightsOf(yuv);
  const double kg = 1 - kr - kb;
  // R = Y + 2(1 − Kr)·Pr, B = Y + 2(1 − Kb)·Pb, G from Y = Kr·R + Kg·G + Kb·B.
  const double rv = 2 * (1 - kr), bu = 2 * (1 - kb);
  const double gu = -bu * kb / kg, gv = -rv * kr / kg;
  const double rows[3][3] = {{1, 0, rv}, {1, gu, gv}, {1, bu, 0}};
  for (int i = 0; i < 3; ++i) {
    m.matrix[i][0] = static_cast<float>(rows[i][0] * lumaScale);
    m.matrix[i][1] = static_cast<float>(rows[i][1] * chromaScale);
    m.matrix[i][2] = static_cast<float>(rows[i][2] * chromaScale);
  }
  m.offset = {lumaOffset, 128.0f, 128.0f};
  return m;
}

}  // namespace zv
