// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace zv {

// What the report shows besides the pictures.
struct ReportValues {
  std::string recordingName;
  uint32_t positionMs = 0;
  int channelCount = 2;
  double latitude = 0, longitude = 0;
  double gx = 0, gy = 0, gz = 0;
};

// One text of a page: top-left corner in device pixels, text size (the font
// is size x 5 device pixels high).
struct ReportText {
  std::string text;
  int x = 0, y = 0;
  int size = 20;
};

struct ReportRect {
  int x = 0, y = 0, width = 0, height = 0;
};

constexpr int kReportPageCount = 2;

// `percent` of `total`, truncated toward zero.
int PercentOf(int total, int percent);

// Pixel height of the report font of text size `size`.
int ReportFontPixelHeight(int size);

// The recording's start time read from the fixed positions of its name
// (year 4-7, month 8-9, day 10-11, hour 13-14, minute 15-16, second 17-18),
// taken as local time. The epoch (0) when the year is before 1900 or the
// fields do not form a valid date and time.
std::time_t ReportStartTime(const std::string& recordingName);

// Start time + whole seconds of the position, as "YYYY-MM-DD hh:mm:ss"
// local time.
std::string ReportHeaderTime(const std::string& recordingName, uint32_t positionMs);

// Every text of page 1 or 2 (header and footer included) on a page of
// pageWidth x pageHeight device pixels.
std::vector<ReportText> ReportPageTexts(int page, int pageWidth, int pageHeight,
                                        const ReportValues& values);

// Where the pictures go on the page.
ReportRect ChannelPictureRect(int channel, int pageWidth, int pageHeight);
ReportRect MapPictureRect(int pageWidth, int pageHeight);

// True when the report has a position to show a map of.
bool ReportHasMapPosition(const ReportValues& values);

}  // namespace zv
