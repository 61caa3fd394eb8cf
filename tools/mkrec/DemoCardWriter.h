// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a demo memory card as the recorder leaves it: recordings of every
// kind in its folders, named after their start time, and setup.cfg and
// time.cfg in the card's root.
#pragma once

#include "RecordingOptions.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace zv::mkrec {

class DemoCardWriter
{
public:
    // `minutes`: length of each driving recording (parking ones are half as
    // long). `base` gives the picture sizes, frame rate and audio, and in
    // `base.start` the moment the last recording ends.
    DemoCardWriter(QString root, double minutes, RecordingOptions base);

    // Called with each recording's path relative to the card before it is made.
    void OnRecording(std::function<void(const QString&)> callback) { m_onRecording = std::move(callback); }
    bool Write();
    const std::string& Error() const { return m_error; }

    struct PlannedRecording
    {
        QString relativePath; // e.g. VN_ZORVANE/MP4_EVENT/EVT_20261206_201318_2.AVI
        RecordingOptions options;
    };
    // The recordings of the card, oldest first.
    std::vector<PlannedRecording> Plan() const;

    static QString RecordingName(const QString& prefix, const QDateTime& start, int channels,
                                 const QString& suffix);
    static QByteArray SetupFileContents();
    static QByteArray TimeFileContents(const QDateTime& now);

private:
    bool WriteTextFile(const QString& name, const QByteArray& contents);
    bool Fail(const std::string& what);

    QString m_root;
    double m_minutes;
    RecordingOptions m_base;
    std::string m_error;
    std::function<void(const QString&)> m_onRecording;
};

} // namespace zv::mkrec
