// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ScopedEnvironment.h"
#include "platform/DiagnosticsLog.h"

namespace zv {
namespace {

std::string Contents(const std::string& path) {
  std::ifstream file(path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(DiagnosticsLogTest, LivesInTheUsersStateFolder) {
  {
    ScopedEnvironment state("XDG_STATE_HOME", "/home/u/state");
    EXPECT_EQ(DiagnosticsLog::DefaultFolder(), "/home/u/state/zorvane-viewer");
  }
  ScopedEnvironment state("XDG_STATE_HOME", "relative/ignored");
  ScopedEnvironment home("HOME", "/home/u");
  EXPECT_EQ(DiagnosticsLog::DefaultFolder(), "/home/u/.local/state/zorvane-viewer");
  DiagnosticsLog::Instance().Configure("");
  EXPECT_EQ(DiagnosticsLog::Instance().FilePath(), "/home/u/.local/state/zorvane-viewer/zorvane-viewer.log");
}

// One line an entry, with its level; past the cap the file starts afresh and
// the full one is kept once as .1.
TEST(DiagnosticsLogTest, WritesOneLineAnEntryAndRotatesAtItsCap) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString() + "/made/on/first/write";
  DiagnosticsLog& log = DiagnosticsLog::Instance();
  log.Configure(folder, 400);
  const std::string path = log.FilePath();
  log.Write(LogLevel::Error, "cannot open a.avi: not a RIFF AVI file\n(details)");
  log.Write(LogLevel::Warning, "scaletempo is missing");
  std::string text = Contents(path);
  EXPECT_NE(text.find(" error: cannot open a.avi: not a RIFF AVI file (details)\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" warning: scaletempo is missing\n"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);

  for (int i = 0; i < 20; ++i) log.Write(LogLevel::Info, "line " + std::to_string(i) + std::string(20, '.'));
  EXPECT_LE(std::filesystem::file_size(path), 400u);
  ASSERT_TRUE(std::filesystem::exists(path + ".1"));
  EXPECT_LE(std::filesystem::file_size(path + ".1"), 400u);
  EXPECT_NE(Contents(path).find("line 19"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path + ".2"));
  log.Configure("");
}

}  // namespace
}  // namespace zv
