// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <string>
#include <vector>

#include "library/PathNames.h"
#include "library/RecordingLibrary.h"

namespace zv {
namespace {

std::vector<std::string> PathsOf(const RecordingLibrary& library) {
  std::vector<std::string> paths;
  for (const RecordingEntry& e : library.Entries()) paths.push_back(e.fullPath);
  return paths;
}

TEST(RecordingLibraryTest, ClassifiesByTheExactPrefix) {
  RecordingLibrary library;
  EXPECT_TRUE(library.Add("/c/", "REC_20240131_142530_F.AVI"));
  EXPECT_TRUE(library.Add("/c/", "EVT_20240131_142531_F.AVI"));
  EXPECT_TRUE(library.Add("/c/", "PRK_20240131_142532_F_LPSTOP.AVI"));
  EXPECT_TRUE(library.Add("/c/", "MDI_20240131_142533_F.avi"));
  // Recognised regardless of case, but only classified in upper case.
  EXPECT_FALSE(library.Add("/c/", "rec_20240131_142534_F.AVI"));
  EXPECT_FALSE(library.Add("/c/", "Evt_20240131_142535_F.AVI"));
  EXPECT_FALSE(library.Add("/c/", "notes.txt"));
  ASSERT_EQ(library.Count(), 4);

  const RecordingEntry& first = library.At(0);
  EXPECT_EQ(first.fileName, "REC_20240131_142530_F.AVI");
  EXPECT_EQ(first.fullPath, "/c/REC_20240131_142530_F.AVI");
  EXPECT_EQ(first.date, "2024-01-31");
  EXPECT_EQ(first.time, "14:25:30");
  EXPECT_EQ(first.kindName, "상시");
  EXPECT_EQ(first.kind, ContinuousKind);
  EXPECT_EQ(library.At(1).kindName, "이벤트");
  EXPECT_EQ(library.At(2).kind, ParkingKind);
  EXPECT_EQ(library.At(2).kindName, "주차상시");
  EXPECT_EQ(library.At(3).kind, ParkingKind);
  EXPECT_EQ(library.At(3).kindName, "주차모션");

  EXPECT_EQ(library.CountOfKind(ContinuousKind), 1);
  EXPECT_EQ(library.CountOfKind(ParkingKind), 2);
  EXPECT_EQ(library.CountOfKind(AllKinds), 0);
  library.Clear();
  EXPECT_EQ(library.Count(), 0);
  EXPECT_FALSE(library.Contains("/c/REC_20240131_142530_F.AVI"));
  EXPECT_TRUE(library.Add("/c/", "REC_20240131_142530_F.AVI"));  // free again after Clear
}

TEST(RecordingLibraryTest, IdentityIsTheCaseSensitiveFullPath) {
  RecordingLibrary library;
  EXPECT_TRUE(library.AddPath("/card/REC_20240131_142530_F.AVI"));
  EXPECT_FALSE(library.AddPath("/card/REC_20240131_142530_F.AVI"));
  EXPECT_TRUE(library.AddPath("/CARD/REC_20240131_142530_F.AVI"));
  EXPECT_TRUE(library.Add("/card/", "REC_20240131_142530_F.avi"));
  EXPECT_TRUE(library.Contains("/card/REC_20240131_142530_F.AVI"));
  EXPECT_FALSE(library.Contains("/Card/REC_20240131_142530_F.AVI"));
  EXPECT_EQ(PathsOf(library), (std::vector<std::string>{"/card/REC_20240131_142530_F.AVI",
                                                        "/CARD/REC_20240131_142530_F.AVI",
                                                        "/card/REC_20240131_142530_F.avi"}));
}

TEST(RecordingLibraryTest, PathIndexHoldsAcrossGrowthAndClear) {
  RecordingLibrary library;
  const std::string name = "EVT_20240131_142530_F.AVI";
  constexpr int kCount = 5000;  // the index grows several times on the way
  for (int i = 0; i < kCount; ++i) {
    ASSERT_TRUE(library.Add("/card/" + std::to_string(i) + "/", name));
  }
  for (int i = 0; i < kCount; ++i) {
    const std::string folder = "/card/" + std::to_string(i) + "/";
    ASSERT_TRUE(library.Contains(folder + name));
    ASSERT_FALSE(library.Add(folder, name));
    ASSERT_EQ(library.At(i).fullPath, folder + name);  // order of addition
  }
  EXPECT_FALSE(library.Contains("/card/" + std::to_string(kCount) + "/" + name));
  EXPECT_EQ(library.Count(), kCount);
  library.Clear();
  EXPECT_FALSE(library.Contains("/card/0/" + name));
  EXPECT_TRUE(library.Add("/card/0/", name));
}

TEST(RecordingLibraryTest, AddPathNeedsASlashPastTheFirstCharacter) {
  RecordingLibrary library;
  EXPECT_TRUE(library.AddPath("REC_20240131_142530_F.AVI"));   // nothing added, still true
  EXPECT_TRUE(library.AddPath("/REC_20240131_142530_F.AVI"));  // likewise
  EXPECT_TRUE(library.AddPath(""));
  EXPECT_EQ(library.Count(), 0);
  EXPECT_FALSE(library.AddPath("/card/readme.txt"));
  EXPECT_FALSE(library.AddPath("/card/"));
  EXPECT_TRUE(library.AddPath("a/EVT_20240131_142530_F.AVI"));
  EXPECT_EQ(library.At(0).fullPath, "a/EVT_20240131_142530_F.AVI");
}

class FolderScanTest : public ::testing::Test {
 protected:
  std::string Root() const { return dir_.path().toStdString() + "/"; }
  void MakeFile(const std::string& relative) {
    QFile file(QString::fromStdString(Root() + relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative;
  }
  void MakeFolder(const std::string& relative) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Root() + relative)));
  }
  void Link(const std::string& target, const std::string& relative) {
    ASSERT_EQ(symlink(target.c_str(), (Root() + relative).c_str()), 0);
  }
  QTemporaryDir dir_;
};

TEST_F(FolderScanTest, FindsRecordingsAtAnyDepthOnceEach) {
  MakeFolder("a/b/c");
  MakeFolder("empty");
  MakeFile("REC_20240101_000001_F.AVI");
  MakeFile("a/EVT_20240101_000002_F.AVI");
  MakeFile("a/b/c/MDI_20240101_000003_F_SDEXIT.AVI");
  MakeFile("a/b/notes.txt");
  MakeFile("a/b/rec_20240101_000004_F.AVI");  // recognised, never classified
  MakeFolder("REC_20240101_000005_F.AVI");    // a folder is not a recording

  RecordingLibrary library;
  EXPECT_TRUE(library.ScanFolder(Root()));
  std::vector<std::string> found = PathsOf(library);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{Root() + "REC_20240101_000001_F.AVI",
                                             Root() + "a/EVT_20240101_000002_F.AVI",
                                             Root() + "a/b/c/MDI_20240101_000003_F_SDEXIT.AVI"}));
  // A second scan adds nothing; a folder given without its '/' is the same.
  library.ScanFolder(Root().substr(0, Root().size() - 1));
  EXPECT_EQ(library.Count(), 3);
}

TEST_F(FolderScanTest, LinksAreFollowedButNoFolderIsEnteredTwice) {
  MakeFolder("a/b");
  MakeFile("a/b/REC_20240101_000001_F.AVI");
  Link(Root() + "a", "a/b/back");      // loop back up the tree
  Link(Root() + "a/b", "again");       // the same folder by a second way
  Link(Root() + "gone", "dangling");   // leads nowhere
  Link(Root() + "a/b/REC_20240101_000001_F.AVI", "EVT_20240101_000009_F.AVI");

  RecordingLibrary library;
  library.ScanFolder(Root());
  int recOnce = 0;
  for (const RecordingEntry& e : library.Entries()) recOnce += e.fileName.starts_with("REC_");
  EXPECT_EQ(recOnce, 1);
  EXPECT_TRUE(library.Contains(Root() + "EVT_20240101_000009_F.AVI"));  // link to a file
  EXPECT_EQ(library.Count(), 2);
}

TEST_F(FolderScanTest, UnreadableOrMissingFoldersAreSkipped) {
  MakeFolder("locked");
  MakeFile("locked/REC_20240101_000001_F.AVI");
  MakeFile("EVT_20240101_000002_F.AVI");
  ASSERT_EQ(chmod((Root() + "locked").c_str(), 0), 0);

  RecordingLibrary library;
  EXPECT_TRUE(library.ScanFolder(Root() + "missing/"));
  EXPECT_EQ(library.Count(), 0);
  library.ScanFolder(Root());
  // Root reads every folder whatever its mode; anyone else cannot.
  EXPECT_EQ(library.Count(), geteuid() == 0 ? 2 : 1);
  EXPECT_TRUE(library.Contains(Root() + "EVT_20240101_000002_F.AVI"));
  chmod((Root() + "locked").c_str(), 0700);
}

TEST(FileExistsTest, FindsFilesAndFoldersOnly) {
  QTemporaryDir dir;
  const std::string file = dir.path().toStdString() + "/REC_1.AVI";
  EXPECT_FALSE(FileExists(file));
  QFile(QString::fromStdString(file)).open(QIODevice::WriteOnly);
  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(FileExists(dir.path().toStdString()));
  EXPECT_FALSE(FileExists(""));
}

}  // namespace
}  // namespace zv
