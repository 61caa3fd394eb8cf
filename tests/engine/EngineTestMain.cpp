// SPDX-License-Identifier: GPL-3.0-or-later
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/StartupEnvironment.h"
#include "WindowProcessHome.h"

// Playback tests run on the offscreen platform, with GStreamer started and
// the parse filter module registered from the build's program folder, as
// the program does at start-up.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QTemporaryDir home;
  PrepareWindowProcess(home.path());  // the timeline tests run the main window
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  if (!zv::RegisterParseFilter(ZV_PROGRAM_DIR)) {
    fprintf(stderr, "cannot register the parse filter from %s\n", ZV_PROGRAM_DIR);
    return 1;
  }
  return RUN_ALL_TESTS();
}
