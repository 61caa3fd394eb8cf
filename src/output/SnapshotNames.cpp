// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SnapshotNames.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace zv {

LocalMoment LocalMomentNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
          local.tm_min,         local.tm_sec,     static_cast<int>(ms)};
}

std::string CaptureFolderOf(const std::string& saveFolder) { return saveFolder + "/"; }

std::string SnapshotStem(const std::string& recordingName) {
  if (recordingName.size() < 4) return {};
  const size_t dot = recordingName.rfind('.');
  if (dot == std::string::npos || dot == 0) return recordingName;
  return recordingName.substr(0, dot);
}

std::string SnapshotTimeStamp(const LocalMoment& m) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d-%02dh%02dm%02ds%03d", m.year, m.month, m.day,
                m.hour, m.minute, m.second, m.millisecond);
  return text;
}

SnapshotFileNames MakeSnapshotFileNames(const std::string& saveFolder,
                                        const std::string& recordingName,
                                        const LocalMoment& moment) {
  const std::string base = CaptureFolderOf(saveFolder) + SnapshotStem(recordingName) + "-" +
                           SnapshotTimeStamp(moment);
  return {base + "(Track1).jpg", base + "(Track2).jpg"};
}

}  // namespace zv
