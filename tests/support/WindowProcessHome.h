// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <QCoreApplication>
#include <QString>

#include "map/MapSchemeHandler.h"

// Prepares a test or benchmark process that makes the program's windows,
// before its QApplication is made: a home folder of its own (so that the
// settings, options and map cache the windows write stay there), the web
// engine's sandbox off for root (as the program itself does, since it cannot
// run there), shared OpenGL contexts for the web engine, and the map's URL
// scheme registered.
inline void PrepareWindowProcess(const QString& home) {
  qputenv("HOME", home.toUtf8());
  qunsetenv("XDG_CONFIG_HOME");
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  MapSchemeHandler::RegisterScheme();
}
