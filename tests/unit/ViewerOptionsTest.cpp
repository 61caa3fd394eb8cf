// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <limits>
#include <string>

#include "config/LeadingInteger.h"
#include "config/LineTrim.h"
#include "config/ViewerOptions.h"
#include "ScopedEnvironment.h"

namespace zv {
namespace {

TEST(LeadingIntegerTest, ReadsSignAndDigitsAfterWhiteSpace) {
  EXPECT_EQ(LeadingDecimalInteger("42"), 42);
  EXPECT_EQ(LeadingDecimalInteger(" \t\n-17xyz"), -17);
  EXPECT_EQ(LeadingDecimalInteger("+8 9"), 8);
  EXPECT_EQ(LeadingDecimalInteger("1abc"), 1);
  EXPECT_EQ(LeadingDecimalInteger("abc"), 0);
  EXPECT_EQ(LeadingDecimalInteger(""), 0);
  EXPECT_EQ(LeadingDecimalInteger("-"), 0);
  EXPECT_EQ(LeadingDecimalInteger("--1"), 0);
  EXPECT_EQ(LeadingDecimalInteger("\b1"), 0);  // backspace is not white space
}

TEST(LeadingIntegerTest, ClampsOutOfRangeValues) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(LeadingDecimalInteger("2147483647"), kMax);
  EXPECT_EQ(LeadingDecimalInteger("2147483648"), kMax);
  EXPECT_EQ(LeadingDecimalInteger("-2147483648"), kMin);
  EXPECT_EQ(LeadingDecimalInteger("-2147483649"), kMin);
  EXPECT_EQ(LeadingDecimalInteger(std::string(400, '9')), kMax);
  EXPECT_EQ(LeadingDecimalInteger("00000000000000000000012"), 12);
}

TEST(LineTrimTest, TrimsOnlyTheFourControlCharacters) {
  EXPECT_EQ(TrimLineControls("\b\t key = v \r\n"), " key = v ");
  EXPECT_EQ(TrimLineControls("\r\n\t\b"), "");
  EXPECT_EQ(TrimLineControls("a\tb"), "a\tb");
  EXPECT_EQ(TrimLineControls("\va\f"), "\va\f");
}

class ViewerOptionsFileTest : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) const { return dir_.path().toStdString() + "/" + name; }
  std::string WriteText(const std::string& text) {
    const std::string path = PathOf("option.ini");
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    return path;
  }
  ViewerOptions Read(const std::string& text) {
    ViewerOptions options;
    EXPECT_TRUE(ReadViewerOptions(WriteText(text), options));
    return options;
  }
  QTemporaryDir dir_;
};

TEST_F(ViewerOptionsFileTest, ReadsTheThreeKeysInAnySection) {
  const ViewerOptions o = Read("SAVE_DIRECTORY=/snap shots \r\nPLAY_VALUE=12\nREAR_MIRROR=1\n");
  EXPECT_EQ(o.saveFolder, "/snap shots ");  // spaces are kept
  EXPECT_EQ(o.playStep, 12);
  EXPECT_TRUE(o.rearMirror);
  const ViewerOptions o2 = Read("[DIRECTORY]\n\tPLAY_VALUE=\t7\b\n[OPTION]\nPLAY_VALUE=9\n[X]\n");
  EXPECT_EQ(o2.playStep, 9);  // a later line wins
}

TEST_F(ViewerOptionsFileTest, SkipsLinesThatDoNotMatchExactly) {
  const ViewerOptions o = Read(
      "PLAY_VALUE = 30\n"        // the key keeps its space
      "play_value=31\n"          // case counts
      "[PLAY_VALUE=32]\n"        // a section line
      "PLAY_VALUE\n"             // no '='
      "REAR_MIRROR=2\n");
  EXPECT_EQ(o.playStep, 5);
  EXPECT_FALSE(o.rearMirror);
  EXPECT_EQ(o.saveFolder, "");
  EXPECT_TRUE(Read("REAR_MIRROR=1abc\n").rearMirror);
  EXPECT_EQ(Read("PLAY_VALUE=abc\n").playStep, 0);
  EXPECT_EQ(Read("PLAY_VALUE= -3s\n").playStep, -3);
  EXPECT_EQ(Read("PLAY_VALUE=99999999999\n").playStep, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(Read("PLAY_VALUE=8=9\n").playStep, 8);  // the first '=' splits
}

TEST_F(ViewerOptionsFileTest, LongLinesArriveInPartsOf255) {
  // The save folder line is cut after 255 characters; the rest is a line of
  // its own, which here holds a key.
  const std::string head = "SAVE_DIRECTORY=" + std::string(240, 'd');
  ASSERT_EQ(head.size(), 255u);
  const ViewerOptions o = Read(head + "PLAY_VALUE=44\r\n");
  EXPECT_EQ(o.saveFolder, std::string(240, 'd'));
  EXPECT_EQ(o.playStep, 44);
  // A line of exactly 255 characters and its line end.
  const ViewerOptions o2 = Read("PLAY_VALUE=6" + std::string(243, ' ') + "\r\nREAR_MIRROR=1\n");
  EXPECT_EQ(o2.playStep, 6);
  EXPECT_TRUE(o2.rearMirror);
}

TEST_F(ViewerOptionsFileTest, MissingFileLeavesTheRecordAsItWas) {
  ViewerOptions options;
  options.playStep = 11;
  EXPECT_FALSE(ReadViewerOptions(PathOf("none.ini"), options));
  EXPECT_FALSE(ReadViewerOptions("", options));
  EXPECT_EQ(options.playStep, 11);
  EXPECT_TRUE(ReadViewerOptions(WriteText(""), options));
  EXPECT_EQ(options.playStep, 11);
}

TEST_F(ViewerOptionsFileTest, WritesTheElevenLinesAndReadsThemBack) {
  ViewerOptions written;
  written.saveFolder = "/home/u/사진 폴더";
  written.playStep = -15;
  written.rearMirror = true;
  const std::string path = PathOf("option.ini");
  WriteText("old text that is much longer than the new file will be ....................");
  ASSERT_TRUE(WriteViewerOptions(path, written));

  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(),
            "[DIRECTORY]\r\nROOT_DIRECTORY=VN_ZORVANE\r\nEVENT_DIRECTORY=MP4_EVENT\r\n"
            "CONTINUOS_DIRECTORY=MP4_INFINITE\r\n[OPTION]\r\n"
            "SAVE_DIRECTORY=/home/u/사진 폴더\r\nPLAY_VALUE=-15\r\nUSE_LOG=FALSE\r\n"
            "LOG_LEVEL=3\r\nLOG_TYPE=3\r\nREAR_MIRROR=1\r\n");

  ViewerOptions read;
  ASSERT_TRUE(ReadViewerOptions(path, read));
  EXPECT_EQ(read.saveFolder, written.saveFolder);
  EXPECT_EQ(read.playStep, written.playStep);
  EXPECT_EQ(read.rearMirror, written.rearMirror);
  written.rearMirror = false;
  ASSERT_TRUE(WriteViewerOptions(path, written));
  ASSERT_TRUE(ReadViewerOptions(path, read));
  EXPECT_FALSE(read.rearMirror);
}

TEST_F(ViewerOptionsFileTest, WriteIntoAMissingFolderFailsAndCreatesNothing) {
  const std::string program = PathOf("program");
  ASSERT_TRUE(QDir().mkdir(QString::fromStdString(program)));
  const std::string path = OptionsFilePathIn(program);
  EXPECT_EQ(path, program + "/config/option.ini");
  EXPECT_FALSE(WriteViewerOptions(path, ViewerOptions{}));
  EXPECT_TRUE(QDir(QString::fromStdString(program)).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
  EXPECT_FALSE(WriteViewerOptions("", ViewerOptions{}));
  EXPECT_EQ(OptionsFilePathIn(""), "");
}

// Points the user's home at a folder of the test's own while it runs.
class HomeFolderTest : public ViewerOptionsFileTest {
 protected:
  ScopedEnvironment home_{"HOME", dir_.path().toUtf8().constData()};
  ScopedEnvironment config_{"XDG_CONFIG_HOME", nullptr};
};

TEST_F(HomeFolderTest, EmptySaveFolderBecomesTheCreatedDefault) {
  ASSERT_TRUE(QDir().mkdir(dir_.path() + "/Documents"));
  const std::string expected = dir_.path().toStdString() + "/Documents/CAM_CAPTURE";
  EXPECT_EQ(DefaultCaptureFolder(), expected);
  ASSERT_TRUE(QDir().rmdir(QString::fromStdString(expected)));

  const ViewerOptions o = Read("SAVE_DIRECTORY=\t\r\n");
  EXPECT_EQ(o.saveFolder, expected);
  EXPECT_TRUE(QDir(QString::fromStdString(expected)).exists());
  EXPECT_EQ(DefaultCaptureFolder(), expected);  // an existing folder is fine
}

// A new account may have no Documents folder yet: it is made with the
// snapshot folder inside it.
TEST_F(HomeFolderTest, AMissingDocumentsFolderIsCreated) {
  const std::string expected = dir_.path().toStdString() + "/Documents/CAM_CAPTURE";
  EXPECT_EQ(DefaultCaptureFolder(), expected);
  EXPECT_TRUE(QDir(QString::fromStdString(expected)).exists());
}

// The documents folder is the user's XDG documents folder, wherever the
// user has put it.
TEST_F(HomeFolderTest, TheDocumentsFolderComesFromTheXdgUserFolders) {
  const QString config = dir_.path() + "/config";
  ScopedEnvironment xdgConfig{"XDG_CONFIG_HOME", config.toUtf8().constData()};
  ASSERT_TRUE(QDir().mkpath(config));
  QFile dirs(config + "/user-dirs.dirs");
  ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
  dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  dirs.close();
  const std::string expected = dir_.path().toStdString() + "/Dokumente/CAM_CAPTURE";
  EXPECT_EQ(DefaultCaptureFolder(), expected);
  EXPECT_TRUE(QDir(QString::fromStdString(expected)).exists());
}

}  // namespace
}  // namespace zv
