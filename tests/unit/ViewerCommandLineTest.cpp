// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/ViewerCommandLine.h"

namespace zv {
namespace {

using Action = ViewerCommandLine::Action;

TEST(ViewerCommandLineTest, PathsAreKeptInOrderAndFrameworkOptionsSkipped) {
  ViewerCommandLine line;
  ASSERT_EQ(line.Parse({"/media/card", "-platform", "offscreen", "REC_1.AVI", "--style=fusion",
                        "-reverse", "--gst-debug-level", "3", "--gst-debug=vnstreamparse:5",
                        "--gst-disable-registry-fork", "--", "-odd name", "--help"}),
            Action::Run)
      << line.error().toStdString();
  EXPECT_EQ(line.paths(), QStringList({"/media/card", "REC_1.AVI", "-odd name", "--help"}));

  ASSERT_EQ(line.Parse({}), Action::Run);
  EXPECT_TRUE(line.paths().isEmpty());
}

TEST(ViewerCommandLineTest, HelpAndVersionWinOverWhatFollows) {
  ViewerCommandLine line;
  EXPECT_EQ(line.Parse({"card", "--help", "--bogus"}), Action::ShowHelp);
  EXPECT_EQ(line.Parse({"-h"}), Action::ShowHelp);
  EXPECT_EQ(line.Parse({"--version", "-h"}), Action::ShowVersion);
  EXPECT_TRUE(ViewerCommandLine::VersionText().startsWith("zorvane-viewer "));
  EXPECT_TRUE(ViewerCommandLine::HelpText().contains("--version"));
}

TEST(ViewerCommandLineTest, ExportTakesEveryArgumentAfterIt) {
  ViewerCommandLine line;
  ASSERT_EQ(line.Parse({"-platform", "offscreen", "--export", "gpx", "out.gpx", "--help", "card"}),
            Action::Export);
  EXPECT_EQ(line.exportArguments(), QStringList({"--export", "gpx", "out.gpx", "--help", "card"}));
  EXPECT_EQ(line.Parse({"--help", "--export", "gpx"}), Action::ShowHelp);
}

TEST(ViewerCommandLineTest, UnknownOrIncompleteOptionsFail) {
  const std::vector<QStringList> bad = {
      {"--bogus"}, {"-x"}, {"-"}, {"card", "-help"}, {"-platform"}, {"--gst-debug"},
      {"-reverse=1"}, {"--versions"},
  };
  for (const QStringList& arguments : bad) {
    ViewerCommandLine line;
    EXPECT_EQ(line.Parse(arguments), Action::Fail) << arguments.join(' ').toStdString();
    EXPECT_FALSE(line.error().isEmpty());
  }
}

}  // namespace
}  // namespace zv
