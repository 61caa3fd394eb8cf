// SPDX-License-Identifier: GPL-3.0-or-later
// The generator's own logic: sensor records as the recorder delivers them,
// the demo card's plan and files, the noisy picture texture, and the command
// line.
#include "DemoCardWriter.h"
#include "GermanLocale.h"
#include "MkrecCommandLine.h"
#include "RecordingFormat.h"
#include "SceneRenderer.h"
#include "SensorRecordGenerator.h"
#include "sensors/GpsText.h"
#include "sensors/SensorRecords.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

using namespace zv::mkrec;

namespace {

QDateTime Local(const char* text)
{
    return QDateTime::fromString(text, "yyyy-MM-dd hh:mm:ss");
}

QStringList Fields(const std::string& record)
{
    return QString::fromStdString(record).split(',');
}

TEST(SensorRecordGeneratorTest, GpsFixesAreRmcSentencesInUtc)
{
    EXPECT_EQ(SensorRecordGenerator::WithChecksum("GPRMC,053019.000,A,3733.9900,N,12658.6800,E,022.4,084.4,230513,,,A"),
              "GPRMC,053019.000,A,3733.9900,N,12658.6800,E,022.4,084.4,230513,,,A*68");

    const RouteSimulator route(20, 0, false);
    // 08:30 local on 24 May is 23:30 UTC on 23 May.
    const SensorRecordGenerator sensors(route, Local("2013-05-24 08:30:00"), GpsMode::Route, false, 1);
    const std::string fix = sensors.GpsRecord(10500);
    const QStringList f = Fields(fix);
    ASSERT_EQ(f.size(), 13) << fix;
    EXPECT_EQ(f[0], "GPRMC");
    EXPECT_EQ(f[1], "233010.500");
    EXPECT_EQ(f[2], "A");
    EXPECT_TRUE(f[3].startsWith("37") && f[3].length() == 9) << fix; // ddmm.mmmm near 37.57 N
    EXPECT_EQ(f[4], "N");
    EXPECT_TRUE(f[5].startsWith("126") && f[5].length() == 10) << fix;
    EXPECT_EQ(f[6], "E");
    EXPECT_NEAR(f[7].toDouble() * 1.852, route.SpeedKmh(10.5), 0.1);
    EXPECT_EQ(f[9], "230513");
    EXPECT_EQ(fix, SensorRecordGenerator::WithChecksum(fix.substr(0, fix.size() - 3)));

    const SensorRecordGenerator noFix(route, Local("2013-05-24 08:30:00"), GpsMode::Invalid, false, 1);
    const QStringList v = Fields(noFix.GpsRecord(0));
    ASSERT_GE(v.size(), 10);
    EXPECT_EQ(v[2], "V");
    EXPECT_EQ(v[9], "230513");
}

// The generator runs as a Qt program, which takes the user's locale: its
// NMEA numbers must still use a point under a comma locale.
TEST(SensorRecordGeneratorTest, GpsFixesKeepAPointUnderACommaLocale)
{
    const RouteSimulator route(20, 0, false);
    const SensorRecordGenerator sensors(route, Local("2013-05-24 08:30:00"), GpsMode::Route, false, 1);
    const std::string inC = sensors.GpsRecord(10500);
    GermanLocale german;
    ASSERT_TRUE(german.Active()) << "the de_DE.UTF-8 locale could not be made";
    EXPECT_EQ(sensors.GpsRecord(10500), inC);
    EXPECT_EQ(Fields(inC).size(), 13) << inC;
}

TEST(SensorRecordGeneratorTest, RecordsFollowTheSensorRatesAndRanges)
{
    const RouteSimulator route(10, 0, false);
    for (const GpsMode gps : {GpsMode::Route, GpsMode::None}) {
        for (const bool impact : {false, true}) {
            const SensorRecordGenerator sensors(route, Local("2026-01-01 12:00:00"), gps, impact, 7);
            const std::vector<SensorRecord> records = sensors.Generate(10000);
            int samples = 0, fixes = 0, strongest = 0;
            std::uint32_t last = 0;
            for (const SensorRecord& r : records) {
                EXPECT_GE(r.timeMs, last);
                last = r.timeMs;
                if (r.bytes[0] == zv::recfmt::kGpsRecordTag) {
                    EXPECT_EQ(r.timeMs % 1000, 0u);
                    ++fixes;
                    continue;
                }
                ASSERT_EQ(r.bytes.size(), zv::recfmt::kGSensorRecordSize);
                EXPECT_EQ(r.bytes[0], zv::recfmt::kGSensorRecordTag);
                EXPECT_EQ(r.timeMs % 100, 0u);
                for (int axis = 1; axis <= 3; ++axis)
                    strongest = std::max(strongest, std::abs(zv::recfmt::DecodeGSensorAxis(std::uint8_t(r.bytes[axis]))));
                ++samples;
            }
            EXPECT_EQ(samples, 100);
            EXPECT_EQ(fixes, gps == GpsMode::None ? 0 : 10);
            EXPECT_LT(last, 10000u);
            if (impact)
                EXPECT_GE(strongest, 100);
            else
                EXPECT_LT(strongest, 40);
        }
    }
}

// The viewer's own sensor decoding reads what the generator writes: local
// time back from UTC, a position near City Hall, the speed of the drive.
TEST(SensorRecordGeneratorTest, ViewerDecodesTheRecords)
{
    const RouteSimulator route(12, 0, false);
    const SensorRecordGenerator sensors(route, Local("2026-07-08 21:15:30"), GpsMode::Route, true, 3);
    zv::ClearSensorRecords();
    for (const SensorRecord& r : sensors.Generate(12000)) {
        std::uint8_t record[zv::kSensorRecordSize] = {};
        std::copy(r.bytes.begin(), r.bytes.end(), record);
        zv::DispatchSensorRecord(record, r.timeMs);
    }
    ASSERT_EQ(zv::GSensorRecords().Count(), 120u);
    ASSERT_EQ(zv::GpsRecords().Count(), 12u);
    for (std::size_t i = 0; i < zv::GpsRecords().Count(); ++i) {
        const CGPSData& fix = zv::GpsRecords()[i];
        EXPECT_EQ(fix.valid, 1);
        EXPECT_EQ(fix.hour, 21);
        EXPECT_EQ(fix.minute, 15);
        EXPECT_EQ(fix.second, 30 + int(i));
        EXPECT_EQ(fix.day, 8);
        EXPECT_NEAR(zv::NmeaToDegrees(fix.latitude), 37.5665, 0.01);
        EXPECT_NEAR(zv::NmeaToDegrees(fix.longitude), 126.978, 0.01);
        EXPECT_NEAR(fix.speedKmh, route.SpeedKmh(double(i)), 0.2) << "fix " << i;
    }
    double speed = 0;
    ASSERT_TRUE(zv::FindSpeed(6000, speed));
    EXPECT_NEAR(speed, route.SpeedKmh(6), 0.2);
    zv::ClearSensorRecords();
}

TEST(DemoCardWriterTest, PlanNamesEveryKindInTimeOrder)
{
    RecordingOptions base;
    base.start = Local("2026-03-04 10:00:00");
    const DemoCardWriter card("/card", 0.25, base);
    const auto plan = card.Plan();
    ASSERT_GE(plan.size(), 8u);
    // Prefix, date, one character, time, two characters, then ".AVI" or a
    // parking suffix.
    static const QRegularExpression name(
        "^(REC|EVT|PRK|MDI)_\\d{8}_\\d{6}_[12](\\.AVI|_LPSTOP\\.AVI|_LPSTART\\.AVI|_SDEXIT\\.AVI)$");
    QDateTime previousEnd;
    QStringList prefixes, suffixes;
    bool oneChannel = false, noGps = false;
    for (const auto& r : plan) {
        const QString file = r.relativePath.section('/', -1);
        EXPECT_TRUE(name.match(file).hasMatch()) << file.toStdString();
        EXPECT_TRUE(file.length() == 25 || file.length() == 32 || file.length() == 33);
        EXPECT_EQ(QDateTime::fromString(file.mid(4, 15), "yyyyMMdd_hhmmss"), r.options.start);
        if (previousEnd.isValid()) {
            EXPECT_GE(r.options.start, previousEnd) << file.toStdString();
        }
        previousEnd = r.options.start.addSecs(qint64(r.options.seconds));
        prefixes << file.left(4);
        suffixes << file.mid(21);
        oneChannel |= !r.options.rear && file.mid(19, 2) == "_1";
        noGps |= r.options.gps == GpsMode::None;
    }
    EXPECT_EQ(previousEnd, base.start);
    for (const char* kind : {"REC_", "EVT_", "PRK_", "MDI_"})
        EXPECT_TRUE(prefixes.contains(kind)) << kind;
    for (const char* suffix : {".AVI", "_LPSTOP.AVI", "_LPSTART.AVI", "_SDEXIT.AVI"})
        EXPECT_TRUE(suffixes.contains(suffix)) << suffix;
    EXPECT_TRUE(oneChannel);
    EXPECT_TRUE(noGps);
}

TEST(DemoCardWriterTest, ConfigurationFilesUseTheRecorderLayout)
{
    const QByteArray setup = DemoCardWriter::SetupFileContents();
    const QList<QByteArray> lines = setup.split('\n');
    ASSERT_EQ(lines.size(), 15); // 14 lines and the empty rest after the last LF
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i < 14; ++i) {
        EXPECT_TRUE(lines[i].endsWith('\r')) << i;
        EXPECT_EQ(lines[i].mid(24, 2), ": ") << i;
        EXPECT_GT(lines[i].size(), 27) << i;
    }
    EXPECT_EQ(lines[0], "Product Name            : K310\r");
    EXPECT_EQ(lines[4], "REC Video Qulity        : 3\r");
    EXPECT_EQ(lines[7], "Video Channles          : 2\r");
    EXPECT_EQ(lines[13], "LCD Off Time            : 0\r");
    EXPECT_EQ(DemoCardWriter::TimeFileContents(Local("2026-03-04 05:06:07")), "26/03/04\r\n05/06/07\r\n");
}

// Noisy pictures differ from frame to frame (sensor noise) and from the plain
// scene everywhere, yet the frame code still reads; the same frame renders
// the same picture, so files are reproducible.
TEST(SceneRendererTest, NoiseTextureKeepsTheFrameCodeAndVariesPerFrame)
{
    const QSize size(480, 270);
    const SceneRenderer plain(zv::FrameCodeChannel::Rear, size);
    const SceneRenderer noisy(zv::FrameCodeChannel::Rear, size, Texture::Noise);
    const SceneMoment moment{1234, 40.0, 50.0, Local("2026-01-01 00:00:00")};
    const QImage a = noisy.Render(moment);
    EXPECT_EQ(a, noisy.Render(moment));
    SceneMoment next = moment;
    next.frame += 1;
    const QImage b = noisy.Render(next);
    const QImage clean = plain.Render(moment);
    int changed = 0, differsFromPlain = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            changed += a.pixel(x, y) != b.pixel(x, y);
            differsFromPlain += a.pixel(x, y) != clean.pixel(x, y);
        }
    const int pixels = size.width() * size.height();
    EXPECT_GT(changed, pixels * 9 / 10);
    EXPECT_GT(differsFromPlain, pixels * 9 / 10);
    for (const auto& [picture, frame] : {std::pair{a, 1234}, std::pair{b, 1235}}) {
        const zv::FrameCodeReading reading = zv::ReadFrameCode(picture);
        EXPECT_TRUE(reading.found);
        EXPECT_EQ(reading.frame, frame);
        EXPECT_EQ(reading.channel, zv::FrameCodeChannel::Rear);
    }
}

TEST(MkrecCommandLineTest, ReadsOptionsAndRejectsBadOnes)
{
    const QDateTime now = Local("2026-01-01 00:00:00");
    MkrecCommandLine ok;
    ASSERT_TRUE(ok.Parse({"out.avi", "--seconds", "3", "--front", "320x180", "--rear", "none", "--fps", "25",
                          "--audio", "pcm", "--gps", "invalid", "--event", "--start", "2025-12-31 23:59:58"},
                         now))
        << ok.Error();
    EXPECT_FALSE(ok.CardMode());
    EXPECT_EQ(ok.Output(), "out.avi");
    EXPECT_EQ(ok.Options().front, QSize(320, 180));
    EXPECT_FALSE(ok.Options().rear);
    EXPECT_EQ(ok.Options().fps, 25);
    EXPECT_EQ(ok.Options().audio, AudioMode::Pcm);
    EXPECT_EQ(ok.Options().gps, GpsMode::Invalid);
    EXPECT_TRUE(ok.Options().event);
    EXPECT_EQ(ok.Options().start, Local("2025-12-31 23:59:58"));
    EXPECT_EQ(ok.Options().videoKbps, 0);
    EXPECT_EQ(ok.Options().texture, Texture::Plain);

    MkrecCommandLine realistic;
    ASSERT_TRUE(realistic.Parse({"out.avi", "--bitrate", "10000", "--texture", "noise", "--bframes", "2"}, now))
        << realistic.Error();
    EXPECT_EQ(realistic.Options().videoKbps, 10000);
    EXPECT_EQ(realistic.Options().bFrames, 2);
    EXPECT_EQ(realistic.Options().texture, Texture::Noise);

    MkrecCommandLine card;
    ASSERT_TRUE(card.Parse({"--card", "dir", "--minutes", "2"}, now.addMSecs(789)));
    EXPECT_TRUE(card.CardMode());
    EXPECT_EQ(card.CardMinutes(), 2.0);
    EXPECT_EQ(card.Options().start, now); // on the whole second

    const std::vector<QStringList> bad = {
        {},
        {"a.avi", "b.avi"},
        {"a.avi", "--seconds"},
        {"a.avi", "--seconds", "0"},
        {"a.avi", "--seconds", "ten"},
        {"a.avi", "--front", "1920"},
        {"a.avi", "--front", "321x180"},
        {"a.avi", "--rear", "yes"},
        {"a.avi", "--fps", "0"},
        {"a.avi", "--audio", "mp3"},
        {"a.avi", "--gps", "maybe"},
        {"a.avi", "--start", "yesterday"},
        {"a.avi", "--riff-limit", "100"},
        {"a.avi", "--colour", "red"},
        {"a.avi", "--bitrate", "10"},
        {"a.avi", "--bitrate", "fast"},
        {"a.avi", "--texture", "grass"},
        {"a.avi", "-x"},
        {"a.avi", "--bframes", "9"},
        {"--card"},
    };
    for (const QStringList& arguments : bad) {
        MkrecCommandLine line;
        EXPECT_FALSE(line.Parse(arguments, now)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(line.Error().empty());
    }
}

TEST(MkrecCommandLineTest, HelpAndVersionStopParsing)
{
    MkrecCommandLine help;
    ASSERT_TRUE(help.Parse({"--help", "--colour"}, QDateTime::currentDateTime()));
    EXPECT_TRUE(help.HelpRequested());
    MkrecCommandLine version;
    ASSERT_TRUE(version.Parse({"a.avi", "--version"}, QDateTime::currentDateTime()));
    EXPECT_TRUE(version.VersionRequested());
    EXPECT_FALSE(version.HelpRequested());
}

} // namespace
