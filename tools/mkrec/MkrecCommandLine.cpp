// SPDX-License-Identifier: GPL-3.0-or-later
#include "MkrecCommandLine.h"

#include <QRegularExpression>

#include "BuildConfig.h"

namespace zv::mkrec {

namespace {

constexpr int kMinSide = 64;
const QStringList kValueOptions = {"--card", "--seconds", "--minutes", "--front", "--rear", "--fps",
                                   "--audio", "--gps", "--start", "--riff-limit", "--bitrate", "--texture",
                                   "--scene", "--bframes"};
constexpr int kMaxSide = 4096;
constexpr int kMinKbps = 50;
constexpr int kMaxKbps = 200000;
constexpr int kMaxBFrames = 4;

bool ParseSize(const QString& text, QSize& size)
{
    static const QRegularExpression pattern("^(\\d{1,5})x(\\d{1,5})$");
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return false;
    const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
    // Even sides: the encoder works on 4:2:0 pictures.
    if (w < kMinSide || h < kMinSide || w > kMaxSide || h > kMaxSide || w % 2 || h % 2)
        return false;
    size = QSize(w, h);
    return true;
}

// Sets `out` to the value named `text` among `choices`; false if none is.
template <typename T>
bool ParseChoice(const QString& text, std::initializer_list<std::pair<const char*, T>> choices, T& out)
{
    for (const auto& [name, value] : choices) {
        if (text == QLatin1String(name)) {
            out = value;
            return true;
        }
    }
    return false;
}

} // namespace

const char* MkrecCommandLine::Usage()
{
    return "usage: zv-mkrec OUT.AVI [--seconds N] [--front WxH] [--rear WxH|none] [--fps N]\n"
           "                [--audio aac|pcm|none] [--gps route|none|invalid] [--event]\n"
           "                [--start \"YYYY-MM-DD hh:mm:ss\"] [--riff-limit BYTES]\n"
           "                [--bitrate KBPS] [--texture plain|noise] [--scene road|chart]\n"
           "                [--bframes N]\n"
           "       zv-mkrec --card DIR [--minutes N] [--start \"YYYY-MM-DD hh:mm:ss\"]\n"
           "                [--front WxH] [--rear WxH|none] [--fps N] [--audio aac|pcm|none]\n"
           "  --bitrate: video bit rate of each channel in kbit/s (default: from the picture size)\n"
           "  --texture noise: fine detail and sensor noise, as costly to encode as a camera's\n"
           "  --scene chart: a still test chart (fine lines, small text) instead of the road\n"
           "  --bframes N: N B-frames between reference frames (0 to 4); frames in decode order\n"
           "  --start: the first frame of OUT.AVI, or the end of the last recording of the card\n";
}

std::string MkrecCommandLine::Help()
{
    return std::string("zv-mkrec writes sample recordings of a two-camera car event recorder\n"
                       "(H.264 front and rear video, audio, G-sensor and GPS records), or a\n"
                       "whole demo memory card.\n\n")
        + Usage()
        + "\n  -h, --help     show this help and exit\n"
          "      --version  show the version and exit\n";
}

std::string MkrecCommandLine::Version()
{
    return "zv-mkrec " ZV_VERSION "\n";
}

bool MkrecCommandLine::Fail(const QString& what)
{
    m_error = what.toStdString();
    return false;
}

bool MkrecCommandLine::Parse(const QStringList& arguments, const QDateTime& now)
{
    // Recordings start on a whole second: their names carry it.
    m_options.start = now.addMSecs(-now.time().msec());
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == "--help" || arg == "-h" || arg == "--version") {
            (arg == "--version" ? m_version : m_help) = true;
            return true;
        }
        if (!arg.startsWith("-") || arg == "-") {
            if (!m_output.isEmpty())
                return Fail("more than one output: " + arg);
            m_output = arg;
            continue;
        }
        if (arg == "--event") {
            m_options.event = true;
            continue;
        }
        if (!kValueOptions.contains(arg))
            return Fail("unknown option " + arg);
        if (i + 1 >= arguments.size())
            return Fail(arg + " needs a value");
        if (!ParseOption(arg, arguments[++i]))
            return false;
    }
    if (m_output.isEmpty())
        return Fail(m_card ? "--card needs a folder" : "no output file given");
    return true;
}

bool MkrecCommandLine::ParseOption(const QString& name, const QString& value)
{
    bool ok = false;
    if (name == "--card") {
        if (!m_output.isEmpty())
            return Fail("more than one output: " + value);
        m_card = true;
        m_output = value;
    } else if (name == "--seconds") {
        m_options.seconds = value.toDouble(&ok);
        if (!ok || m_options.seconds <= 0 || m_options.seconds > 3600)
            return Fail("--seconds must be a number above 0 and at most 3600: " + value);
    } else if (name == "--minutes") {
        m_minutes = value.toDouble(&ok);
        if (!ok || m_minutes <= 0 || m_minutes > 60)
            return Fail("--minutes must be a number above 0 and at most 60: " + value);
    } else if (name == "--front") {
        if (!ParseSize(value, m_options.front))
            return Fail("--front must be WxH with even sides from 64 to 4096: " + value);
    } else if (name == "--rear") {
        QSize size;
        if (value == "none")
            m_options.rear.reset();
        else if (ParseSize(value, size))
            m_options.rear = size;
        else
            return Fail("--rear must be none or WxH with even sides from 64 to 4096: " + value);
    } else if (name == "--fps") {
        m_options.fps = value.toInt(&ok);
        if (!ok || m_options.fps < 1 || m_options.fps > 60)
            return Fail("--fps must be a whole number from 1 to 60: " + value);
    } else if (name == "--audio") {
        if (!ParseChoice(value, {{"aac", AudioMode::Aac}, {"pcm", AudioMode::Pcm}, {"none", AudioMode::None}},
                         m_options.audio))
            return Fail("--audio must be aac, pcm or none: " + value);
    } else if (name == "--gps") {
        if (!ParseChoice(value, {{"route", GpsMode::Route}, {"none", GpsMode::None}, {"invalid", GpsMode::Invalid}},
                         m_options.gps))
            return Fail("--gps must be route, none or invalid: " + value);
    } else if (name == "--scene") {
        if (!ParseChoice(value, {{"road", SceneKind::Road}, {"chart", SceneKind::Chart}}, m_options.scene))
            return Fail("--scene must be road or chart: " + value);
    } else if (name == "--start") {
        const QDateTime start = QDateTime::fromString(value, "yyyy-MM-dd hh:mm:ss");
        if (!start.isValid())
            return Fail("--start must be \"YYYY-MM-DD hh:mm:ss\": " + value);
        m_options.start = start;
    } else if (name == "--riff-limit") {
        m_options.riffLimit = value.toULongLong(&ok);
        if (!ok || m_options.riffLimit < 65536 || m_options.riffLimit > 0xFFFFFFFFull)
            return Fail("--riff-limit must be a byte count from 65536 to 4294967295: " + value);
    } else if (name == "--bitrate") {
        m_options.videoKbps = value.toInt(&ok);
        if (!ok || m_options.videoKbps < kMinKbps || m_options.videoKbps > kMaxKbps)
            return Fail(QString("--bitrate must be kbit/s from %1 to %2: ").arg(kMinKbps).arg(kMaxKbps) + value);
    } else if (name == "--bframes") {
        m_options.bFrames = value.toInt(&ok);
        if (!ok || m_options.bFrames < 0 || m_options.bFrames > kMaxBFrames)
            return Fail(QString("--bframes must be a whole number from 0 to %1: ").arg(kMaxBFrames) + value);
    } else if (name == "--texture") {
        if (!ParseChoice(value, {{"plain", Texture::Plain}, {"noise", Texture::Noise}}, m_options.texture))
            return Fail("--texture must be plain or noise: " + value);
    }
    return true;
}

} // namespace zv::mkrec
