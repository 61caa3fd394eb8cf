// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>

#include "library/RecordingLibrary.h"
#include "library/RecordingListRows.h"
#include "library/TripBuilder.h"

namespace zv {
namespace {

// Entries of a card, in list order, with the durations the files would give.
class TripBuilderTest : public ::testing::Test {
 protected:
  void Add(const std::string& name, std::optional<int64_t> durationMs) {
    library_.Add("/card/", name);
    durations_["/card/" + name] = durationMs;
  }
  std::vector<Trip> Trips() {
    rows_ = SortedRowsForKind(library_, AllKinds);
    return BuildTrips(rows_, [&](size_t i) { return durations_[rows_[i].fullPath]; });
  }
  std::vector<std::string> Names(const Trip& trip) const {
    std::vector<std::string> names;
    for (size_t i : trip.members) names.push_back(rows_[i].fileName.substr(4, 15));
    return names;
  }

  RecordingLibrary library_;
  std::map<std::string, std::optional<int64_t>> durations_;
  std::vector<RecordingEntry> rows_;
};

TEST_F(TripBuilderTest, RecordingsThatFollowWithinTwoSecondsJoinAndAGapStartsAnother) {
  Add("REC_20240101_120000_F.AVI", 60'000);
  Add("REC_20240101_120101_F.AVI", 59'500);   // starts 1 s after the first one's end
  Add("REC_20240101_120159_F.AVI", 60'000);   // 1.5 s before the second one's end
  Add("REC_20240101_120302_F.AVI", 60'000);   // 3 s after: a new trip
  const std::vector<Trip> trips = Trips();
  ASSERT_EQ(trips.size(), 2u);
  EXPECT_EQ(Names(trips[0]), (std::vector<std::string>{"20240101_120000", "20240101_120101", "20240101_120159"}));
  EXPECT_EQ(Names(trips[1]), (std::vector<std::string>{"20240101_120302"}));
  EXPECT_EQ(trips[0].endClockMs - trips[0].startClockMs, 179'000);
  EXPECT_EQ(TripOfEntry(trips, 2), &trips[0]);
  // Walking out from one member finds the same trip.
  const DurationOfEntry duration = [&](size_t i) { return durations_[rows_[i].fullPath]; };
  EXPECT_EQ(TripMembersAround(rows_, 1, duration), trips[0].members);
  EXPECT_EQ(TripMembersAround(rows_, 3, duration), trips[1].members);
}

TEST_F(TripBuilderTest, KindsJoinOnlyTheirOwnAndAnEventInsideADriveStaysApart) {
  Add("REC_20240101_120000_F.AVI", 60'000);
  Add("EVT_20240101_120030_F.AVI", 20'000);
  Add("REC_20240101_120100_F.AVI", 60'000);
  Add("PRK_20240101_130000_F.AVI", 30'000);
  Add("MDI_20240101_130030_F.AVI", 30'000);  // both parking kinds share a kind code
  const std::vector<Trip> trips = Trips();
  ASSERT_EQ(trips.size(), 3u);
  EXPECT_EQ(Names(trips[0]), (std::vector<std::string>{"20240101_120000", "20240101_120100"}));
  EXPECT_EQ(Names(trips[1]), (std::vector<std::string>{"20240101_120030"}));
  EXPECT_EQ(trips[1].kind, EventKind);
  EXPECT_EQ(Names(trips[2]).size(), 2u);
  // The event inside the drive is a trip of its own; the drive skips it.
  EXPECT_EQ(TripMembersAround(rows_, 1, [&](size_t i) { return durations_[rows_[i].fullPath]; }),
            std::vector<size_t>{1});
  EXPECT_EQ(TripMembersAround(rows_, 2, [&](size_t i) { return durations_[rows_[i].fullPath]; }),
            (std::vector<size_t>{0, 2}));
}

TEST_F(TripBuilderTest, AnUnknownDurationOrANameWithoutARealTimeEndsTheTrip) {
  Add("REC_20240101_120000_F.AVI", std::nullopt);  // not read yet
  Add("REC_20240101_120100_F.AVI", 60'000);
  Add("REC_20240101_1202xx_F.AVI", 60'000);        // letters where the time goes
  Add("REC_20240101_120300_F.AVI", 60'000);
  const std::vector<Trip> trips = Trips();
  ASSERT_EQ(trips.size(), 4u);
  EXPECT_EQ(trips[2].startClockMs, 0);
  // Once the first duration is known, the first two join.
  durations_["/card/REC_20240101_120000_F.AVI"] = 60'000;
  EXPECT_EQ(Trips().size(), 3u);
}

}  // namespace
}  // namespace zv
