// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PictureSimilarity.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zv {
namespace {

constexpr int kRadius = 5;  // an 11 × 11 window
constexpr double kC1 = (0.01 * 255) * (0.01 * 255);
constexpr double kC2 = (0.03 * 255) * (0.03 * 255);

std::array<double, 2 * kRadius + 1> GaussianWindow() {
  std::array<double, 2 * kRadius + 1> w{};
  double sum = 0;
  for (int i = -kRadius; i <= kRadius; ++i) sum += w[i + kRadius] = std::exp(-(i * i) / (2 * 1.5 * 1.5));
  for (double& v : w) v /= sum;
  return w;
}

// The Gaussian-weighted mean of `value(x, y)` over every window that fits,
// as a plane of (width - 10) × (height - 10) means.
template <typename Value>
std::vector<double> WindowMeans(int width, int height, Value value) {
  static const auto w = GaussianWindow();
  const int ow = width - 2 * kRadius, oh = height - 2 * kRadius;
  std::vector<double> rows(static_cast<size_t>(ow) * height), out(static_cast<size_t>(ow) * oh);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < ow; ++x) {
      double s = 0;
      for (int i = 0; i <= 2 * kRadius; ++i) s += w[i] * value(x + i, y);
      rows[static_cast<size_t>(y) * ow + x] = s;
    }
  for (int y = 0; y < oh; ++y)
    for (int x = 0; x < ow; ++x) {
      double s = 0;
      for (int i = 0; i <= 2 * kRadius; ++i) s += w[i] * rows[static_cast<size_t>(y + i) * ow + x];
      out[static_cast<size_t>(y) * ow + x] = s;
    }
  return out;
}

// The weights of the source samples that target sample `i` covers on one
// axis, as (first source sample, weights).
std::pair<int, std::vector<double>> Coverage(int i, double scale, int length) {
  const double from = i * scale, to = (i + 1) * scale;
  const int first = static_cast<int>(std::floor(from));
  std::vector<double> weights;
  for (int j = first; j < to && j < length; ++j)
    weights.push_back((std::min<double>(j + 1, to) - std::max<double>(j, from)) / scale);
  return {first, weights};
}

}  // namespace

double StructuralSimilarity(const SamplePlane& a, const SamplePlane& b) {
  if (a.width != b.width || a.height != b.height || a.width <= 2 * kRadius || a.height <= 2 * kRadius) return -1;
  const int w = a.width, h = a.height;
  const auto ma = WindowMeans(w, h, [&](int x, int y) { return double(a.At(x, y)); });
  const auto mb = WindowMeans(w, h, [&](int x, int y) { return double(b.At(x, y)); });
  const auto aa = WindowMeans(w, h, [&](int x, int y) { return double(a.At(x, y)) * a.At(x, y); });
  const auto bb = WindowMeans(w, h, [&](int x, int y) { return double(b.At(x, y)) * b.At(x, y); });
  const auto ab = WindowMeans(w, h, [&](int x, int y) { return double(a.At(x, y)) * b.At(x, y); });
  double total = 0;
  for (size_t i = 0; i < ma.size(); ++i) {
    const double va = aa[i] - ma[i] * ma[i], vb = bb[i] - mb[i] * mb[i], cov = ab[i] - ma[i] * mb[i];
    total += (2 * ma[i] * mb[i] + kC1) * (2 * cov + kC2) /
             ((ma[i] * ma[i] + mb[i] * mb[i] + kC1) * (va + vb + kC2));
  }
  return total / static_cast<double>(ma.size());
}

SamplePlane AreaAverage(const SamplePlane& source, int width, int height) {
  SamplePlane out(width, height);
  const double sx = double(source.width) / width, sy = double(source.height) / height;
  for (int y = 0; y < height; ++y) {
    const auto [fy, wy] = Coverage(y, sy, source.height);
    for (int x = 0; x < width; ++x) {
      const auto [fx, wx] = Coverage(x, sx, source.width);
      double sum = 0;
      for (size_t j = 0; j < wy.size(); ++j)
        for (size_t i = 0; i < wx.size(); ++i)
          sum += wy[j] * wx[i] * source.At(fx + static_cast<int>(i), fy + static_cast<int>(j));
      out.At(x, y) = static_cast<float>(sum);
    }
  }
  return out;
}

}  // namespace zv
