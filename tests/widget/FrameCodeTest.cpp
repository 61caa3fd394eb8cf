// SPDX-License-Identifier: GPL-3.0-or-later
// The frame code burned into generated pictures: it reads back plain and
// mirrored, after scaling and lossy compression, and through a real H.264
// encode by zv-mkrec and a decode by GStreamer.
#include "FrameCode.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <vector>

using zv::FrameCodeChannel;
using zv::FrameCodeReading;

namespace {

QImage Scene(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(60, 120, 210));
    sky.setColorAt(1, QColor(70, 130, 60));
    painter.fillRect(image.rect(), sky);
    return image;
}

QImage Jpeg(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", quality);
    return QImage::fromData(bytes, "JPG");
}

void ExpectReading(const QImage& image, int frame, FrameCodeChannel channel, bool mirrored, const char* what)
{
    const FrameCodeReading r = zv::ReadFrameCode(image);
    EXPECT_TRUE(r.found) << what << " frame " << frame;
    EXPECT_EQ(r.frame, frame) << what;
    EXPECT_EQ(r.channel, channel) << what;
    EXPECT_EQ(r.mirrored, mirrored) << what;
}

TEST(FrameCodeTest, ReadsPlainMirroredScaledAndCompressed)
{
    for (const int frame : {0, 1, 29, 12345, zv::kMaxFrameCodeFrame}) {
        for (const FrameCodeChannel channel : {FrameCodeChannel::Front, FrameCodeChannel::Rear}) {
            QImage image = Scene(QSize(1920, 1080));
            zv::DrawFrameCode(image, frame, channel);
            const QImage mirrored = image.mirrored(true, false);
            ExpectReading(image, frame, channel, false, "plain");
            ExpectReading(mirrored, frame, channel, true, "mirrored");
            const QSize quarter(480, 270);
            ExpectReading(Jpeg(image.scaled(quarter, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), 40),
                          frame, channel, false, "quarter size, JPEG");
            ExpectReading(Jpeg(mirrored.scaled(QSize(640, 480), Qt::IgnoreAspectRatio, Qt::SmoothTransformation), 40),
                          frame, channel, true, "mirrored, other aspect, JPEG");
        }
    }
}

TEST(FrameCodeTest, FindsNothingWithoutACode)
{
    EXPECT_FALSE(zv::ReadFrameCode(Scene(QSize(1280, 720))).found);
    EXPECT_FALSE(zv::ReadFrameCode(QImage()).found);
    QImage stripes(640, 360, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, (x / 7 + y / 5) % 2 ? 0xFFFFFFFF : 0xFF000000);
    EXPECT_FALSE(zv::ReadFrameCode(stripes).found);
    // A damaged code fails its checksum instead of giving a wrong number:
    // whiten cell 12, a zero bit of 1000 (bit 11).
    QImage damaged = Scene(QSize(960, 540));
    zv::DrawFrameCode(damaged, 1000, FrameCodeChannel::Front);
    ASSERT_TRUE(zv::ReadFrameCode(damaged).found);
    const int cellWidth = 960 / 48, cellHeight = 540 / 27, firstColumn = 8;
    QPainter(&damaged).fillRect(QRect((firstColumn + 12) * cellWidth, cellHeight, cellWidth, cellHeight), Qt::white);
    EXPECT_FALSE(zv::ReadFrameCode(damaged).found);
}

// Every picture of one video stream of a file, decoded by GStreamer.
std::vector<QImage> DecodeVideo(const QString& path, int stream)
{
    const QString description =
        QStringLiteral("filesrc location=\"%1\" ! avidemux name=d d.video_%2 ! h264parse ! avdec_h264"
                       " ! videoconvert ! video/x-raw,format=BGRx ! appsink name=out sync=false")
            .arg(path)
            .arg(stream);
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), &error);
    if (error != nullptr) {
        ADD_FAILURE() << error->message;
        g_clear_error(&error);
        return {};
    }
    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "out");
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    std::vector<QImage> pictures;
    while (GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 20 * GST_SECOND)) {
        GstVideoInfo info;
        gst_video_info_from_caps(&info, gst_sample_get_caps(sample));
        GstMapInfo map;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        gst_buffer_map(buffer, &map, GST_MAP_READ);
        pictures.push_back(QImage(map.data, GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info),
                                  GST_VIDEO_INFO_PLANE_STRIDE(&info, 0), QImage::Format_RGB32)
                               .copy());
        gst_buffer_unmap(buffer, &map);
        gst_sample_unref(sample);
    }
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    EXPECT_EQ(message, nullptr) << "decoding " << path.toStdString() << " failed";
    if (message != nullptr)
        gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(sink);
    gst_object_unref(pipeline);
    return pictures;
}

// The file is split into several RIFF parts, so the decode also crosses
// into the AVIX parts.
TEST(FrameCodeTest, SurvivesEncodingAndDecodingOfBothChannels)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("code.avi");
    QProcess mkrec;
    mkrec.start(ZV_MKREC_PATH, {path, "--seconds", "2", "--front", "320x180", "--rear", "160x90",
                                "--riff-limit", "65536", "--start", "2026-01-02 03:04:05"});
    ASSERT_TRUE(mkrec.waitForFinished(60000));
    ASSERT_EQ(mkrec.exitCode(), 0) << mkrec.readAllStandardError().toStdString();

    const FrameCodeChannel channels[] = {FrameCodeChannel::Front, FrameCodeChannel::Rear};
    for (int stream = 0; stream < 2; ++stream) {
        const std::vector<QImage> pictures = DecodeVideo(path, stream);
        ASSERT_EQ(pictures.size(), 60u) << "stream " << stream;
        for (int i = 0; i < int(pictures.size()); ++i) {
            ExpectReading(pictures[i], i, channels[stream], false, "decoded");
            ExpectReading(pictures[i].mirrored(true, false), i, channels[stream], true, "decoded, mirrored");
        }
    }
}

} // namespace
