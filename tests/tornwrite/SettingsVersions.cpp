// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsVersions.h"

namespace zv::test {

SettingsVersion SettingsVersionNumber(int number) {
  SettingsVersion v;
  // Texts of different lengths, so that a file cut short or mixed from both
  // versions cannot pass for either.
  v.options.saveFolder = number == 0 ? "/media/card/snapshots" : "/home/someone/Pictures/CAM_CAPTURE/long";
  v.options.playStep = number == 0 ? 5 : 30;
  v.options.rearMirror = number == 1;
  v.setup = number == 0 ? RecorderSettings{1, 0, false, 2, 0, 0, 1, false, 2, 0, 1, true}
                        : RecorderSettings{6, 2, true, 5, 1, 1, 3, true, 4, 3, 4, true};
  v.clock = number == 0 ? RecorderClock{"2024", "01", "02", "03", "04", "05"}
                        : RecorderClock{"2030", "12", "31", "23", "59", "58"};
  return v;
}

std::string OptionsPathIn(const std::string& folder) { return folder + "/option.ini"; }
std::string SetupPathIn(const std::string& folder) { return folder + "/setup.cfg"; }
std::string TimePathIn(const std::string& folder) { return folder + "/time.cfg"; }

bool WriteSettingsVersion(const std::string& folder, const SettingsVersion& version) {
  return WriteViewerOptions(OptionsPathIn(folder), version.options) &&
         WriteSetupFile(SetupPathIn(folder), version.setup) &&
         WriteTimeFile(TimePathIn(folder), version.clock);
}

}  // namespace zv::test
