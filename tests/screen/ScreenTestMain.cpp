#include <gst/gst.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ScreenTestSupport.h"
#include "app/StartupEnvironment.h"

bool g_expectOpenGl = false;

// The screens on a real display: run under xvfb-run on the xcb platform
// (where OpenGL is Mesa's software renderer), also with OpenGL switched off
// and at a device pixel ratio of 2. `--expect-opengl` or `--expect-cpu` says
// which drawing path the environment must lead to.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) g_expectOpenGl = g_expectOpenGl || std::string(argv[i]) == "--expect-opengl";
  QTemporaryDir home;
  qputenv("HOME", home.path().toUtf8());
  qunsetenv("XDG_CONFIG_HOME");
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  if (!zv::RegisterParseFilter(ZV_PROGRAM_DIR)) {
    fprintf(stderr, "cannot register the parse filter from %s\n", ZV_PROGRAM_DIR);
    return 1;
  }
  return RUN_ALL_TESTS();
}
