// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <string>
#include <vector>

namespace zv {

// The command line `zorvane-viewer --export gpx|kml|csv OUT PATH...`: writes
// the GPS track or the sensor records of the recordings named (a PATH is a
// recording file or a folder searched at any depth, as Open searches it) to
// OUT, with no window. Exit status 0 on success; otherwise one line on
// stderr and status 1 (2 for a malformed command line).
class ExportCommand {
 public:
  static constexpr const char* kOption = "--export";

  // Runs it as the whole program: a core application without windows, then
  // Run on `arguments` (`--export` first). Returns the exit status.
  static int Main(int& argc, char** argv, const QStringList& arguments);

  // Runs it on `arguments` (`--export` first).
  int Run(const QStringList& arguments);

  // The recording files the PATH arguments name, each once, in the order
  // given (a folder's recordings in the order they are found). False with
  // an error when a path does not exist or nothing is found.
  static bool CollectRecordings(const QStringList& paths, std::vector<std::string>& files, std::string& error);

 private:
  int Fail(int status, const std::string& message);
};

}  // namespace zv
