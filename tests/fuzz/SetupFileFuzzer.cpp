// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary files to the setup.cfg reader. Every field it takes is in
// its list's range, and what it reads survives a write and a second read.
#include <cstdint>
#include <cstdlib>

#include "FuzzInputFile.h"
#include "config/RecorderSettings.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool InRange(int index, int entries) { return index >= -1 && index < entries; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zv::fuzz::FuzzInputFile file("setup.cfg");
  const std::string& path = file.Write(data, size);
  if (path.empty()) return 0;
  zv::RecorderSettings s;
  Require(zv::ReadSetupFile(path, s));
  Require(InRange(s.sensitivity, 7) && InRange(s.quality, 3) && InRange(s.speakerVolume, 6) &&
          InRange(s.videoChannels, 2) && InRange(s.parkingMode, 2) && InRange(s.parkingTime, 4) &&
          InRange(s.cutOffVoltage, s.cutOffListFilled ? zv::kCutOffEntries : 0) &&
          InRange(s.powerOffTimer, 4) && InRange(s.lcdOffTime, 5));
  Require(zv::WriteSetupFile(path, s));
  zv::RecorderSettings again;
  Require(zv::ReadSetupFile(path, again));
  // An unselected list is written as -1 (or 0 for the lists written as
  // index + 1), which reads back as unselected; the written file has every
  // line, so its cut-off list is filled.
  zv::RecorderSettings expected = s;
  expected.cutOffListFilled = true;
  Require(again == expected);
  return 0;
}
