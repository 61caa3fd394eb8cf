// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// Saves a rendered picture under $ZV_WIDGET_SHOTS when that is set, so that
// the pictures the tests check can be looked at.
inline void SaveWidgetShot(const QImage& image, const QString& name) {
  const QString folder = qEnvironmentVariable("ZV_WIDGET_SHOTS");
  if (!folder.isEmpty()) image.save(folder + "/" + name + ".png");
}
