// SPDX-License-Identifier: GPL-3.0-or-later
// Clip export on real recordings: a copied channel is bit-exact in its video
// packets and lasts its range, side by side with burned-in data and sound is
// re-encoded to the frame asked for, and a cancelled or failed export leaves
// no file behind. ffprobe and ffmpeg read the clips.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

#include "FrameCode.h"
#include "PlaybackTestSupport.h"
#include "WildFixtures.h"
#include "output/ClipExporter.h"
#include "output/ClipOverlayText.h"
#include "sensors/RecordingSensorFile.h"
#include "reader/RecordingReader.h"

using namespace zv;

namespace {

constexpr const char* kTwoChannels = "REC_20130521_143015_F.AVI";  // 4 s at 30 fps, AAC
constexpr const char* kOneChannelPcm = "REC_20130521_143115_F.AVI";
constexpr double kFrameS = 1.0 / 30;

QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

// "codec_type=video codec_name=h264 ..." of each stream, and the duration.
QString Probe(const QString& file, const QString& entries) {
  return RunTool("ffprobe", {"-v", "error", "-show_entries", entries, "-of", "compact=p=0:nk=0", file}).trimmed();
}

// The NAL units of a video stream in Annex B form (as the recording stores
// it), without their start codes: the same units in the same order mean the
// same coded pictures, whatever the container's framing.
QList<QByteArray> NalUnits(const QString& file, int stream) {
  QProcess ffmpeg;
  ffmpeg.start("ffmpeg", {"-v", "error", "-i", file, "-map", QString("0:v:%1").arg(stream), "-c", "copy", "-bsf:v",
                          "h264_mp4toannexb", "-f", "h264", "-"});
  ffmpeg.waitForFinished(60000);
  const QByteArray bytes = ffmpeg.readAllStandardOutput();
  const QByteArray startCode("\0\0\1", 3);
  QList<QByteArray> units;
  for (qsizetype at = bytes.indexOf(startCode); at >= 0;) {
    const qsizetype next = bytes.indexOf(startCode, at + 3);
    // A unit runs to the next start code, less the zero that a four-byte
    // start code puts before it.
    QByteArray unit = bytes.mid(at + 3, next < 0 ? -1 : next - at - 3);
    while (unit.endsWith('\0')) unit.chop(1);
    units << unit;
    at = next;
  }
  return units;
}

// The units grouped into pictures: each picture starts with its access unit
// delimiter (NAL type 9), as the recorder's encoder writes them.
QList<QList<QByteArray>> Pictures(const QList<QByteArray>& units) {
  QList<QList<QByteArray>> pictures;
  for (const QByteArray& unit : units) {
    if ((unit[0] & 0x1F) == 9 || pictures.isEmpty()) pictures.append(QList<QByteArray>());
    pictures.last() << unit;
  }
  return pictures;
}

int WhitePixels(const QImage& area) {
  int count = 0;
  for (int y = 0; y < area.height(); ++y)
    for (int x = 0; x < area.width(); ++x) count += qGray(area.pixel(x, y)) > 220 ? 1 : 0;
  return count;
}

class ClipExportTest : public ::testing::Test {
 protected:
  // Exports and waits for the end; true when the clip is there.
  bool Export(const char* name, const ClipRequest& request, const QString& out) {
    return ExportFile(Fixture(name), request, out);
  }
  bool ExportFile(const std::string& path, const ClipRequest& request, const QString& out) {
    RecordingReader reader;
    std::string error;
    if (!reader.Open(path) || !ClipExportPlan::Make(reader.recording(), request, plan_, error)) return false;
    RecordingSensorFile sensors;
    sensors.Read(path, error);
    SensorRecordArray<CGPSData> fixes;
    for (const auto& record : sensors.records)
      if (const auto* fix = std::get_if<CGPSData>(&record)) fixes.Append(*fix);
    auto overlay = std::make_shared<ClipOverlayText>(sensors.nameClockMs, std::move(fixes));
    QSignalSpy done(&exporter_, &ClipExporter::finished);
    if (!exporter_.Start(path, plan_, out, overlay)) return false;
    return done.wait(60000) && done.first().first().toBool();
  }
  double DurationOf(const QString& file) { return Probe(file, "format=duration").section('=', 1).toDouble(); }

  QTemporaryDir dir_;
  ClipExporter exporter_;
  ClipExportPlan plan_;
};

TEST_F(ClipExportTest, ACopiedChannelIsBitExactAndLastsItsRange) {
  const QString clip = dir_.path() + "/front.mp4";
  ASSERT_TRUE(Export(kTwoChannels, {0, 4000, ClipChannels::Front, true, false}, clip)) << exporter_.Error().toStdString();
  EXPECT_EQ(plan_.video, ClipExportPlan::Video::Copy);
  const QString streams = Probe(clip, "stream=codec_type,codec_name,width,height");
  EXPECT_TRUE(streams.contains("codec_name=h264|codec_type=video|width=320|height=180")) << streams.toStdString();
  EXPECT_TRUE(streams.contains("codec_name=aac|codec_type=audio")) << streams.toStdString();
  EXPECT_NEAR(DurationOf(clip), 4.0, kFrameS);
  EXPECT_EQ(Probe(clip, "stream=nb_frames").section('\n', 0, 0), "nb_frames=120");
  const QList<QByteArray> source = NalUnits(QString::fromStdString(Fixture(kTwoChannels)), 0);
  ASSERT_EQ(Pictures(source).size(), 120);
  EXPECT_TRUE(NalUnits(clip, 0) == source);

  // A range copies from the key frame at or before its start (one a second).
  const QString part = dir_.path() + "/rear-part.mp4";
  ASSERT_TRUE(Export(kTwoChannels, {1500, 3000, ClipChannels::Rear, false, false}, part));
  EXPECT_EQ(plan_.startNs, 1'000'000'000u);
  EXPECT_NEAR(DurationOf(part), 2.0, kFrameS);
  EXPECT_EQ(Probe(part, "stream=codec_type"), "codec_type=video");
  EXPECT_EQ(Probe(part, "stream=nb_frames"), "nb_frames=60");
  const auto rear = Pictures(NalUnits(QString::fromStdString(Fixture(kTwoChannels)), 1));
  EXPECT_TRUE(Pictures(NalUnits(part, 0)) == rear.mid(30, 60));
  EXPECT_FALSE(QFile::exists(ClipExporter::PartialPathOf(part)));
}

TEST_F(ClipExportTest, SideBySideWithDataAndSoundIsEncodedFromTheFrameAskedFor) {
  const QString clip = dir_.path() + "/both.mp4";
  ASSERT_TRUE(Export(kTwoChannels, {500, 2500, ClipChannels::SideBySide, true, true}, clip))
      << exporter_.Error().toStdString();
  EXPECT_EQ(plan_.video, ClipExportPlan::Video::Encode);
  const QString streams = Probe(clip, "stream=codec_type,codec_name,width,height");
  EXPECT_TRUE(streams.contains("codec_name=h264|codec_type=video|width=640|height=180")) << streams.toStdString();
  EXPECT_TRUE(streams.contains("codec_name=aac|codec_type=audio")) << streams.toStdString();
  EXPECT_NEAR(DurationOf(clip), 2.0, kFrameS);
  // The first picture: front frame 15 on the left, rear frame 15 on the right.
  const QString still = dir_.path() + "/first.png";
  RunTool("ffmpeg", {"-v", "error", "-i", clip, "-frames:v", "1", still});
  const QImage picture(still);
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(ReadFrameCode(picture.copy(0, 0, 320, 180)).frame, 15);
  EXPECT_EQ(ReadFrameCode(picture.copy(320, 0, 320, 180)).frame, 15);
  EXPECT_EQ(ReadFrameCode(picture.copy(320, 0, 320, 180)).channel, FrameCodeChannel::Rear);
  // The data's white text at the front picture's bottom right, where the
  // scene itself has only road.
  const QString plain = dir_.path() + "/plain.png";
  RunTool("ffmpeg", {"-v", "error", "-i", QString::fromStdString(Fixture(kTwoChannels)), "-map", "0:v:0", "-vf",
                     "select=eq(n\\,15)", "-frames:v", "1", plain});
  ASSERT_EQ(ReadFrameCode(QImage(plain)).frame, 15);
  EXPECT_LT(WhitePixels(QImage(plain).copy(200, 150, 118, 28)), 5);
  EXPECT_GT(WhitePixels(picture.copy(200, 150, 118, 28)), 50);
}

TEST_F(ClipExportTest, PcmSoundIsEncodedToAac) {
  const QString clip = dir_.path() + "/pcm.mp4";
  ASSERT_TRUE(Export(kOneChannelPcm, {0, 1000, ClipChannels::Front, true, true}, clip)) << exporter_.Error().toStdString();
  EXPECT_TRUE(Probe(clip, "stream=codec_name").contains("codec_name=aac"));
  EXPECT_NEAR(DurationOf(clip), 1.0, kFrameS);
}

// Pictures in another codec than H.264 (here MJPEG with PCM sound, as
// many recorders write, made by ffmpeg) are decoded and encoded again.
TEST_F(ClipExportTest, AnMjpegChannelIsEncoded) {
  const std::string source = MakeWildFixture(dir_.path().toStdString(), "mjpeg-pcm16.avi");
  ASSERT_FALSE(source.empty());
  const QString clip = dir_.path() + "/mjpeg.mp4";
  ASSERT_TRUE(ExportFile(source, {0, 2000, ClipChannels::Front, true, false}, clip)) << exporter_.Error().toStdString();
  EXPECT_EQ(plan_.video, ClipExportPlan::Video::Encode);
  const QString streams = Probe(clip, "stream=codec_type,codec_name");
  EXPECT_TRUE(streams.contains("codec_name=h264|codec_type=video")) << streams.toStdString();
  EXPECT_TRUE(streams.contains("codec_name=aac|codec_type=audio")) << streams.toStdString();
  EXPECT_EQ(Probe(clip, "stream=nb_frames").section('\n', 0, 0), "nb_frames=60");
}

TEST_F(ClipExportTest, ACancelledOrFailedExportLeavesNoFile) {
  const QString clip = dir_.path() + "/cancelled.mp4";
  RecordingReader reader;
  ASSERT_TRUE(reader.Open(Fixture(kTwoChannels)));
  std::string error;
  ASSERT_TRUE(ClipExportPlan::Make(reader.recording(), {0, 4000, ClipChannels::SideBySide, true, false}, plan_, error));
  QSignalSpy done(&exporter_, &ClipExporter::finished);
  ASSERT_TRUE(exporter_.Start(Fixture(kTwoChannels), plan_, clip, nullptr));
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(ClipExporter::PartialPathOf(clip)); }, 10000));
  exporter_.Cancel();
  ASSERT_EQ(done.size(), 1);
  EXPECT_FALSE(done.first().first().toBool());
  EXPECT_FALSE(exporter_.Running());
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);

  // A folder that does not exist: an error and still no file.
  EXPECT_FALSE(Export(kTwoChannels, {0, 1000, ClipChannels::Front, true, false}, dir_.path() + "/missing/clip.mp4"));
  EXPECT_FALSE(exporter_.Error().isEmpty());
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot).size(), 0);
}

}  // namespace
