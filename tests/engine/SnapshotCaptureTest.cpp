// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "PlaybackTestSupport.h"
#include "output/ChannelImages.h"
#include "output/ReportPrinter.h"
#include "output/SnapshotCapture.h"
#include "player/CVideoPlayer.h"

using namespace zv;

namespace {

constexpr const char* kTwoChannels = "REC_20130521_143015_F.AVI";  // 320x180 + 256x144
constexpr const char* kOneChannel = "REC_20130521_143215_F.AVI";   // 320x180

// A paused recording and a capture whose questions are answered by the test.
class SnapshotCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    player_.Init(&front_, &rear_);
    capture_.askToOpenFolder = [this](const QString& text) {
      questions_ << text;
      return answer_;
    };
    capture_.openFolder = [this](const QString& folder) { opened_ << folder; };
    capture_.reportFailure = [this](const QString& text) { failures_ << text; };
  }

  void OpenPaused(const char* name) {
    player_.SetOptionFlag(0);
    ASSERT_EQ(player_.Open(Fixture(name)), 1);
    ASSERT_EQ(player_.Engine()->Run(), S_OK);
    ASSERT_TRUE(WaitFor([&] { return front_.frames > 5; }));
    ASSERT_EQ(player_.Engine()->Pause(), S_OK);
  }

  QStringList Saved() const { return QDir(folder_.path()).entryList(QDir::Files, QDir::Name); }

  static void ExpectJpeg(const QString& path, QSize size) {
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "jpeg") << path.toStdString();
    EXPECT_EQ(reader.size(), size) << path.toStdString();
  }

  RecordingWindow front_, rear_;
  CVideoPlayer player_;
  QTemporaryDir folder_;
  SnapshotCapture capture_{nullptr};
  QStringList questions_, opened_, failures_;
  bool answer_ = true;
};

TEST_F(SnapshotCaptureTest, TwoChannelsSaveBothJpegsAndOfferTheFolder) {
  OpenPaused(kTwoChannels);
  ASSERT_TRUE(capture_.Capture(player_, kTwoChannels, folder_.path().toStdString()));
  const QStringList files = Saved();
  ASSERT_EQ(files.size(), 2);
  EXPECT_TRUE(files[0].startsWith("REC_20130521_143015_F-20"));
  EXPECT_TRUE(files[0].endsWith("(Track1).jpg"));
  EXPECT_TRUE(files[1].endsWith("(Track2).jpg"));
  ExpectJpeg(folder_.filePath(files[0]), QSize(320, 180));
  ExpectJpeg(folder_.filePath(files[1]), QSize(256, 144));

  ASSERT_EQ(questions_.size(), 1);
  EXPECT_EQ(questions_[0], folder_.path() + "/" + files[0] +
                               QStringLiteral(" 캡쳐 화면이 저장되었습니다.\n저장된 폴더를 여시겠습니까?"));
  EXPECT_EQ(opened_, QStringList{folder_.path() + "/"});
  EXPECT_EQ(player_.Engine()->GetState(), Paused);

  answer_ = false;  // No leaves the folder closed
  ASSERT_TRUE(capture_.Capture(player_, kTwoChannels, folder_.path().toStdString()));
  EXPECT_EQ(opened_.size(), 1);
}

TEST_F(SnapshotCaptureTest, OneChannelSavesTrackOneOnlyAndAsksNothing) {
  OpenPaused(kOneChannel);
  EXPECT_FALSE(capture_.Capture(player_, kOneChannel, folder_.path().toStdString()));
  const QStringList files = Saved();
  ASSERT_EQ(files.size(), 1);
  EXPECT_TRUE(files[0].endsWith("(Track1).jpg"));
  ExpectJpeg(folder_.filePath(files[0]), QSize(320, 180));
  EXPECT_TRUE(questions_.isEmpty());
  EXPECT_TRUE(failures_.isEmpty());
}

TEST_F(SnapshotCaptureTest, AMissingFolderIsReportedAndNothingSaidSaved) {
  OpenPaused(kTwoChannels);
  const std::string missing = folder_.filePath("missing").toStdString();
  EXPECT_FALSE(capture_.Capture(player_, kTwoChannels, missing));
  EXPECT_TRUE(questions_.isEmpty());
  ASSERT_EQ(failures_.size(), 1);
  EXPECT_TRUE(failures_[0].startsWith(QStringLiteral("캡쳐 화면을 저장하지 못했습니다.\n") +
                                      QString::fromStdString(missing) + "/"));
  EXPECT_TRUE(Saved().isEmpty());

  ASSERT_EQ(player_.Engine()->Stop(), S_OK);
  const std::string name = folder_.filePath("x.jpg").toStdString();
  EXPECT_FALSE(SaveChannelImages(player_, name, name).bothTaken);
  EXPECT_TRUE(Saved().isEmpty());
}

// A folder nobody may write to. Root ignores the permission bits, so for
// root a read-only file system is mounted over the folder.
TEST_F(SnapshotCaptureTest, AReadOnlyFolderShowsAnErrorInsteadOfSaved) {
  OpenPaused(kTwoChannels);
  const QString folder = folder_.filePath("read-only");
  ASSERT_TRUE(QDir().mkdir(folder));
  ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
  const bool mounted = geteuid() == 0 &&
                       mount("tmpfs", folder.toUtf8().constData(), "tmpfs", MS_RDONLY, "size=64k") == 0;
  if (geteuid() == 0 && !mounted) GTEST_SKIP() << "root cannot mount a read-only folder here";
  EXPECT_FALSE(capture_.Capture(player_, kTwoChannels, folder.toStdString()));
  if (mounted) umount(folder.toUtf8().constData());
  EXPECT_TRUE(questions_.isEmpty());
  ASSERT_EQ(failures_.size(), 1);
  EXPECT_TRUE(failures_[0].contains("(Track1).jpg")) << failures_[0].toStdString();
  EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 0);
}

// An empty save folder sends the pictures to the default snapshot folder,
// not to the root folder.
TEST_F(SnapshotCaptureTest, AnEmptySaveFolderMeansTheDefaultFolder) {
  OpenPaused(kTwoChannels);
  ASSERT_TRUE(capture_.Capture(player_, kTwoChannels, ""));
  const QString folder =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/CAM_CAPTURE";
  EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
  EXPECT_EQ(opened_, QStringList{folder + "/"});
  EXPECT_TRUE(failures_.isEmpty());
}

TEST_F(SnapshotCaptureTest, ReportTakesThePausedPicturesAndPosition) {
  OpenPaused(kTwoChannels);
  ASSERT_EQ(player_.SeekTo(2000), 1);
  WaitFor([] { return false; }, 300);
  const ReportJob job = CollectReportJob(player_, kTwoChannels, nullptr);
  EXPECT_EQ(job.values.channelCount, 2);
  EXPECT_EQ(job.channel1.size(), QSize(320, 180));
  EXPECT_EQ(job.channel2.size(), QSize(256, 144));
  EXPECT_NEAR(job.values.positionMs, 2000, 40);
  EXPECT_EQ(job.values.recordingName, kTwoChannels);
}

}  // namespace
