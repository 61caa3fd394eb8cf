// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BuildConfig.h"
#include "config/OptionsFiles.h"
#include "config/ViewerOptions.h"
#include "platform/ProgramLayout.h"
#include "ScopedEnvironment.h"

namespace zv {
namespace {

class ProgramLayoutTest : public ::testing::Test {
 protected:
  // A folder below the test's own, created; "" for the top.
  std::string Folder(const std::string& relative) {
    const QString path = QDir::cleanPath(dir_.path() + "/" + QString::fromStdString(relative));
    EXPECT_TRUE(QDir().mkpath(path));
    return path.toStdString();
  }
  // An installed tree: the program folder <top>/usr/bin with the data
  // folder where the install puts it.
  std::string InstalledProgramFolder() {
    const std::string bin = Folder("usr/bin");
    Folder("usr/bin/" ZV_DATA_DIR_FROM_BIN "/map");
    return bin;
  }

  QTemporaryDir dir_;
};

TEST_F(ProgramLayoutTest, AFolderWithoutTheInstalledDataIsTheProgramFolder) {
  const std::string bin = Folder("build/bin");
  const ProgramLayout layout = ProgramLayout::Of(bin);
  EXPECT_FALSE(layout.installed);
  EXPECT_EQ(layout.moduleFolder, bin);
  EXPECT_EQ(layout.dataFolder, bin);

  const ProgramLayout none = ProgramLayout::Of("");
  EXPECT_FALSE(none.installed);
  EXPECT_EQ(none.moduleFolder, "");
  EXPECT_EQ(none.dataFolder, "");
}

TEST_F(ProgramLayoutTest, AnInstalledTreeIsFoundRelativeToTheProgram) {
  const std::string bin = InstalledProgramFolder();
  const ProgramLayout layout = ProgramLayout::Of(bin);
  EXPECT_TRUE(layout.installed);
  EXPECT_EQ(layout.dataFolder, Folder("usr/bin/" ZV_DATA_DIR_FROM_BIN));
  EXPECT_NE(layout.dataFolder.find("/share/zorvane-viewer"), std::string::npos);
  // The module: the system's plugin folder, unless the tree has its own.
  EXPECT_EQ(layout.moduleFolder, ZV_PLUGIN_DIR);
  const std::string staged = Folder("usr/bin/" ZV_PLUGIN_DIR_FROM_BIN);
  EXPECT_EQ(ProgramLayout::Of(bin).moduleFolder, staged);
  EXPECT_EQ(staged.rfind(dir_.path().toStdString(), 0), 0u) << "outside the tree: " << staged;
}

TEST_F(ProgramLayoutTest, UserConfigFolderFollowsXdgConfigHome) {
  {
    ScopedEnvironment config("XDG_CONFIG_HOME", (dir_.path() + "/conf").toUtf8().constData());
    EXPECT_EQ(UserConfigFolder(), dir_.path().toStdString() + "/conf/ZorvaneViewer");
  }
  ScopedEnvironment home("HOME", dir_.path().toUtf8().constData());
  ScopedEnvironment config("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(UserConfigFolder(), dir_.path().toStdString() + "/.config/ZorvaneViewer");
}

TEST_F(ProgramLayoutTest, TheProgramFolderKeepsItsOwnOptionsFile) {
  const std::string bin = Folder("build/bin");
  const OptionsFiles files = OptionsFiles::Of(ProgramLayout::Of(bin), Folder("user"));
  EXPECT_EQ(files.path, bin + "/config/option.ini");
  EXPECT_EQ(files.ToRead(), files.path);  // also while it is missing
  // Its config folder is never created.
  ViewerOptions options;
  EXPECT_FALSE(files.Write(options));
  EXPECT_FALSE(QDir(QString::fromStdString(bin + "/config")).exists());
  Folder("build/bin/config");
  ASSERT_TRUE(files.Write(options));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(files.path)));
}

TEST_F(ProgramLayoutTest, AnInstalledProgramReadsItsCopyUntilTheUserSaves) {
  const std::string bin = InstalledProgramFolder();
  const ProgramLayout layout = ProgramLayout::Of(bin);
  const std::string user = dir_.path().toStdString() + "/home/.config/ZorvaneViewer";
  const OptionsFiles files = OptionsFiles::Of(layout, user);
  EXPECT_EQ(files.path, user + "/option.ini");

  // The installed copy is the first default.
  Folder("usr/bin/" ZV_DATA_DIR_FROM_BIN "/config");
  ViewerOptions installed;
  installed.playStep = 7;
  installed.saveFolder = "/srv/shots";
  ASSERT_TRUE(WriteViewerOptions(layout.dataFolder + "/config/option.ini", installed));
  ViewerOptions read;
  EXPECT_EQ(files.ToRead(), layout.dataFolder + "/config/option.ini");
  ASSERT_TRUE(ReadViewerOptions(files.ToRead(), read));
  EXPECT_EQ(read.playStep, 7);

  // Saving creates the user's folder; from then on the user's file is read
  // and the installed copy stays as it was.
  read.playStep = 12;
  ASSERT_TRUE(files.Write(read));
  EXPECT_EQ(files.ToRead(), files.path);
  ViewerOptions again;
  ASSERT_TRUE(ReadViewerOptions(files.ToRead(), again));
  EXPECT_EQ(again.playStep, 12);
  EXPECT_EQ(again.saveFolder, "/srv/shots");
  ViewerOptions copy;
  ASSERT_TRUE(ReadViewerOptions(layout.dataFolder + "/config/option.ini", copy));
  EXPECT_EQ(copy.playStep, 7);
}

}  // namespace
}  // namespace zv
