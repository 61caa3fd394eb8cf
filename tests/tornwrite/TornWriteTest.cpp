// SPDX-License-Identifier: GPL-3.0-or-later
// The settings files are written through a temporary file, fsync and a
// rename, so a writer killed at any moment leaves each file as one whole
// version, old or new. A child process rewrites them in a loop with the
// program's writers and is killed with SIGKILL at random moments.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "SettingsVersions.h"

namespace zv::test {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Starts the writer in `folder` and waits until it has written one round.
pid_t StartWriter(const std::string& folder) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    execl(ZV_TORN_WRITE_CHILD, ZV_TORN_WRITE_CHILD, folder.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  char line[16] = {};
  const bool started = pid > 0 && read(fds[0], line, sizeof line - 1) > 0;
  close(fds[0]);
  return started ? pid : -1;
}

class TornWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid() && reference_[0].isValid() && reference_[1].isValid());
    for (int n = 0; n < 2; ++n) {
      ASSERT_TRUE(WriteSettingsVersion(reference_[n].path().toStdString(), SettingsVersionNumber(n)));
    }
    ASSERT_TRUE(WriteSettingsVersion(folder(), SettingsVersionNumber(0)));
  }
  std::string folder() const { return dir_.path().toStdString(); }
  std::string ReferenceBytes(int n, std::string (*pathIn)(const std::string&)) const {
    return ReadBytes(pathIn(reference_[n].path().toStdString()));
  }
  // The version (0 or 1) whose bytes the file has, or -1 for neither.
  int VersionOf(std::string (*pathIn)(const std::string&)) const {
    const std::string bytes = ReadBytes(pathIn(folder()));
    for (int n = 0; n < 2; ++n)
      if (bytes == ReferenceBytes(n, pathIn)) return n;
    return -1;
  }

  QTemporaryDir dir_;
  QTemporaryDir reference_[2];
};

TEST_F(TornWriteTest, AWriterKilledAtAnyMomentLeavesWholeFiles) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> delayUs(0, 20000);
  int sawNew = 0;
  for (int kill = 0; kill < 50; ++kill) {
    const pid_t pid = StartWriter(folder());
    ASSERT_GT(pid, 0) << "the writer did not start";
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;

    const int options = VersionOf(OptionsPathIn), setup = VersionOf(SetupPathIn),
              time = VersionOf(TimePathIn);
    ASSERT_NE(options, -1) << "option.ini torn at kill " << kill;
    ASSERT_NE(setup, -1) << "setup.cfg torn at kill " << kill;
    ASSERT_NE(time, -1) << "time.cfg torn at kill " << kill;
    sawNew += options + setup + time;

    // And what the program reads back is that version's.
    ViewerOptions readOptions;
    RecorderSettings readSetup;
    RecorderClock readClock;
    ASSERT_TRUE(ReadViewerOptions(OptionsPathIn(folder()), readOptions));
    ASSERT_TRUE(ReadSetupFile(SetupPathIn(folder()), readSetup));
    ASSERT_TRUE(ReadTimeFile(TimePathIn(folder()), readClock));
    EXPECT_EQ(readOptions.saveFolder, SettingsVersionNumber(options).options.saveFolder);
    EXPECT_EQ(readOptions.playStep, SettingsVersionNumber(options).options.playStep);
    EXPECT_EQ(readSetup, SettingsVersionNumber(setup).setup);
    EXPECT_EQ(readClock, SettingsVersionNumber(time).clock);
  }
  // The kills fell between rounds of both versions, not only before the
  // first new write.
  EXPECT_GT(sawNew, 0);
  std::printf("torn writes: 50 kills, every file whole; %d of 150 files held the other version\n", sawNew);
}

}  // namespace
}  // namespace zv::test
