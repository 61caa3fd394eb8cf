// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zv {

// A local date and time down to the millisecond.
struct LocalMoment {
  int year = 1970, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The local time now.
LocalMoment LocalMomentNow();

// The folder snapshots go to: the save folder with one "/" always added.
std::string CaptureFolderOf(const std::string& saveFolder);

// The recording name as the snapshot names use it: empty when shorter than
// 4 characters, otherwise cut at its last "." unless it has none or its only
// "." is its first character.
std::string SnapshotStem(const std::string& recordingName);

// "2013-05-07-14h03m09s042".
std::string SnapshotTimeStamp(const LocalMoment& moment);

struct SnapshotFileNames {
  std::string channel1;
  std::string channel2;
};

// The two JPEG names of one capture: capture folder + stem + "-" + time stamp
// + "(Track1).jpg" / "(Track2).jpg". The capture folder already ends in "/",
// so no second separator is put in front of the stem.
SnapshotFileNames MakeSnapshotFileNames(const std::string& saveFolder,
                                        const std::string& recordingName,
                                        const LocalMoment& moment);

}  // namespace zv
