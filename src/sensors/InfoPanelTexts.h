// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace zv {

// The values an information text control shows; the owner writes them and
// the control draws the texts of its mode from them.
struct InfoTextFields {
  int32_t mode = 0;
  bool valuesShown = false;  // mode 2: numbers, or "-"
  int32_t durationMs = 0;    // mode 1
  int32_t positionMs = 0;    // mode 1
  float rate = 1.0f;         // mode 1
  float gx = 0, gy = 0, gz = 0;  // mode 2
  float latitudeDeg = 37.566498f;    // modes 4 and 6
  float longitudeDeg = 126.977966f;  // modes 4 and 6
};

// One text of a mode: where its top-left corner goes, its font size in
// points and its colour as 0xRRGGBB.
struct InfoTextItem {
  QString text;
  int x = 0;
  int y = 0;
  int pointSize = 9;
  uint32_t rgb = 0xFFFFFF;
};

// Modes: 1 playback time and rate, 2 G-sensor X/Y/Z, 3 and 5 the map title,
// 4 and 6 latitude and longitude. Any other mode has no text. Numbers always
// use a point as the decimal separator.
std::vector<InfoTextItem> InfoPanelTexts(const InfoTextFields& fields);

// "MM:SS" of a time in milliseconds; minutes are not limited to two digits.
QString MinutesSecondsText(int32_t ms);

}  // namespace zv
