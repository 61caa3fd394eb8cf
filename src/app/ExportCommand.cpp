// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportCommand.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <unordered_set>

#include "library/PathNames.h"
#include "library/RecordingLibrary.h"
#include "output/TrackExport.h"

namespace zv {

int ExportCommand::Main(int& argc, char** argv, const QStringList& arguments) {
  QCoreApplication core(argc, argv);
  return ExportCommand().Run(arguments);
}

int ExportCommand::Fail(int status, const std::string& message) {
  std::fprintf(stderr, "zorvane-viewer: %s\n", message.c_str());
  return status;
}

bool ExportCommand::CollectRecordings(const QStringList& paths, std::vector<std::string>& files, std::string& error) {
  std::unordered_set<std::string> seen;
  auto add = [&](const std::string& file) {
    if (seen.insert(file).second) files.push_back(file);
  };
  for (const QString& path : paths) {
    const QFileInfo info(path);
    if (!info.exists()) {
      error = "no such file or folder: " + path.toStdString();
      return false;
    }
    if (!info.isDir()) {
      add(info.absoluteFilePath().toStdString());
      continue;
    }
    RecordingLibrary folder;
    folder.ScanFolder(AsFolder(info.absoluteFilePath().toStdString()));
    for (const RecordingEntry& entry : folder.Entries()) add(entry.fullPath);
  }
  if (files.empty()) error = "no recordings found in " + paths.join(' ').toStdString();
  return !files.empty();
}

int ExportCommand::Run(const QStringList& arguments) {
  // arguments: --export FORMAT OUT PATH...
  if (arguments.size() < 4 || arguments[0] != kOption)
    return Fail(2, "usage: zorvane-viewer --export gpx|kml|csv OUT PATH...");
  const std::optional<TrackFormat> format = TrackFormatFromName(arguments[1].toStdString());
  if (!format) return Fail(2, "unknown export format '" + arguments[1].toStdString() + "' (gpx, kml or csv)");
  std::vector<std::string> files;
  std::string error;
  if (!CollectRecordings(arguments.mid(3), files, error)) return Fail(1, error);
  TrackExport job(std::move(files), *format);
  if (!job.Write(arguments[2])) return Fail(1, job.Error());
  return 0;
}

}  // namespace zv
