// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "sensors/GsensorEvents.h"

namespace zv {
namespace {

// Ten samples a second of a sensor mounted at a tilt (resting at 20, -5, 60
// raw units), with knocks added at the given times.
std::vector<CGSensorData> Drive(std::initializer_list<std::pair<uint32_t, int>> knocks) {
  std::vector<CGSensorData> samples;
  for (uint32_t t = 0; t < 20'000; t += 100) {
    CGSensorData s{20 + static_cast<int>(t / 100 % 3) - 1, -5, 60, t};
    for (const auto& [at, strength] : knocks)
      if (t >= at && t < at + 300) s.x += strength * static_cast<int>(300 - (t - at)) / 300;  // dies away
    samples.push_back(s);
  }
  return samples;
}

TEST(GsensorEventsTest, TheTiltIsNoEventAndEachKnockIsOneAtItsPeak) {
  EXPECT_TRUE(FindGsensorEvents(Drive({}), 0.3).empty());
  // 0.5 g is 32 raw units: a knock of 64 is one, a bump of 16 is not.
  EXPECT_EQ(FindGsensorEvents(Drive({{5'000, 64}, {9'000, 16}, {15'000, -80}}), 0.5),
            (std::vector<uint32_t>{5'000, 15'000}));
  // Two knocks within a second are one event; two seconds apart, two.
  EXPECT_EQ(FindGsensorEvents(Drive({{5'000, 40}, {5'600, 64}}), 0.5), (std::vector<uint32_t>{5'600}));
  EXPECT_EQ(FindGsensorEvents(Drive({{5'000, 64}, {7'000, 64}}), 0.5), (std::vector<uint32_t>{5'000, 7'000}));
  EXPECT_TRUE(FindGsensorEvents(Drive({{5'000, 64}}), 0).empty());
  EXPECT_TRUE(FindGsensorEvents({}, 0.5).empty());
}

}  // namespace
}  // namespace zv
