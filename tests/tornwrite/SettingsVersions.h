// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "config/RecorderClock.h"
#include "config/RecorderSettings.h"
#include "config/ViewerOptions.h"

namespace zv::test {

// One version of the three settings files. The writer child alternates
// between versions 0 and 1; the test compares what it finds with both.
struct SettingsVersion {
  ViewerOptions options;
  RecorderSettings setup;
  RecorderClock clock;
};

SettingsVersion SettingsVersionNumber(int number);

// The three files in `folder`: option.ini, setup.cfg, time.cfg.
std::string OptionsPathIn(const std::string& folder);
std::string SetupPathIn(const std::string& folder);
std::string TimePathIn(const std::string& folder);

// Writes all three through the program's writers; false when one fails.
bool WriteSettingsVersion(const std::string& folder, const SettingsVersion& version);

}  // namespace zv::test
