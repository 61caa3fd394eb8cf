// SPDX-License-Identifier: GPL-3.0-or-later
#include <gst/gst.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/StartupEnvironment.h"
#include "map/MapSchemeHandler.h"

// Playback tests run on the offscreen platform, with GStreamer started and
// the parse filter module registered from the build's program folder, as
// the program does at start-up.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QTemporaryDir home;
  qputenv("HOME", home.path().toUtf8());
  qunsetenv("XDG_CONFIG_HOME");
  // The timeline tests run the main window, which holds the map's web
  // engine; its sandbox cannot run for root (the program switches it off the
  // same way).
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  MapSchemeHandler::RegisterScheme();
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  if (!zv::RegisterParseFilter(ZV_PROGRAM_DIR)) {
    fprintf(stderr, "cannot register the parse filter from %s\n", ZV_PROGRAM_DIR);
    return 1;
  }
  return RUN_ALL_TESTS();
}
