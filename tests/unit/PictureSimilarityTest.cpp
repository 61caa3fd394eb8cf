// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "player/PictureSimilarity.h"

using zv::AreaAverage;
using zv::SamplePlane;
using zv::StructuralSimilarity;

namespace {

SamplePlane Checkerboard(int w, int h, float dark, float light) {
  SamplePlane p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.At(x, y) = (x + y) % 2 ? light : dark;
  return p;
}

SamplePlane WithNoise(SamplePlane p, float amplitude, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> noise(-amplitude, amplitude);
  for (float& v : p.samples) v += noise(random);
  return p;
}

TEST(PictureSimilarityTest, SsimOfKnownPictures) {
  const SamplePlane board = Checkerboard(32, 24, 40, 200);
  EXPECT_DOUBLE_EQ(StructuralSimilarity(board, board), 1.0);
  // Flat pictures differ only in brightness: (2·100·110 + C1) / (100² + 110² + C1).
  EXPECT_NEAR(StructuralSimilarity(SamplePlane(20, 20, 100), SamplePlane(20, 20, 110)), 0.99548, 1e-5);
  // A pattern against its negative.
  EXPECT_LT(StructuralSimilarity(Checkerboard(32, 32, 0, 255), Checkerboard(32, 32, 255, 0)), -0.99);
  // More noise, less similar; the measure is symmetric.
  const SamplePlane slightly = WithNoise(board, 10, 1), badly = WithNoise(board, 60, 2);
  EXPECT_GT(StructuralSimilarity(board, slightly), StructuralSimilarity(board, badly));
  EXPECT_DOUBLE_EQ(StructuralSimilarity(board, badly), StructuralSimilarity(badly, board));
  // Pictures too small for one window, or of different sizes, have no measure.
  EXPECT_EQ(StructuralSimilarity(SamplePlane(10, 40), SamplePlane(10, 40)), -1);
  EXPECT_EQ(StructuralSimilarity(SamplePlane(20, 20), SamplePlane(20, 21)), -1);
}

TEST(PictureSimilarityTest, AreaAverageMeansWhatEachTargetSampleCovers) {
  SamplePlane row(3, 1);
  row.samples = {30, 60, 90};
  // Two samples from three: each covers one and a half source samples.
  const SamplePlane two = AreaAverage(row, 2, 1);
  EXPECT_FLOAT_EQ(two.At(0, 0), (30 + 0.5f * 60) / 1.5f);
  EXPECT_FLOAT_EQ(two.At(1, 0), (0.5f * 60 + 90) / 1.5f);
  // Halving a fine checkerboard leaves flat grey.
  const SamplePlane grey = AreaAverage(Checkerboard(8, 6, 0, 100), 4, 3);
  for (float v : grey.samples) EXPECT_FLOAT_EQ(v, 50);
  // The same size keeps the picture.
  const SamplePlane board = Checkerboard(5, 4, 3, 9);
  EXPECT_EQ(AreaAverage(board, 5, 4).samples, board.samples);
}

}  // namespace
