// SPDX-License-Identifier: GPL-3.0-or-later
// The CPU screens' scaler on its own: milliseconds to draw one decoded 4:2:0
// picture (random samples, BT.709) at a screen's size, the mean over 480
// pictures:
//   scaler_ms_1080p_to_360x202       the engine benchmark's front screen
//   scaler_ms_720p_to_360x202        its rear screen
//   scaler_ms_1080p_to_720x405       the picture benchmark's screen
//   scaler_ms_720p_to_1920x1080      a rear picture enlarged to a full-HD
//                                    screen
// each `_cached` (the same picture again and again, so it stays in the
// processor's cache) and `_uncached` (24 pictures in turn, 75 MB for
// full HD, more than the cache holds: a frame the decoder wrote a while ago
// is read from memory, as the screens read theirs).
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "player/PictureScaler.h"

namespace {

struct Picture {
  int width, height, stride;
  std::vector<uint8_t> y, u, v;

  zv::PlanarPicture View() const {
    zv::PlanarPicture p;
    p.width = width;
    p.height = height;
    p.channels[0] = {y.data(), width, height, stride, 1, 0, 1, 1, 0, 0};
    p.channels[1] = {u.data(), width / 2, height / 2, stride / 2, 1, 0, 2, 2, 0.25, 0};
    p.channels[2] = {v.data(), width / 2, height / 2, stride / 2, 1, 0, 2, 2, 0.25, 0};
    p.colours = zv::YuvToRgb(zv::YuvMatrix::Bt709, false);
    return p;
  }
};

std::vector<Picture> RandomPictures(int count, int width, int height) {
  std::mt19937 random(1);
  std::vector<Picture> pictures;
  const int stride = (width + 63) / 64 * 64;  // as decoders align their rows
  for (int i = 0; i < count; ++i) {
    Picture p{width, height, stride, {}, {}, {}};
    p.y.resize(static_cast<size_t>(stride) * height);
    p.u.resize(static_cast<size_t>(stride / 2) * (height / 2));
    p.v.resize(p.u.size());
    for (auto* plane : {&p.y, &p.u, &p.v})
      for (auto& sample : *plane) sample = static_cast<uint8_t>(random());
    pictures.push_back(std::move(p));
  }
  return pictures;
}

// Mean milliseconds per picture, drawing `pictures` in turn (or only the
// first, `cached`).
double MillisecondsPerPicture(const std::vector<Picture>& pictures, int width, int height, bool cached) {
  std::vector<uint32_t> target(static_cast<size_t>(width) * height);
  zv::PictureScaler scaler;
  scaler.Scale(pictures[0].View(), target.data(), width, height, width * 4);  // weights made once
  constexpr int kPictures = 480;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kPictures; ++i) {
    const Picture& p = pictures[cached ? 0 : static_cast<size_t>(i) % pictures.size()];
    scaler.Scale(p.View(), target.data(), width, height, width * 4);
  }
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / kPictures;
}

}  // namespace

int main() {
  const std::vector<Picture> fullHd = RandomPictures(24, 1920, 1080), hd = RandomPictures(24, 1280, 720);
  struct Case {
    const char* name;
    const std::vector<Picture>& pictures;
    int width, height;
  };
  for (const Case& c : {Case{"1080p_to_360x202", fullHd, 360, 202}, Case{"720p_to_360x202", hd, 360, 202},
                        Case{"1080p_to_720x405", fullHd, 720, 405}, Case{"720p_to_1920x1080", hd, 1920, 1080}}) {
    std::printf("scaler_ms_%s_cached: %.3f\n", c.name, MillisecondsPerPicture(c.pictures, c.width, c.height, true));
    std::printf("scaler_ms_%s_uncached: %.3f\n", c.name, MillisecondsPerPicture(c.pictures, c.width, c.height, false));
  }
  return 0;
}
