// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "WindowProcessHome.h"

// Widget tests run on Qt's offscreen platform, with GStreamer started as the
// program starts it.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A home of its own, so that settings the windows write stay in the test.
  QTemporaryDir home;
  PrepareWindowProcess(home.path());
  qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
  ::testing::InitGoogleMock(&argc, argv);
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  return RUN_ALL_TESTS();
}
