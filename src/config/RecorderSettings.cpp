// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/RecorderSettings.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "config/AtomicTextFile.h"
#include "config/LeadingInteger.h"
#include "config/LineTrim.h"

namespace zv {

namespace {

// Column where every value of setup.cfg starts: the labels are 26 characters.
constexpr size_t kLabelWidth = 26;

void SelectIndexIfBelow(int& field, int value, int count) {
  if (value >= 0 && value < count) field = value;
}

void SelectIndexPlusOne(int& field, int value, int count) {
  if (value >= 1 && value <= count) field = value - 1;
}

// Applies the value of field `field` (0 is the fourth line of the file).
void ApplyField(int field, int value, RecorderSettings& s) {
  switch (field) {
    case 0: SelectIndexIfBelow(s.sensitivity, value, 7); break;
    case 1: SelectIndexPlusOne(s.quality, value, 3); break;
    case 2: s.recordAudio = value != 0; break;
    case 3: SelectIndexIfBelow(s.speakerVolume, value, 6); break;
    case 4: SelectIndexPlusOne(s.videoChannels, value, 2); break;
    case 5: SelectIndexPlusOne(s.parkingMode, value, 2); break;
    case 6: SelectIndexIfBelow(s.parkingTime, value, 4); break;
    case 7:
      s.truckBattery = value != 0;
      s.cutOffListFilled = true;  // refilled for the battery type: no selection
      s.cutOffVoltage = -1;
      break;
    case 8:
      SelectIndexIfBelow(s.cutOffVoltage, value, s.cutOffListFilled ? kCutOffEntries : 0);
      break;
    case 9: SelectIndexPlusOne(s.powerOffTimer, value, 4); break;
    case 10: SelectIndexIfBelow(s.lcdOffTime, value, 5); break;
    default: break;  // the lines after the last field are ignored
  }
}

// The length of a part as the recorder's text-mode reading counts it: a CR LF
// line end is one character.
size_t TextModeLength(std::string_view part) {
  const bool crlf = part.size() >= 2 && part.substr(part.size() - 2) == "\r\n";
  return crlf ? part.size() - 1 : part.size();
}

}  // namespace

bool ReadSetupFile(const std::string& path, RecorderSettings& settings) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                      &std::fclose);
  if (!file) return false;
  char part[256];
  for (int field = -3; std::fgets(part, sizeof part, file.get()); ++field) {
    const std::string_view line(part, std::strlen(part));
    if (TextModeLength(line) <= kLabelWidth) break;
    const std::string_view value = TrimLineControls(line.substr(kLabelWidth));
    ApplyField(field, LeadingDecimalInteger(value), settings);
  }
  return true;
}

std::string SetupFileText(const RecorderSettings& s) {
  const auto line = [](const char* label, const std::string& value) {
    return std::string(label) + value + "\r\n";
  };
  const auto number = [](int value) { return std::to_string(value); };
  return line("Product Name            : ", "K310") +
         line("H/W Version             : ", "V1.0.0") +
         line("S/W Version             : ", "V0.0.6") +
         line("Acc Trigger Level       : ", number(s.sensitivity)) +
         line("REC Video Qulity        : ", number(s.quality + 1)) +
         line("REC Audio Enable        : ", number(s.recordAudio ? 1 : 0)) +
         line("SPK Vol                 : ", number(s.speakerVolume)) +
         line("Video Channles          : ", number(s.videoChannels + 1)) +
         line("Parking Mode Select     : ", number(s.parkingMode + 1)) +
         line("Parking Mode Time       : ", number(s.parkingTime)) +
         line("Car Battery Volt        : ", number(s.truckBattery ? 1 : 0)) +
         line("Battery CutOff Volt     : ", number(s.cutOffVoltage)) +
         line("Power Off Timer         : ", number(s.powerOffTimer + 1)) +
         line("LCD Off Time            : ", number(s.lcdOffTime));
}

bool WriteSetupFile(const std::string& path, const RecorderSettings& settings, std::string* error) {
  return WriteTextFileAtomically(path, SetupFileText(settings), error);
}

}  // namespace zv
