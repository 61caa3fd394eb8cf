#include "player/PictureScaler.h"

#include <algorithm>
#include <cmath>

// The inner loops are also built for AVX2, chosen at run time where the
// processor has it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ZV_HOT_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define ZV_HOT_LOOP
#endif

namespace zv {
namespace {

// Rows are combined with 8-bit weights, columns with 14-bit ones.
constexpr int kRowWeightOne = 256;

// (source sample, weight) pairs of target sample i, source indices clamped
// to the picture's edge.
std::vector<std::pair<int, double>> Contributions(int i, int length, double scale, double shift) {
  std::vector<std::pair<int, double>> out;
  auto add = [&](int j, double w) {
    if (w > 0) out.emplace_back(std::clamp(j, 0, length - 1), w);
  };
  if (scale >= 1) {
    const double from = i * scale + shift, to = from + scale;
    for (int j = static_cast<int>(std::floor(from)); j < to; ++j)
      add(j, (std::min<double>(j + 1, to) - std::max<double>(j, from)) / scale);
  } else {
    const double centre = (i + 0.5) * scale + shift - 0.5;
    const int j = static_cast<int>(std::floor(centre));
    add(j, 1 - (centre - j));
    add(j + 1, centre - j);
  }
  return out;
}

// Adds `weight` × a source row to the 8.8 fixed-point column values (or
// sets them, for the first row). Sixteen bits suffice: the weights of a
// target row add up to 256.
ZV_HOT_LOOP void AddRow(uint16_t* __restrict columns, const uint8_t* __restrict src, int width, int step, uint16_t weight,
            bool add) {
  if (step != 1) {
    for (int x = 0; x < width; ++x) columns[x] = static_cast<uint16_t>((add ? columns[x] : 0) + weight * src[x * step]);
  } else if (add) {
    for (int x = 0; x < width; ++x) columns[x] = static_cast<uint16_t>(columns[x] + weight * src[x]);
  } else {
    for (int x = 0; x < width; ++x) columns[x] = static_cast<uint16_t>(weight * src[x]);
  }
}

// Target samples from the combined columns. `Taps` fixes the tap count at
// compile time for the common counts (0: any count).
template <int Taps>
void FilterColumns(const uint16_t* columns, const ResampleAxis& axis, int targetWidth, uint16_t* out) {
  const int taps = Taps ? Taps : axis.Taps();
  for (int i = 0; i < targetWidth; ++i) {
    const uint16_t* c = columns + axis.First(i);
    const uint16_t* w = axis.Weights(i);
    uint32_t sum = ResampleAxis::kOne / 2;
    for (int t = 0; t < taps; ++t) sum += uint32_t(w[t]) * c[t];
    out[i] = static_cast<uint16_t>(sum >> 14);
  }
}

// The colour map for 8.8 fixed-point samples, with the offsets folded into
// a bias (and half a level, so that truncation rounds).
struct RowColourMap {
  explicit RowColourMap(const ColourMatrix& colours) {
    for (int i = 0; i < 3; ++i) {
      bias[i] = 0.5f;
      for (int j = 0; j < 3; ++j) {
        m[i][j] = colours.matrix[i][j] / 256.0f;
        bias[i] -= colours.matrix[i][j] * colours.offset[j];
      }
    }
  }
  float m[3][3];
  float bias[3];
};

inline uint32_t ToByte(float v) { return static_cast<uint32_t>(static_cast<int>(std::min(std::max(v, 0.0f), 255.0f))); }

// Plain float arithmetic, which the vectoriser turns into whole-register
// operations.
ZV_HOT_LOOP void ConvertRow(const RowColourMap& k, const uint16_t* __restrict c0, const uint16_t* __restrict c1,
                            const uint16_t* __restrict c2, uint32_t* __restrict out, int width) {
  const float m00 = k.m[0][0], m01 = k.m[0][1], m02 = k.m[0][2], m10 = k.m[1][0], m11 = k.m[1][1],
              m12 = k.m[1][2], m20 = k.m[2][0], m21 = k.m[2][1], m22 = k.m[2][2];
  const float b0 = k.bias[0], b1 = k.bias[1], b2 = k.bias[2];
  for (int x = 0; x < width; ++x) {
    const float y = c0[x], u = c1[x], v = c2[x];
    out[x] = 0xFF000000u | ToByte(m00 * y + m01 * u + m02 * v + b0) << 16 |
             ToByte(m10 * y + m11 * u + m12 * v + b1) << 8 | ToByte(m20 * y + m21 * u + m22 * v + b2);
  }
}

}  // namespace

ResampleAxis::ResampleAxis(int sourceLength, int targetLength, double scale, double shift, int one) {
  std::vector<std::vector<std::pair<int, double>>> all;
  for (int i = 0; i < targetLength; ++i) {
    all.push_back(Contributions(i, sourceLength, scale, shift));
    const auto [lo, hi] = std::minmax_element(all.back().begin(), all.back().end());
    taps_ = std::max(taps_, hi->first - lo->first + 1);
  }
  first_.resize(static_cast<std::size_t>(targetLength));
  weights_.assign(static_cast<std::size_t>(targetLength) * taps_, 0);
  for (int i = 0; i < targetLength; ++i) {
    int first = sourceLength;
    for (const auto& [j, w] : all[i]) first = std::min(first, j);
    first = std::min(first, sourceLength - taps_);
    first_[i] = first;
    uint16_t* weights = &weights_[static_cast<std::size_t>(i) * taps_];
    double total = 0;
    for (const auto& [j, w] : all[i]) total += w;
    // Whole-number weights that add up to exactly kOne.
    int given = 0, largest = 0;
    for (const auto& [j, w] : all[i]) {
      const int k = j - first;
      const int add = static_cast<int>(std::lround(w / total * one));
      weights[k] = static_cast<uint16_t>(weights[k] + add);
      given += add;
      if (weights[k] > weights[largest]) largest = k;
    }
    weights[largest] = static_cast<uint16_t>(weights[largest] + one - given);
  }
}

void PictureScaler::PrepareAxes(const PlanarPicture& picture, int width, int height) {
  const std::array<int, 10> shape{picture.width, picture.height, width, height,
                                  picture.channels[1].width, picture.channels[1].height,
                                  static_cast<int>(picture.channels[1].shiftX * 4),
                                  static_cast<int>(picture.channels[1].shiftY * 4), picture.channels[0].width,
                                  picture.channels[0].height};
  if (shape == shape_ && !rows_[0].empty()) return;
  shape_ = shape;
  std::size_t widest = 0;
  for (int c = 0; c < 3; ++c) {
    const ChannelPlane& p = picture.channels[c];
    const double sx = double(picture.width) / width / p.subsampleX;
    const double sy = double(picture.height) / height / p.subsampleY;
    axes_[c] = {ResampleAxis(p.width, width, sx, p.shiftX, ResampleAxis::kOne),
                ResampleAxis(p.height, height, sy, p.shiftY, kRowWeightOne)};
    rows_[c].assign(static_cast<std::size_t>(width), 0);
    widest = std::max(widest, static_cast<std::size_t>(p.width));
  }
  columns_.assign(widest, 0);
}

// Target row `row` of one channel, as 8.8 fixed-point samples: first the
// source rows are combined column by column, then the columns.
void PictureScaler::ScaleRow(const ChannelPlane& plane, const Axes& axes, int row, uint16_t* out) {
  uint16_t* columns = columns_.data();
  const int first = axes.y.First(row);
  const uint16_t* wy = axes.y.Weights(row);
  bool started = false;
  for (int t = 0; t < axes.y.Taps(); ++t) {
    if (wy[t] == 0) continue;
    const uint8_t* src = plane.data + static_cast<std::ptrdiff_t>(first + t) * plane.stride;
    AddRow(columns, src, plane.width, plane.step, wy[t], started);
    started = true;
  }
  const int targetWidth = static_cast<int>(rows_[0].size());
  switch (axes.x.Taps()) {
    case 1: return FilterColumns<1>(columns, axes.x, targetWidth, out);
    case 2: return FilterColumns<2>(columns, axes.x, targetWidth, out);
    case 3: return FilterColumns<3>(columns, axes.x, targetWidth, out);
    case 4: return FilterColumns<4>(columns, axes.x, targetWidth, out);
    case 5: return FilterColumns<5>(columns, axes.x, targetWidth, out);
    case 6: return FilterColumns<6>(columns, axes.x, targetWidth, out);
    case 7: return FilterColumns<7>(columns, axes.x, targetWidth, out);
    case 8: return FilterColumns<8>(columns, axes.x, targetWidth, out);
    default: return FilterColumns<0>(columns, axes.x, targetWidth, out);
  }
}

void PictureScaler::Scale(const PlanarPicture& picture, uint32_t* target, int width, int height, int strideBytes) {
  if (width <= 0 || height <= 0 || picture.width <= 0 || picture.height <= 0) return;
  PrepareAxes(picture, width, height);
  const RowColourMap colours(picture.colours);
  for (int y = 0; y < height; ++y) {
    for (int c = 0; c < 3; ++c) ScaleRow(picture.channels[c], axes_[c], y, rows_[c].data());
    auto* out = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(target) + static_cast<std::ptrdiff_t>(y) * strideBytes);
    ConvertRow(colours, rows_[0].data(), rows_[1].data(), rows_[2].data(), out, width);
  }
}

}  // namespace zv
