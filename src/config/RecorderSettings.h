// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zv {

// The recorder's settings as setup.cfg holds them: for each list the index of
// its selected entry (-1 when nothing is selected), and the two check states.
// The settings dialog copies its controls into this record and back.
struct RecorderSettings {
  int sensitivity = -1;        // G-sensor sensitivity, 0-6
  int quality = -1;            // recording quality, 0-2 (written as index + 1)
  bool recordAudio = false;    // record audio
  int speakerVolume = -1;      // speaker volume, 0-5
  int videoChannels = -1;      // front only / front and rear, 0-1 (index + 1)
  int parkingMode = -1;        // parking mode, 0-1 (index + 1)
  int parkingTime = -1;        // parking mode entry time, 0-3
  bool truckBattery = false;   // 24 V battery; false is a 12 V car battery
  int cutOffVoltage = -1;      // battery cut-off voltage, 0-4
  int powerOffTimer = -1;      // power-off timer, 0-3 (index + 1)
  int lcdOffTime = -1;         // LCD off time, 0-4

  // Whether the cut-off list holds the five entries of the battery type.
  // It is empty until a file is read or a battery type is chosen, and a
  // cut-off index is only taken while it is filled.
  bool cutOffListFilled = false;

  bool operator==(const RecorderSettings&) const = default;
};

// The number of entries in the cut-off voltage list once it is filled.
inline constexpr int kCutOffEntries = 5;

// Reads setup.cfg into `settings`. Lines are taken by position (the fourth
// line is the first field), each in parts of at most 255 characters; reading
// stops at the end of the file or at the first line of 26 characters or fewer,
// counting its line end as one character. A value is the text from column 26,
// read as a leading decimal integer; a value out of its field's range leaves
// that field unchanged. Reading the battery type refills the cut-off list,
// which drops its selection. False, with `settings` unchanged, when the file
// cannot be opened.
bool ReadSetupFile(const std::string& path, RecorderSettings& settings);

// The text of setup.cfg: fourteen labelled lines, each ending in CR LF.
std::string SetupFileText(const RecorderSettings& settings);

// Writes setup.cfg through a temporary file in the same folder and a rename,
// so a failed write leaves an existing file as it was.
bool WriteSetupFile(const std::string& path, const RecorderSettings& settings,
                    std::string* error = nullptr);

}  // namespace zv
