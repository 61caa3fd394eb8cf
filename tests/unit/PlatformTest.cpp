// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>

#include "app/StartupEnvironment.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryStore.h"
#include "platform/SingleInstanceLock.h"
#include "player/PlayerMachineSetting.h"

namespace zv {
namespace {

TEST(ProgramFolderTest, CutsAtTheLastSlash) {
  EXPECT_EQ(ProgramFolderOf("/opt/zv/bin/zorvane-viewer"), "/opt/zv/bin");
  EXPECT_EQ(ProgramFolderOf("/opt/zv/bin/"), "/opt/zv/bin");
  // No separator after the first character gives an empty folder.
  EXPECT_EQ(ProgramFolderOf("/zorvane-viewer"), "");
  EXPECT_EQ(ProgramFolderOf("zorvane-viewer"), "");
  EXPECT_EQ(ProgramFolderOf(""), "");
  // The running test binary has a real folder.
  EXPECT_FALSE(ProgramFolder().empty());
  EXPECT_EQ(ProgramFolder().back() == '/', false);
}

TEST(ParseFilterRegistrationTest, MissingModuleOrEntryPointFails) {
  QTemporaryDir dir;
  EXPECT_FALSE(RegisterParseFilter(dir.path().toStdString()));
  EXPECT_FALSE(RegisterParseFilter(""));
}

class RegistryTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  RegistryStore store_{(dir_.path() + "/user/current-user.reg").toStdString(),
                       (dir_.path() + "/machine/local-machine.reg").toStdString()};
};

TEST_F(RegistryTest, DecoderSettingsCreateBothKeysWhenAbsent) {
  ASSERT_FALSE(store_.KeyExists(RegistryRoot::CurrentUser, "Software/GNU"));
  WriteDecoderSettings(store_);
  EXPECT_TRUE(store_.KeyExists(RegistryRoot::CurrentUser, "Software/GNU"));
  EXPECT_EQ(store_.ReadDword(RegistryRoot::CurrentUser, "Software/GNU/ffdshow", "multipleInstances"), 0u);
  EXPECT_EQ(store_.ReadDword(RegistryRoot::CurrentUser, "Software/GNU/ffdshow", "isWhitelist"), 0u);
  EXPECT_EQ(store_.ReadDword(RegistryRoot::CurrentUser, "Software/GNU/ffdshow", "h264"), 1u);
  // Nothing lands under the other root.
  EXPECT_FALSE(store_.KeyExists(RegistryRoot::LocalMachine, "Software/GNU"));
}

TEST_F(RegistryTest, DecoderSettingsOverwriteOldValuesAndKeepOthers) {
  ASSERT_TRUE(store_.CreateKey(RegistryRoot::CurrentUser, "Software\\GNU\\ffdshow"));
  ASSERT_TRUE(store_.SetDword(RegistryRoot::CurrentUser, "software/gnu/FFDSHOW", "h264", 7));
  ASSERT_TRUE(store_.SetDword(RegistryRoot::CurrentUser, "Software/GNU/ffdshow", "other", 42));
  WriteDecoderSettings(store_);
  EXPECT_EQ(store_.ReadDword(RegistryRoot::CurrentUser, "Software/GNU/ffdshow", "h264"), 1u);
  EXPECT_EQ(store_.ReadDword(RegistryRoot::CurrentUser, "Software/GNU/ffdshow", "other"), 42u);
}

TEST_F(RegistryTest, ValuesNeedAnExistingKeyAndSurviveReload) {
  EXPECT_FALSE(store_.SetDword(RegistryRoot::LocalMachine, "SOFTWARE/Ulvatrix", "usingDShow", 1));
  WriteUsingDShowSetting(store_);
  RegistryStore reopened(store_.FileOf(RegistryRoot::CurrentUser), store_.FileOf(RegistryRoot::LocalMachine));
  EXPECT_EQ(reopened.ReadDword(RegistryRoot::LocalMachine, "SOFTWARE/Ulvatrix", "usingDShow"), 1u);
  EXPECT_EQ(reopened.ReadDword(RegistryRoot::LocalMachine, "SOFTWARE/Ulvatrix", "missing"), std::nullopt);
  EXPECT_EQ(reopened.ReadDword(RegistryRoot::CurrentUser, "SOFTWARE/Ulvatrix", "usingDShow"), std::nullopt);
}

TEST_F(RegistryTest, TextValuesKeepEveryCharacterAndReplaceNumbersOfTheSameName) {
  ASSERT_TRUE(store_.CreateKey(RegistryRoot::CurrentUser, "Software/Map"));
  const std::string text = "https://a.example/{z}/{x}/{y}.png?k=\"q\"\\x\nline two =dword:1";
  ASSERT_TRUE(store_.SetString(RegistryRoot::CurrentUser, "Software/Map", "Url \"1\"", text));
  ASSERT_TRUE(store_.SetDword(RegistryRoot::CurrentUser, "Software/Map", "Zoom", 19));
  ASSERT_TRUE(store_.SetString(RegistryRoot::CurrentUser, "Software/Map", "Empty", ""));
  RegistryStore reopened(store_.FileOf(RegistryRoot::CurrentUser), store_.FileOf(RegistryRoot::LocalMachine));
  EXPECT_EQ(reopened.ReadString(RegistryRoot::CurrentUser, "software/map", "Url \"1\""), text);
  EXPECT_EQ(reopened.ReadString(RegistryRoot::CurrentUser, "Software/Map", "Empty"), "");
  EXPECT_EQ(reopened.ReadDword(RegistryRoot::CurrentUser, "Software/Map", "Zoom"), 19u);
  // A name holds one value: a number read as text is missing, and the other
  // way round; setting it again replaces the kind.
  EXPECT_EQ(reopened.ReadString(RegistryRoot::CurrentUser, "Software/Map", "Zoom"), std::nullopt);
  ASSERT_TRUE(reopened.SetString(RegistryRoot::CurrentUser, "Software/Map", "Zoom", "deep"));
  EXPECT_EQ(reopened.ReadDword(RegistryRoot::CurrentUser, "Software/Map", "Zoom"), std::nullopt);
  EXPECT_EQ(reopened.ReadString(RegistryRoot::CurrentUser, "Software/Map", "Zoom"), "deep");
}

TEST_F(RegistryTest, UnwritableRootFailsSilently) {
  // A file where the root's folder should be makes every write fail.
  RegistryStore blocked((dir_.path() + "/user").toStdString(),
                        (dir_.path() + "/user/current-user.reg/x/local.reg").toStdString());
  WriteDecoderSettings(store_);  // makes dir/user a folder with a file in it
  WriteUsingDShowSetting(blocked);
  EXPECT_FALSE(blocked.KeyExists(RegistryRoot::LocalMachine, "SOFTWARE/Ulvatrix"));
}

TEST(SingleInstanceLockTest, SecondHolderIsRefusedUntilTheFirstDies) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  // The child says on a pipe when it holds the lock; probing before then
  // could take the lock at the moment the child asks for it.
  int held[2];
  ASSERT_EQ(pipe(held), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(held[0]);
    SingleInstanceLock lock;
    if (lock.Acquire("QE_ZV_VIEWER", folder) != SingleInstanceLock::Result::Acquired) _exit(2);
    if (write(held[1], "1", 1) != 1) _exit(3);
    pause();  // holds the lock until killed
    _exit(0);
  }
  close(held[1]);
  char byte = 0;
  const bool childHolds = read(held[0], &byte, 1) == 1;
  close(held[0]);
  SingleInstanceLock probe;
  const SingleInstanceLock::Result result =
      childHolds ? probe.Acquire("QE_ZV_VIEWER", folder) : SingleInstanceLock::Result::Acquired;
  EXPECT_EQ(result, SingleInstanceLock::Result::AlreadyHeld);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  // A killed holder leaves no stale lock behind.
  EXPECT_EQ(probe.Acquire("QE_ZV_VIEWER", folder), SingleInstanceLock::Result::Acquired);
  EXPECT_EQ(probe.Acquire("QE_ZV_VIEWER", folder + "/missing"), SingleInstanceLock::Result::Failed);
}

}  // namespace
}  // namespace zv
