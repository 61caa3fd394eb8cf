// SPDX-License-Identifier: GPL-3.0-or-later
// The arguments of zv-mkrec:
//   zv-mkrec OUT.AVI [--seconds N] [--front WxH] [--rear WxH|none] [--fps N]
//            [--audio aac|pcm|none] [--gps route|none|invalid] [--event]
//            [--start "YYYY-MM-DD hh:mm:ss"] [--riff-limit BYTES]
//            [--bitrate KBPS] [--texture plain|noise] [--scene road|chart]
//            [--bframes N]
//   zv-mkrec --card DIR [--minutes N] [--start ...] [--front ...] [--rear ...]
//            [--fps N] [--audio ...]
#pragma once

#include "RecordingOptions.h"

#include <QStringList>

#include <string>

namespace zv::mkrec {

class MkrecCommandLine
{
public:
    // Parses the arguments after the program name. False with Error() set
    // when they are not usable.
    bool Parse(const QStringList& arguments, const QDateTime& now);

    // --help or --version was given: print Help() or Version() and stop.
    bool HelpRequested() const { return m_help; }
    bool VersionRequested() const { return m_version; }
    bool CardMode() const { return m_card; }
    const QString& Output() const { return m_output; }
    const RecordingOptions& Options() const { return m_options; }
    double CardMinutes() const { return m_minutes; }
    const std::string& Error() const { return m_error; }
    static const char* Usage();
    static std::string Help();
    static std::string Version();

private:
    bool ParseOption(const QString& name, const QString& value);
    bool Fail(const QString& what);

    bool m_help = false;
    bool m_version = false;
    bool m_card = false;
    QString m_output;
    RecordingOptions m_options;
    double m_minutes = 0.25;
    std::string m_error;
};

} // namespace zv::mkrec
