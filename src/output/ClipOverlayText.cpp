// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ClipOverlayText.h"

#include <QDateTime>
#include <QTimeZone>

#include "sensors/GpsText.h"
#include "sensors/InfoPanelTexts.h"

namespace zv {

QStringList ClipOverlayText::LinesAt(uint32_t ms) const {
  const QString time =
      nameClockMs_ ? QDateTime::fromMSecsSinceEpoch(*nameClockMs_ + ms, QTimeZone::utc()).toString("yyyy-MM-dd HH:mm:ss")
                   : "+" + MinutesSecondsText(static_cast<int32_t>(ms));
  const CGPSData* fix = ValidFixAt(fixes_, ms);
  if (!fix) return {time + QStringLiteral("   -- km/h"), QStringLiteral("GPS 없음")};
  return {time + QString::asprintf("   %.0f km/h", fix->speedKmh),
          QString::asprintf("%.6f, %.6f", NmeaToDegrees(fix->latitude), NmeaToDegrees(fix->longitude))};
}

}  // namespace zv
