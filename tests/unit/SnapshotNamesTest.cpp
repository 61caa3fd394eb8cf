// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "output/SnapshotNames.h"

using namespace zv;

TEST(SnapshotNames, NamesJoinFolderStemTimeAndTrack) {
  const LocalMoment moment{2013, 5, 7, 14, 3, 9, 42};
  EXPECT_EQ(SnapshotTimeStamp(moment), "2013-05-07-14h03m09s042");
  const SnapshotFileNames names = MakeSnapshotFileNames("/home/u/Capture", "ABC.AVI", moment);
  EXPECT_EQ(names.channel1, "/home/u/Capture/ABC-2013-05-07-14h03m09s042(Track1).jpg");
  EXPECT_EQ(names.channel2, "/home/u/Capture/ABC-2013-05-07-14h03m09s042(Track2).jpg");
  // The separator is always added, even to an empty folder or one ending in "/".
  EXPECT_EQ(CaptureFolderOf(""), "/");
  EXPECT_EQ(CaptureFolderOf("/tmp/"), "/tmp//");
}

TEST(SnapshotNames, StemCutsAtTheLastDotOnly) {
  EXPECT_EQ(SnapshotStem("REC_20130521_143015_F.AVI"), "REC_20130521_143015_F");
  EXPECT_EQ(SnapshotStem("a.b.c.AVI"), "a.b.c");
  EXPECT_EQ(SnapshotStem("NODOTNAME"), "NODOTNAME");
  EXPECT_EQ(SnapshotStem(".hidden"), ".hidden");
  EXPECT_EQ(SnapshotStem(".a.b"), ".a");
  // Names shorter than 4 characters count as no name.
  EXPECT_EQ(SnapshotStem("A.B"), "");
  EXPECT_EQ(SnapshotStem(""), "");
}

TEST(SnapshotNames, NowIsAValidMoment) {
  const LocalMoment now = LocalMomentNow();
  EXPECT_GE(now.year, 2020);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
  EXPECT_TRUE(now.millisecond >= 0 && now.millisecond <= 999);
}
