// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ViewerCommandLine.h"

#include <array>
#include <string_view>

#include "BuildConfig.h"

namespace zv {
namespace {

// Qt's own options, written with one dash or two, that take a value (as the
// next argument or after '=') and that take none.
constexpr std::array<std::string_view, 14> kQtOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "display", "geometry", "name", "title",
    "style", "stylesheet"};
constexpr std::array<std::string_view, 5> kQtFlags{"reverse", "widgetcount", "nograb",
                                                   "dograb", "sync"};
// GStreamer's options are all --gst-...; these take a value.
constexpr std::string_view kGstPrefix = "--gst-";
constexpr std::array<std::string_view, 5> kGstOptionsWithValue{
    "--gst-debug-level", "--gst-debug", "--gst-plugin-path", "--gst-plugin-load",
    "--gst-debug-color-mode"};

template <size_t N>
bool Contains(const std::array<std::string_view, N>& names, const QString& name) {
  const QByteArray latin = name.toLatin1();
  for (std::string_view n : names) {
    if (std::string_view(latin.constData(), latin.size()) == n) return true;
  }
  return false;
}

}  // namespace

ViewerCommandLine::Action ViewerCommandLine::Parse(const QStringList& arguments) {
  action_ = Action::Run;
  paths_.clear();
  exportArguments_.clear();
  error_.clear();
  bool optionsEnded = false;
  for (int i = 0; i < arguments.size() && action_ == Action::Run; ++i) {
    const QString& argument = arguments[i];
    if (optionsEnded || !argument.startsWith('-')) {
      paths_.append(argument);
    } else if (argument == QLatin1String("--")) {
      optionsEnded = true;
    } else if (!ParseOption(arguments, i)) {
      return Action::Fail;
    }
  }
  return action_;
}

bool ViewerCommandLine::ParseOption(const QStringList& arguments, int& index) {
  const QString& argument = arguments[index];
  if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
    action_ = Action::ShowHelp;
    return true;
  }
  if (argument == QLatin1String("--version")) {
    action_ = Action::ShowVersion;
    return true;
  }
  if (argument == QLatin1String("--export")) {  // the rest is the export's own
    action_ = Action::Export;
    exportArguments_ = arguments.mid(index);
    index = arguments.size();
    return true;
  }
  const qsizetype equals = argument.indexOf('=');
  const QString name = argument.left(equals);  // the whole argument without '='
  bool takesValue = false;
  if (name.startsWith(QLatin1String(kGstPrefix.data()))) {
    takesValue = Contains(kGstOptionsWithValue, name);
  } else {
    const QString bare = name.mid(name.startsWith(QLatin1String("--")) ? 2 : 1);
    takesValue = Contains(kQtOptionsWithValue, bare);
    if (!takesValue && (!Contains(kQtFlags, bare) || equals >= 0))
      return Fail(QStringLiteral("unknown option '%1'").arg(argument));
  }
  if (takesValue && equals < 0) {
    if (index + 1 >= arguments.size())
      return Fail(QStringLiteral("option '%1' needs a value").arg(argument));
    ++index;  // the framework reads the value itself
  }
  return true;
}

bool ViewerCommandLine::Fail(const QString& what) {
  action_ = Action::Fail;
  error_ = what;
  return false;
}

QString ViewerCommandLine::UsageText() {
  return QStringLiteral(
      "usage: zorvane-viewer [OPTION]... [FOLDER|FILE]...\n"
      "Try 'zorvane-viewer --help' for more information.\n");
}

QString ViewerCommandLine::HelpText() {
  return QStringLiteral(
      "usage: zorvane-viewer [OPTION]... [FOLDER|FILE]...\n"
      "Plays the recordings of a two-camera car event recorder: front and rear\n"
      "video, sound, G-sensor values, speed and position on a map.\n"
      "\n"
      "Folders are searched for recordings, recording files are added to the\n"
      "list, and the first recording plays.\n"
      "\n"
      "Options:\n"
      "  -h, --help     show this help and exit\n"
      "      --version  show the version and exit\n"
      "      --         take every following argument as a folder or file\n"
      "\n"
      "  zorvane-viewer --export gpx|kml|csv OUT PATH...\n"
      "writes the GPS track (GPX, KML) or every sensor record (CSV) of the\n"
      "recordings and folders given to OUT, without a window.\n"
      "\n"
      "Qt's options (such as -platform NAME) and GStreamer's (--gst-...) are\n"
      "passed on to them.\n");
}

QString ViewerCommandLine::VersionText() {
  return QStringLiteral("zorvane-viewer " ZV_VERSION "\n");
}

}  // namespace zv
