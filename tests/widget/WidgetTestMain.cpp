// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gst/gst.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>

#include "map/MapSchemeHandler.h"

// Widget tests run on Qt's offscreen platform, with GStreamer started as the
// program starts it.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A home of its own, so that settings the windows write stay in the test.
  QTemporaryDir home;
  qputenv("HOME", home.path().toUtf8());
  qunsetenv("XDG_CONFIG_HOME");
  qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
  ::testing::InitGoogleMock(&argc, argv);
  // The main window holds the map's web engine, whose sandbox cannot run
  // for root (the program switches it off the same way).
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  MapSchemeHandler::RegisterScheme();
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  return RUN_ALL_TESTS();
}
