// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "player/ColourMatrix.h"
#include "player/PictureScaler.h"
#include "player/PictureSimilarity.h"

namespace zv {
namespace {

void ExpectColour(const ColourMatrix& m, std::array<float, 3> code, std::array<int, 3> rgb) {
  const auto out = m.Apply(code[0], code[1], code[2]);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(out[i], rgb[i], 2.0) << code[0] << " " << code[1] << " " << code[2];
}

// Published code values of the primaries and of black and white.
TEST(ColourMatrixTest, KnownColoursOfEachMatrixAndRange) {
  const ColourMatrix sd = YuvToRgb(YuvMatrix::Bt601, false), hd = YuvToRgb(YuvMatrix::Bt709, false);
  for (const ColourMatrix& m : {sd, hd}) {
    ExpectColour(m, {16, 128, 128}, {0, 0, 0});
    ExpectColour(m, {235, 128, 128}, {255, 255, 255});
  }
  ExpectColour(sd, {81, 90, 240}, {255, 0, 0});
  ExpectColour(sd, {145, 54, 34}, {0, 255, 0});
  ExpectColour(sd, {41, 240, 110}, {0, 0, 255});
  ExpectColour(hd, {63, 102, 240}, {255, 0, 0});
  ExpectColour(hd, {173, 42, 26}, {0, 255, 0});
  ExpectColour(hd, {32, 240, 118}, {0, 0, 255});
  // Full range (as JPEG pictures): black and white at the ends of the scale.
  const ColourMatrix jpeg = YuvToRgb(YuvMatrix::Bt601, true);
  ExpectColour(jpeg, {0, 128, 128}, {0, 0, 0});
  ExpectColour(jpeg, {255, 128, 128}, {255, 255, 255});
  ExpectColour(jpeg, {76, 85, 255}, {255, 0, 0});
  ExpectColour(YuvToRgb(YuvMatrix::Rgb, true), {10, 20, 30}, {10, 20, 30});
  ExpectColour(YuvToRgb(YuvMatrix::Rgb, false), {16, 235, 126}, {0, 255, 128});
}

struct TestPlane {
  int width, height;
  std::vector<uint8_t> bytes;
  ChannelPlane View(int step = 1, int offset = 0) const {
    ChannelPlane p;
    p.data = bytes.data() + offset;
    p.width = width;
    p.height = height;
    p.stride = width * step;
    p.step = step;
    p.component = offset;
    return p;
  }
};

TestPlane RandomPlane(int w, int h, unsigned seed) {
  std::mt19937 random(seed);
  TestPlane p{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h)};
  for (auto& b : p.bytes) b = static_cast<uint8_t>(random() & 0xFF);
  return p;
}

// Three planes shown as red, green and blue as they are.
std::vector<uint32_t> ScaleRgb(const std::array<ChannelPlane, 3>& planes, int w, int h, int tw, int th) {
  PlanarPicture picture;
  picture.width = w;
  picture.height = h;
  picture.channels = planes;
  picture.colours = YuvToRgb(YuvMatrix::Rgb, true);
  std::vector<uint32_t> out(static_cast<size_t>(tw) * th);
  PictureScaler().Scale(picture, out.data(), tw, th, tw * 4);
  return out;
}

// Small shrinks and shrinks of more than eight samples a pixel (the scaler
// combines up to eight rows in one pass, and filters eight columns at a
// time), from planes of their own and from interleaved samples.
TEST(PictureScalerTest, ShrinkingAveragesTheAreaEachPixelCovers) {
  const TestPlane r = RandomPlane(97, 61, 1), g = RandomPlane(97, 61, 2), b = RandomPlane(97, 61, 3);
  TestPlane rgb{97, 61, {}};
  for (size_t i = 0; i < r.bytes.size(); ++i) rgb.bytes.insert(rgb.bytes.end(), {r.bytes[i], g.bytes[i], b.bytes[i]});
  const TestPlane* planes[3] = {&r, &g, &b};
  for (bool interleaved : {false, true})
    for (auto [tw, th] : {std::pair{40, 25}, {9, 5}}) {
      const auto out = interleaved ? ScaleRgb({rgb.View(3, 0), rgb.View(3, 1), rgb.View(3, 2)}, 97, 61, tw, th)
                                   : ScaleRgb({r.View(), g.View(), b.View()}, 97, 61, tw, th);
      for (int c = 0; c < 3; ++c) {
        SamplePlane source(97, 61);
        for (size_t i = 0; i < source.samples.size(); ++i) source.samples[i] = planes[c]->bytes[i];
        const SamplePlane expected = AreaAverage(source, tw, th);
        for (int y = 0; y < th; ++y)
          for (int x = 0; x < tw; ++x) {
            const int shown = (out[static_cast<size_t>(y) * tw + x] >> (16 - 8 * c)) & 0xFF;
            ASSERT_NEAR(shown, expected.At(x, y), 1.0) << interleaved << " " << tw << " " << c << " " << x << "," << y;
          }
      }
    }
}

TEST(PictureScalerTest, EnlargingInterpolatesBetweenNeighbours) {
  const TestPlane row{2, 1, {0, 200}};
  const auto out = ScaleRgb({row.View(), row.View(), row.View()}, 2, 1, 4, 1);
  EXPECT_EQ(out, (std::vector<uint32_t>{0xFF000000u, 0xFF323232u, 0xFF969696u, 0xFFC8C8C8u}));
}

// A flat red 4:2:0 picture stays red at every size, whether its chroma is
// in planes of its own (I420) or interleaved (NV12), and wherever it is sited.
TEST(PictureScalerTest, SubsampledChromaInPlanesOrInterleaved) {
  const TestPlane luma{16, 8, std::vector<uint8_t>(128, 81)};
  const TestPlane u{8, 4, std::vector<uint8_t>(32, 90)}, v{8, 4, std::vector<uint8_t>(32, 240)};
  TestPlane uv{8, 4, {}};
  for (int i = 0; i < 32; ++i) uv.bytes.insert(uv.bytes.end(), {90, 240});
  for (bool interleaved : {false, true}) {
    PlanarPicture picture;
    picture.width = 16;
    picture.height = 8;
    picture.colours = YuvToRgb(YuvMatrix::Bt601, false);
    picture.channels = {luma.View(), interleaved ? uv.View(2, 0) : u.View(), interleaved ? uv.View(2, 1) : v.View()};
    for (int c = 1; c < 3; ++c) {
      picture.channels[c].subsampleX = picture.channels[c].subsampleY = 2;
      picture.channels[c].shiftX = 0.25;
    }
    PictureScaler scaler;
    for (auto [w, h] : {std::pair{16, 8}, {5, 3}, {40, 21}}) {
      std::vector<uint32_t> out(static_cast<size_t>(w) * h);
      scaler.Scale(picture, out.data(), w, h, w * 4);
      for (uint32_t pixel : out) {
        EXPECT_GE((pixel >> 16) & 0xFF, 253u);
        EXPECT_LE((pixel >> 8) & 0xFF, 2u);
        EXPECT_LE(pixel & 0xFF, 2u);
      }
    }
  }
}

}  // namespace
}  // namespace zv
