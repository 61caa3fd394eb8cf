// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace zv {

// The command line of zorvane-viewer, read before any window or display is
// needed, so that --help and --version work everywhere.
//
//   zorvane-viewer [OPTION]... [FOLDER|FILE]...
//
// Folders and files are opened as if dropped on the recording list. The
// options of Qt (-platform NAME, -style NAME, ...) and of GStreamer
// (--gst-...) are left for those libraries, which take them from the
// command line themselves. A new option of the program is one more entry in
// ParseOption().
class ViewerCommandLine {
 public:
  enum class Action { Run, ShowHelp, ShowVersion, Export, Fail };

  // `arguments` are the ones after the program name.
  Action Parse(const QStringList& arguments);

  // The folders and files to open (Run).
  const QStringList& paths() const { return paths_; }
  // `--export` and every argument after it (Export), for ExportCommand.
  const QStringList& exportArguments() const { return exportArguments_; }
  // What was wrong (Fail).
  const QString& error() const { return error_; }

  static QString HelpText();
  // The short usage printed after an error.
  static QString UsageText();
  static QString VersionText();

 private:
  // Handles the option at `arguments[index]`, moving `index` past any value
  // it takes. False with error_ set when it is unknown or incomplete.
  bool ParseOption(const QStringList& arguments, int& index);
  bool Fail(const QString& what);

  Action action_ = Action::Run;
  QStringList paths_;
  QStringList exportArguments_;
  QString error_;
};

}  // namespace zv
