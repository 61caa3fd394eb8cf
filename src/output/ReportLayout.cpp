// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ReportLayout.h"

#include <charconv>
#include <cstdio>

#include "config/LeadingInteger.h"

namespace zv {
namespace {

struct PercentText {
  const char* text;
  int xPercent, yPercent, size;
};

// Texts of the pages besides header and footer. A null text is filled in
// from the values.
constexpr PercentText kPage1[] = {
    {"VARNI Viewer Report", 30, 10, 40},
    {"1. 촬영정보", 5, 15, 25},
    {"-촬영이미지", 8, 18, 20},
    {"-채널1", 10, 20, 20},
};
constexpr PercentText kPage1SecondChannel = {"-채널2", 10, 56, 20};

constexpr PercentText kLatitude = {nullptr, 8, 18, 20};
constexpr PercentText kLongitude = {nullptr, 8, 20, 20};
constexpr PercentText kImpact = {nullptr, 8, 56, 20};
constexpr PercentText kPage2[] = {
    {"2. 위치정보", 5, 15, 25},
    {"지도", 8, 22, 20},
    {"3. 충격 정보", 5, 50, 25},
    {"충격 센서값", 8, 53, 20},
};

// A number with eight decimals and a point, as "%.08f" gives it in the C
// locale: printf would follow the program's locale ("37,56650000").
std::string EightDecimals(double value) {
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 8);
  return error == std::errc() ? std::string(text, end) : std::string("nan");
}

int NameField(const std::string& name, size_t first, size_t count) {
  if (first >= name.size()) return 0;
  return LeadingDecimalInteger(std::string_view(name).substr(first, count));
}

class PageTexts {
 public:
  PageTexts(int width, int height) : width_(width), height_(height) {}
  void Add(const PercentText& t, std::string text = {}) {
    texts_.push_back({t.text ? std::string(t.text) : std::move(text), PercentOf(width_, t.xPercent),
                      PercentOf(height_, t.yPercent), t.size});
  }
  std::vector<ReportText> Take() { return std::move(texts_); }

 private:
  int width_, height_;
  std::vector<ReportText> texts_;
};

}  // namespace

int PercentOf(int total, int percent) {
  return static_cast<int>(static_cast<int64_t>(total) * percent / 100);
}

int ReportFontPixelHeight(int size) { return size * 5; }

std::time_t ReportStartTime(const std::string& name) {
  std::tm fields{};
  const int year = NameField(name, 4, 4);
  fields.tm_mon = NameField(name, 8, 2) - 1;
  fields.tm_mday = NameField(name, 10, 2);
  fields.tm_hour = NameField(name, 13, 2);
  fields.tm_min = NameField(name, 15, 2);
  fields.tm_sec = NameField(name, 17, 2);
  const bool valid = year >= 1900 && fields.tm_mon >= 0 && fields.tm_mon <= 11 &&
                     fields.tm_mday >= 1 && fields.tm_mday <= 31 && fields.tm_hour >= 0 &&
                     fields.tm_hour <= 23 && fields.tm_min >= 0 && fields.tm_min <= 59 &&
                     fields.tm_sec >= 0 && fields.tm_sec <= 59;
  if (!valid) return 0;
  fields.tm_year = year - 1900;
  fields.tm_isdst = -1;
  const std::time_t start = std::mktime(&fields);
  return start == static_cast<std::time_t>(-1) ? 0 : start;
}

std::string ReportHeaderTime(const std::string& recordingName, uint32_t positionMs) {
  const std::time_t moment = ReportStartTime(recordingName) + positionMs / 1000;
  std::tm local{};
  localtime_r(&moment, &local);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

std::vector<ReportText> ReportPageTexts(int page, int pageWidth, int pageHeight,
                                        const ReportValues& values) {
  PageTexts texts(pageWidth, pageHeight);
  texts.Add({"VARNI Viewer", 5, 5, 20});
  texts.Add({nullptr, 80, 5, 20}, ReportHeaderTime(values.recordingName, values.positionMs));
  if (page == 1) {
    for (const PercentText& t : kPage1) texts.Add(t);
    if (values.channelCount == 2) texts.Add(kPage1SecondChannel);
  } else {
    for (const PercentText& t : kPage2) texts.Add(t);
    texts.Add(kLatitude, "위도 : " + EightDecimals(values.latitude));
    texts.Add(kLongitude, "경도 : " + EightDecimals(values.longitude));
    texts.Add(kImpact, "충격센서 : X = " + EightDecimals(values.gx) + ", Y = " + EightDecimals(values.gy) +
                           ", Z = " + EightDecimals(values.gz));
  }
  texts.Add({"VARNI Viewer", 5, 95, 20});
  char footer[32];
  std::snprintf(footer, sizeof footer, "Page %d of %d", page, kReportPageCount);
  texts.Add({nullptr, 80, 95, 20}, footer);
  return texts.Take();
}

ReportRect ChannelPictureRect(int channel, int pageWidth, int pageHeight) {
  const int top = channel == 2 ? 60 : 24;
  return {PercentOf(pageWidth, 20), PercentOf(pageHeight, top), PercentOf(pageWidth, 60),
          PercentOf(pageHeight, 26)};
}

ReportRect MapPictureRect(int pageWidth, int pageHeight) {
  return {PercentOf(pageWidth, 20), PercentOf(pageHeight, 25), PercentOf(pageWidth, 40),
          PercentOf(pageHeight, 20)};
}

bool ReportHasMapPosition(const ReportValues& values) {
  return values.latitude != 0.0 && values.longitude != 0.0;
}

}  // namespace zv
