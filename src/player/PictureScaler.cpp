// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PictureScaler.h"

#include <algorithm>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// How far ahead of the row being read AccumulateRow asks for the picture's
// memory: a page, as the processor's own prefetcher stops at page
// boundaries and a decoded picture is rarely still cached. A prefetch never
// faults, so it may point past the picture.
constexpr int kPrefetchAhead = 4096;

// Adds `weight` × a source row (samples `step` bytes apart) to the 8.8
// fixed-point column sums (kFirst: sets them); for the last row of a target
// row, writes the sums as 8.7 to `columns` instead, so that they are signed
// 16-bit values. Sixteen bits suffice: the weights of a target row add up
// to 256. Samples of their own are read 64 at a time, with a prefetch each.
template <bool kFirst, bool kLast>
ZV_HOT_LOOP void AccumulateRow(uint16_t* __restrict sums, int16_t* __restrict columns, const uint8_t* __restrict src,
                               int width, int step, uint16_t weight) {
  auto add = [&](int x, uint8_t sample) {
    const uint16_t sum = static_cast<uint16_t>((kFirst ? 0 : sums[x]) + weight * sample);
    if (kLast)
      columns[x] = static_cast<int16_t>(sum >> 1);
    else
      sums[x] = sum;
  };
  int x = 0;
  if (step == 1)
    for (; x + 64 <= width; x += 64) {
      __builtin_prefetch(src + x + kPrefetchAhead);
      for (int i = x; i < x + 64; ++i) add(i, src[i]);
    }
  for (; x < width; ++x) add(x, src[x * step]);
}

#ifdef __SSE2__
// Lane k of the result: the sum of the four lanes of the k-th vector.
inline __m128i SumLanes(__m128i a, __m128i b, __m128i c, __m128i d) {
  const __m128i ab = _mm_add_epi32(_mm_unpacklo_epi32(a, b), _mm_unpackhi_epi32(a, b));
  const __m128i cd = _mm_add_epi32(_mm_unpacklo_epi32(c, d), _mm_unpackhi_epi32(c, d));
  return _mm_add_epi32(_mm_unpacklo_epi64(ab, cd), _mm_unpackhi_epi64(ab, cd));
}

// The target samples of one row from its combined 8.7 columns, eight at a
// time; each eight taps of a sample are one multiply-add of 16-bit pairs.
// Writes rounded 8.8 values, up to seven past `targetWidth` (the axis is
// padded to whole groups of eight). `groups`: the groups of eight taps of
// each sample; the callers pass a constant for the usual single group, so
// that the weights are read at fixed offsets without a loop.
[[gnu::always_inline]] inline void FilterRowGroups(const int16_t* columns, const ResampleAxis& axis,
                                                   int targetWidth, uint16_t* out, int groups) {
  // Half a level to round, less 32768 so that the sums pack as signed
  // 16-bit values; the xor with the sign bit adds the 32768 back.
  const __m128i bias = _mm_set1_epi32((1 << 12) - (32768 << 13)), sign = _mm_set1_epi16(-32768);
  const auto* weights = reinterpret_cast<const __m128i*>(axis.Weights(0));
  for (int i = 0; i < targetWidth; i += 8, weights += 8 * groups) {
    auto dot = [&](int k) {  // target sample i + k
      const auto* c = reinterpret_cast<const __m128i*>(columns + axis.First(i + k));
      const __m128i* w = weights + k * groups;
      __m128i sum = _mm_madd_epi16(_mm_loadu_si128(c), _mm_loadu_si128(w));
      for (int g = 1; g < groups; ++g)
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_loadu_si128(c + g), _mm_loadu_si128(w + g)));
      return sum;
    };
    auto four = [&](int k) {  // target samples i + k to i + k + 3
      return _mm_srai_epi32(_mm_add_epi32(SumLanes(dot(k), dot(k + 1), dot(k + 2), dot(k + 3)), bias), 13);
    };
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_xor_si128(_mm_packs_epi32(four(0), four(4)), sign));
  }
}

ZV_HOT_LOOP void FilterRow(const int16_t* columns, const ResampleAxis& axis, int targetWidth, uint16_t* out) {
  if (axis.Stride() == 8)
    FilterRowGroups(columns, axis, targetWidth, out, 1);
  else
    FilterRowGroups(columns, axis, targetWidth, out, axis.Stride() / 8);
}

// Eight rows of combined 8.7 columns as one vector per column holding the
// eight rows, one 8 × 8 transpose at a time. Two zero columns follow.
void InterleaveRows(const std::array<int16_t*, 8>& rows, int width, int16_t* out) {
  int x = 0;
  for (; x + 8 <= width; x += 8) {
    __m128i r[8];
    for (int i = 0; i < 8; ++i) r[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[i] + x));
    const __m128i t0 = _mm_unpacklo_epi16(r[0], r[1]), t1 = _mm_unpackhi_epi16(r[0], r[1]);
    const __m128i t2 = _mm_unpacklo_epi16(r[2], r[3]), t3 = _mm_unpackhi_epi16(r[2], r[3]);
    const __m128i t4 = _mm_unpacklo_epi16(r[4], r[5]), t5 = _mm_unpackhi_epi16(r[4], r[5]);
    const __m128i t6 = _mm_unpacklo_epi16(r[6], r[7]), t7 = _mm_unpackhi_epi16(r[6], r[7]);
    const __m128i u[8] = {_mm_unpacklo_epi32(t0, t2), _mm_unpackhi_epi32(t0, t2), _mm_unpacklo_epi32(t1, t3),
                          _mm_unpackhi_epi32(t1, t3), _mm_unpacklo_epi32(t4, t6), _mm_unpackhi_epi32(t4, t6),
                          _mm_unpacklo_epi32(t5, t7), _mm_unpackhi_epi32(t5, t7)};
    auto* column = reinterpret_cast<__m128i*>(out + static_cast<std::ptrdiff_t>(x) * 8);
    for (int k = 0; k < 4; ++k) {
      _mm_storeu_si128(column + 2 * k, _mm_unpacklo_epi64(u[k], u[k + 4]));
      _mm_storeu_si128(column + 2 * k + 1, _mm_unpackhi_epi64(u[k], u[k + 4]));
    }
  }
  for (; x < width; ++x)
    for (int i = 0; i < 8; ++i) out[x * 8 + i] = rows[i][x];
  std::fill(out + static_cast<std::ptrdiff_t>(width) * 8, out + static_cast<std::ptrdiff_t>(width + 2) * 8, 0);
}

// The target samples of eight rows at once from their interleaved columns:
// each pair of taps is one multiply-add of 16-bit pairs. Writes rounded 8.8
// values, row r at out + r × rowStride. Cheaper than FilterRow where a
// sample has two taps (enlarging).
void FilterInterleaved(const int16_t* columns, const ResampleAxis& axis, int targetWidth, uint16_t* out,
                       int rowStride) {
  const auto* c = reinterpret_cast<const __m128i*>(columns);
  const int taps = axis.Taps();
  alignas(16) int32_t v[8];
  for (int i = 0; i < targetWidth; ++i) {
    const __m128i* col = c + axis.First(i);
    const uint16_t* w = axis.Weights(i);
    __m128i lo = _mm_set1_epi32(1 << 12), hi = lo;
    for (int t = 0; t < taps; t += 2) {
      const __m128i a = _mm_loadu_si128(col + t);
      const __m128i b = t + 1 < taps ? _mm_loadu_si128(col + t + 1) : _mm_setzero_si128();
      const __m128i pair = _mm_set1_epi32(static_cast<int>(w[t] | (t + 1 < taps ? uint32_t(w[t + 1]) << 16 : 0)));
      lo = _mm_add_epi32(lo, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), pair));
      hi = _mm_add_epi32(hi, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), pair));
    }
    _mm_store_si128(reinterpret_cast<__m128i*>(v), _mm_srai_epi32(lo, 13));
    _mm_store_si128(reinterpret_cast<__m128i*>(v + 4), _mm_srai_epi32(hi, 13));
    for (int r = 0; r < 8; ++r) out[r * rowStride + i] = static_cast<uint16_t>(v[r]);
  }
}
#else
void FilterRow(const int16_t* columns, const ResampleAxis& axis, int targetWidth, uint16_t* out) {
  for (int i = 0; i < targetWidth; ++i) {
    const int16_t* c = columns + axis.First(i);
    const uint16_t* w = axis.Weights(i);
    int32_t sum = 1 << 12;
    for (int t = 0; t < axis.Taps(); ++t) sum += int32_t(w[t]) * c[t];
    out[i] = static_cast<uint16_t>(sum >> 13);
  }
}
#endif

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

// Truncated, then clamped as a whole number, which gives the same byte as
// clamping first and costs the vectoriser two integer instructions instead
// of two float compares and blends (the values stay far inside int range).
inline uint32_t ToByte(float v) { return static_cast<uint32_t>(std::clamp(static_cast<int>(v), 0, 255)); }

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
  stride_ = (taps_ + 7) / 8 * 8;
  const int padded = (targetLength + 7) / 8 * 8;
  first_.assign(static_cast<std::size_t>(padded), 0);
  weights_.assign(static_cast<std::size_t>(padded) * stride_, 0);
  for (int i = 0; i < targetLength; ++i) {
    int first = sourceLength;
    for (const auto& [j, w] : all[i]) first = std::min(first, j);
    first = std::min(first, sourceLength - taps_);
    first_[i] = first;
    uint16_t* weights = &weights_[static_cast<std::size_t>(i) * stride_];
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
  int taps = 0;
  for (int c = 0; c < 3; ++c) {
    const ChannelPlane& p = picture.channels[c];
    const double sx = double(picture.width) / width / p.subsampleX;
    const double sy = double(picture.height) / height / p.subsampleY;
    axes_[c] = {ResampleAxis(p.width, width, sx, p.shiftX, ResampleAxis::kOne),
                ResampleAxis(p.height, height, sy, p.shiftY, kRowWeightOne)};
    rows_[c].assign(static_cast<std::size_t>(RowStride(width)) * 8, 0);
    widest = std::max(widest, static_cast<std::size_t>(p.width));
    taps = std::max(taps, axes_[c].y.Taps());
  }
  // The filter reads up to seven columns past a plane's last one, with
  // weight zero.
  for (auto& columns : columns_) columns.assign(widest + 8, 0);
  interleaved_.assign((widest + 2) * 8, 0);
  sums_.assign(widest, 0);
  sourceRows_.assign(static_cast<std::size_t>(taps), nullptr);
  sourceWeights_.assign(static_cast<std::size_t>(taps), 0);
}

// The source rows that target row `row` of one channel covers, combined
// column by column into 8.7 fixed-point values.
void PictureScaler::CombineRows(const ChannelPlane& plane, const ResampleAxis& axis, int row, int16_t* columns) {
  const int first = axis.First(row);
  const uint16_t* wy = axis.Weights(row);
  int n = 0;
  for (int t = 0; t < axis.Taps(); ++t) {
    if (wy[t] == 0) continue;
    sourceRows_[n] = plane.data + static_cast<std::ptrdiff_t>(first + t) * plane.stride;
    sourceWeights_[n++] = wy[t];
  }
  // One source row after the other, so that the picture is read in order:
  // a decoded picture is rarely still cached, and the processor fetches one
  // stream ahead far better than the six or seven rows of a target row at
  // once.
  const uint8_t* const* rows = sourceRows_.data();
  const uint16_t* weights = sourceWeights_.data();
  uint16_t* sums = sums_.data();
  const int width = plane.width, step = plane.step;
  if (n == 1) return AccumulateRow<true, true>(sums, columns, rows[0], width, step, weights[0]);
  AccumulateRow<true, false>(sums, columns, rows[0], width, step, weights[0]);
  for (int i = 1; i + 1 < n; ++i) AccumulateRow<false, false>(sums, columns, rows[i], width, step, weights[i]);
  AccumulateRow<false, true>(sums, columns, rows[n - 1], width, step, weights[n - 1]);
}

// Eight target rows of one channel (from `row` on; rows past the picture
// repeat its last row), row r at out + r × RowStride(width).
void PictureScaler::ScaleRows(const ChannelPlane& plane, const Axes& axes, int row, int width, int height,
                              uint16_t* out) {
  if (!InterleavesRows(axes)) {
    for (int r = 0; r < 8; ++r) {
      CombineRows(plane, axes.y, std::min(row + r, height - 1), columns_[0].data());
      FilterRow(columns_[0].data(), axes.x, width, out + r * RowStride(width));
    }
    return;
  }
#ifdef __SSE2__
  std::array<int16_t*, 8> columns{};
  for (int r = 0; r < 8; ++r) {
    columns[r] = columns_[r].data();
    CombineRows(plane, axes.y, std::min(row + r, height - 1), columns[r]);
  }
  InterleaveRows(columns, plane.width, interleaved_.data());
  FilterInterleaved(interleaved_.data(), axes.x, width, out, RowStride(width));
#endif
}

void PictureScaler::Scale(const PlanarPicture& picture, uint32_t* target, int width, int height, int strideBytes) {
  if (width <= 0 || height <= 0 || picture.width <= 0 || picture.height <= 0) return;
  PrepareAxes(picture, width, height);
  const RowColourMap colours(picture.colours);
  for (int y0 = 0; y0 < height; y0 += 8) {
    for (int c = 0; c < 3; ++c) ScaleRows(picture.channels[c], axes_[c], y0, width, height, rows_[c].data());
    for (int r = 0; r < 8 && y0 + r < height; ++r) {
      auto* out = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(target) +
                                              static_cast<std::ptrdiff_t>(y0 + r) * strideBytes);
      const size_t at = static_cast<size_t>(r) * RowStride(width);
      ConvertRow(colours, rows_[0].data() + at, rows_[1].data() + at, rows_[2].data() + at, out, width);
    }
  }
}

}  // namespace zv
