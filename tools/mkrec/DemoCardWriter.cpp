// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoCardWriter.h"

#include "RecordingGenerator.h"

#include <QDir>
#include <QSaveFile>

#include <cmath>

namespace zv::mkrec {

namespace {

struct CardEntry
{
    const char* folder;
    const char* prefix;
    const char* suffix;
    double lengthScale; // parking recordings are shorter
    bool rear;
    GpsMode gps;
    bool event;
    bool parked;
    double gapS; // pause before this recording starts
};

// Driving, an impact, a stretch without GPS and one with the rear camera
// unplugged, then parking with its start, motion, stop and card-exit files.
constexpr CardEntry kCard[] = {
    {"MP4_INFINITE", "REC_", "", 1.0, true, GpsMode::Route, false, false, 0},
    {"MP4_INFINITE", "REC_", "", 1.0, true, GpsMode::Route, false, false, 0},
    {"MP4_EVENT", "EVT_", "", 1.0, true, GpsMode::Route, true, false, 0},
    {"MP4_INFINITE", "REC_", "", 1.0, true, GpsMode::None, false, false, 0},
    {"MP4_INFINITE", "REC_", "", 1.0, false, GpsMode::Route, false, false, 0},
    {"MP4_PARKING", "PRK_", "_LPSTART", 0.5, true, GpsMode::Invalid, false, true, 60},
    {"MP4_PARKING", "PRK_", "", 0.5, true, GpsMode::Invalid, false, true, 0},
    {"MP4_PARKING", "MDI_", "", 0.5, true, GpsMode::Invalid, true, true, 300},
    {"MP4_PARKING", "PRK_", "_LPSTOP", 0.5, true, GpsMode::Invalid, false, true, 600},
    {"MP4_PARKING", "PRK_", "_SDEXIT", 0.5, true, GpsMode::Invalid, false, true, 0},
};

constexpr const char* kSetupLines[][2] = {
    {"Product Name            : ", "K310"},
    {"H/W Version             : ", "V1.0.0"},
    {"S/W Version             : ", "V0.0.6"},
    {"Acc Trigger Level       : ", "3"},
    {"REC Video Qulity        : ", "3"},
    {"REC Audio Enable        : ", "1"},
    {"SPK Vol                 : ", "3"},
    {"Video Channles          : ", "2"},
    {"Parking Mode Select     : ", "1"},
    {"Parking Mode Time       : ", "0"},
    {"Car Battery Volt        : ", "0"},
    {"Battery CutOff Volt     : ", "3"},
    {"Power Off Timer         : ", "2"},
    {"LCD Off Time            : ", "0"},
};

} // namespace

DemoCardWriter::DemoCardWriter(QString root, double minutes, RecordingOptions base)
    : m_root(std::move(root)), m_minutes(minutes), m_base(std::move(base))
{
}

bool DemoCardWriter::Fail(const std::string& what)
{
    if (m_error.empty())
        m_error = what;
    return false;
}

QString DemoCardWriter::RecordingName(const QString& prefix, const QDateTime& start, int channels,
                                      const QString& suffix)
{
    return prefix + start.toString("yyyyMMdd_hhmmss") + "_" + QString::number(channels) + suffix + ".AVI";
}

QByteArray DemoCardWriter::SetupFileContents()
{
    QByteArray contents;
    for (const auto& line : kSetupLines)
        contents += QByteArray(line[0]) + line[1] + "\r\n";
    return contents;
}

QByteArray DemoCardWriter::TimeFileContents(const QDateTime& now)
{
    return (now.toString("yy/MM/dd") + "\r\n" + now.toString("hh/mm/ss") + "\r\n").toLatin1();
}

std::vector<DemoCardWriter::PlannedRecording> DemoCardWriter::Plan() const
{
    std::vector<PlannedRecording> plan;
    double totalS = 0;
    for (const CardEntry& e : kCard)
        totalS += e.gapS + std::max(1.0, std::round(m_minutes * 60 * e.lengthScale));
    QDateTime start = m_base.start.addSecs(-qint64(totalS));
    double routeM = 0;
    for (const CardEntry& e : kCard) {
        start = start.addSecs(qint64(e.gapS));
        RecordingOptions options = m_base;
        options.seconds = std::max(1.0, std::round(m_minutes * 60 * e.lengthScale));
        options.start = start;
        if (!e.rear)
            options.rear.reset();
        options.gps = e.gps;
        options.event = e.event;
        options.parked = e.parked;
        options.routeStartM = routeM;
        routeM += 54 / 3.6 * options.seconds * 0.8;
        const QString name = RecordingName(e.prefix, start, options.rear ? 2 : 1, e.suffix);
        plan.push_back({QStringLiteral("VN_ZORVANE/") + e.folder + "/" + name, options});
        start = start.addSecs(qint64(options.seconds));
    }
    return plan;
}

bool DemoCardWriter::WriteTextFile(const QString& name, const QByteArray& contents)
{
    QSaveFile file(QDir(m_root).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit())
        return Fail("cannot write " + file.fileName().toStdString() + ": " + file.errorString().toStdString());
    return true;
}

bool DemoCardWriter::Write()
{
    const QDir root(m_root);
    for (const PlannedRecording& recording : Plan()) {
        const QString path = root.filePath(recording.relativePath);
        if (!QDir().mkpath(QFileInfo(path).path()))
            return Fail("cannot create the folder of " + path.toStdString());
        if (m_onRecording)
            m_onRecording(recording.relativePath);
        RecordingGenerator generator(recording.options);
        if (!generator.Write(path.toStdString()))
            return Fail(path.toStdString() + ": " + generator.Error());
    }
    return WriteTextFile("setup.cfg", SetupFileContents())
        && WriteTextFile("time.cfg", TimeFileContents(QDateTime::currentDateTime()));
}

} // namespace zv::mkrec
