// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/InfoPanelTexts.h"

namespace zv {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kAxisX = 0xFF6400;  // RGB(255,100,0)
constexpr uint32_t kAxisY = 0xFFFF00;  // RGB(255,255,0)
constexpr uint32_t kAxisZ = 0x00FF00;  // RGB(0,255,0)
constexpr uint32_t kPositionGrey = 0xC8C8C8;  // RGB(200,200,200)

// QString::asprintf formats in the C locale, so numbers keep their point.
std::vector<InfoTextItem> TimeAndRate(const InfoTextFields& f) {
  const QString time = QStringLiteral("영상 시간    ") + MinutesSecondsText(f.positionMs) +
                       QStringLiteral("  /  ") + MinutesSecondsText(f.durationMs);
  const QString rate = QString::asprintf("재생 속도   %.2f x", static_cast<double>(f.rate));
  return {{time, 10, 2, 9, kWhite}, {rate, 230, 2, 9, kWhite}};
}

QString AxisText(const char* name, float value, bool shown) {
  if (!shown) return QString::asprintf("%s:  -", name);
  return QString::asprintf("%s:  %.6f", name, static_cast<double>(value));
}

std::vector<InfoTextItem> GSensorValues(const InfoTextFields& f) {
  return {{AxisText("X", f.gx, f.valuesShown), 10, 3, 8, kAxisX},
          {AxisText("Y", f.gy, f.valuesShown), 110, 3, 8, kAxisY},
          {AxisText("Z", f.gz, f.valuesShown), 210, 3, 8, kAxisZ}};
}

std::vector<InfoTextItem> Position(const InfoTextFields& f) {
  const QString text = QString::asprintf("위도:  %.6f    경도:  %.6f",
                                         static_cast<double>(f.latitudeDeg),
                                         static_cast<double>(f.longitudeDeg));
  return {{text, 10, 3, 9, kPositionGrey}};
}

}  // namespace

QString MinutesSecondsText(int32_t ms) {
  const int32_t s = ms / 1000;
  return QString::asprintf("%02d:%02d", s / 60, s % 60);
}

std::vector<InfoTextItem> InfoPanelTexts(const InfoTextFields& fields) {
  switch (fields.mode) {
    case 1: return TimeAndRate(fields);
    case 2: return GSensorValues(fields);
    case 3:
    case 5: return {{QStringLiteral("지도"), 10, 3, 10, kWhite}};
    case 4:
    case 6: return Position(fields);
    default: return {};
  }
}

}  // namespace zv
