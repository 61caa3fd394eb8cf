// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ViewerOptions.h"

#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "config/AtomicTextFile.h"
#include "config/LeadingInteger.h"
#include "config/LineTrim.h"
#include "config/OptionsFiles.h"

namespace zv {

ViewerOptions& ViewerOptions::Instance() {
  static ViewerOptions options;
  return options;
}

std::string OptionsFilePathIn(const std::string& programFolder) {
  if (programFolder.empty()) return {};
  return programFolder + "/config/option.ini";
}

std::string OptionsFilePath() { return OptionsFiles::Running().path; }

// Applies one line (or one part of a long line) of the options file.
static void ApplyOptionLine(std::string_view line, ViewerOptions& options) {
  line = TrimLineControls(line);
  if (line.empty() || line.front() == '[') return;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view key = TrimLineControls(line.substr(0, equals));
  const std::string_view value = TrimLineControls(line.substr(equals + 1));
  if (key == "SAVE_DIRECTORY") {
    options.saveFolder = value.empty() ? DefaultCaptureFolder() : std::string(value);
  } else if (key == "PLAY_VALUE") {
    options.playStep = LeadingDecimalInteger(value);
  } else if (key == "REAR_MIRROR") {
    options.rearMirror = LeadingDecimalInteger(value) == 1;
  }
}

bool ReadViewerOptions(const std::string& path, ViewerOptions& options) {
  if (path.empty()) return false;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                      &std::fclose);
  if (!file) return false;
  // Each read takes at most 255 characters, up to and including a line end;
  // a longer line arrives in several parts. A CR before the LF is trimmed
  // with the other line-end characters.
  char part[256];
  while (std::fgets(part, sizeof part, file.get())) {
    ApplyOptionLine(std::string_view(part, std::strlen(part)), options);
  }
  return true;
}

bool WriteViewerOptions(const std::string& path, const ViewerOptions& options, std::string* error) {
  const std::string text =
      "[DIRECTORY]\r\n"
      "ROOT_DIRECTORY=VN_ZORVANE\r\n"
      "EVENT_DIRECTORY=MP4_EVENT\r\n"
      "CONTINUOS_DIRECTORY=MP4_INFINITE\r\n"
      "[OPTION]\r\n"
      "SAVE_DIRECTORY=" + options.saveFolder + "\r\n"
      "PLAY_VALUE=" + std::to_string(options.playStep) + "\r\n"
      "USE_LOG=FALSE\r\n"
      "LOG_LEVEL=3\r\n"
      "LOG_TYPE=3\r\n"
      "REAR_MIRROR=" + (options.rearMirror ? "1" : "0") + "\r\n";
  return WriteTextFileAtomically(path, text, error);
}

// The documents folder is the user's XDG documents folder (user-dirs.dirs),
// $HOME/Documents without one. A new account may not have it yet, so the
// whole path is made; a folder that cannot be made shows when a snapshot is
// written there.
std::string DefaultCaptureFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) return {};
  const QString folder = documents + QStringLiteral("/CAM_CAPTURE");
  QDir().mkpath(folder);
  return folder.toStdString();
}

}  // namespace zv
