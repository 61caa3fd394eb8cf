// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "player/ColourMatrix.h"

namespace zv {

// One channel of a decoded picture as it lies in memory: width × height
// samples of one byte, `step` bytes apart within a row (1 for a plane of its
// own, 2 for the interleaved chroma of NV12, 4 for a channel of BGRx), rows
// `stride` bytes apart; `component` says which byte of each `step` bytes
// the channel is (so the bytes from data − component on form the whole
// plane, as a texture would hold it). A subsampled plane covers `subsampleX` ×
// `subsampleY` picture pixels per sample; `shiftX` and `shiftY` (in samples)
// place its samples' centres: 0 for samples centred on the pixels they
// cover, 0.25 for 4:2:0 chroma sited with the left (or top) pixel.
struct ChannelPlane {
  const uint8_t* data = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  int step = 1;
  int component = 0;
  int subsampleX = 1;
  int subsampleY = 1;
  double shiftX = 0;
  double shiftY = 0;
};

// A decoded picture: its size in pixels, its three channels (Y, U, V or
// R, G, B) and how they make colours.
struct PlanarPicture {
  int width = 0;
  int height = 0;
  std::array<ChannelPlane, 3> channels;
  ColourMatrix colours;
};

// The weights of one axis of a resampling: target sample i is the weighted
// sum of Taps() source samples from First(i), the weights adding up to
// `one` (kOne unless said otherwise). Each sample's weights are padded with
// zeros to Stride(), a multiple of eight, and the samples to a multiple of
// eight (the padding samples have no weights).
// Where the target is smaller each target sample averages the source area
// it covers; where it is larger it is interpolated between the two nearest
// source samples (bilinear).
class ResampleAxis {
 public:
  static constexpr int kOne = 1 << 14;

  ResampleAxis() = default;
  // `scale`: source samples per target sample; `shift`: where target edge 0
  // lies in source samples.
  ResampleAxis(int sourceLength, int targetLength, double scale, double shift, int one = kOne);

  int Taps() const { return taps_; }
  int Stride() const { return stride_; }
  int First(int i) const { return first_[static_cast<std::size_t>(i)]; }
  const uint16_t* Weights(int i) const { return &weights_[static_cast<std::size_t>(i) * stride_]; }

 private:
  int taps_ = 0;
  int stride_ = 0;
  std::vector<int> first_;
  std::vector<uint16_t> weights_;
};

// Draws a decoded picture at any size into 32-bit pixels (0xffRRGGBB), with
// area averaging where it shrinks and bilinear interpolation where it
// enlarges, each channel at its own resolution, then converts the colours.
// Keeps its weights and working rows between pictures of the same shape;
// one scaler serves one thread.
class PictureScaler {
 public:
  void Scale(const PlanarPicture& picture, uint32_t* target, int width, int height, int strideBytes);

 private:
  struct Axes {
    ResampleAxis x, y;
  };
  void PrepareAxes(const PlanarPicture& picture, int width, int height);
  void CombineRows(const ChannelPlane& plane, const ResampleAxis& axis, int row, int16_t* columns);
  void ScaleRows(const ChannelPlane& plane, const Axes& axes, int row, int width, int height, uint16_t* out);
  // Where the picture is enlarged (a target sample combines two columns),
  // filtering eight rows at once from their columns interleaved is cheaper
  // than filtering each row on its own; shrinking, even a little, is not.
  static bool InterleavesRows(const Axes& axes) {
#ifdef __SSE2__
    return axes.x.Taps() <= 2;
#else
    return false;
#endif
  }
  // Target rows lie this far apart in rows_: the row filter writes whole
  // groups of eight samples.
  static int RowStride(int width) { return (width + 7) / 8 * 8; }

  std::array<Axes, 3> axes_;
  std::array<int, 10> shape_{};                // what the axes were made for
  std::array<std::vector<int16_t>, 8> columns_;  // the combined source rows of eight target rows
  std::vector<int16_t> interleaved_;             // the same, column by column
  std::vector<uint16_t> sums_;                 // the same while it is summed row by row
  std::vector<const uint8_t*> sourceRows_;     // the rows one target row combines
  std::vector<uint16_t> sourceWeights_;
  std::array<std::vector<uint16_t>, 3> rows_;  // eight target rows of each channel
};

}  // namespace zv
