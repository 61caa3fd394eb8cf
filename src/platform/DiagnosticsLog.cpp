// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DiagnosticsLog.h"

#include <QDateTime>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace zv {

namespace {

constexpr const char* kProgram = "zorvane-viewer";

const char* LevelName(LogLevel level) {
  switch (level) {
    case LogLevel::Info: return "info";
    case LogLevel::Warning: return "warning";
    case LogLevel::Error: return "error";
  }
  return "";
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

DiagnosticsLog& DiagnosticsLog::Instance() {
  static DiagnosticsLog log;
  return log;
}

std::string DiagnosticsLog::DefaultFolder() {
  std::string state = Environment("XDG_STATE_HOME");
  if (state.empty() || state.front() != '/') {  // relative values are to be ignored
    const std::string home = Environment("HOME");
    if (home.empty()) return "";
    state = home + "/.local/state";
  }
  return state + "/" + kProgram;
}

void DiagnosticsLog::Configure(const std::string& folder, uint64_t maxBytes) {
  std::lock_guard lock(mutex_);
  folder_ = folder;
  maxBytes_ = maxBytes;
}

std::string DiagnosticsLog::FilePath() const {
  std::lock_guard lock(mutex_);
  const std::string folder = folder_.empty() ? DefaultFolder() : folder_;
  return folder.empty() ? "" : folder + "/" + kProgram + ".log";
}

void DiagnosticsLog::Write(LogLevel level, const std::string& message) {
  std::string text = message;  // one line an entry
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  const std::string line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toStdString() + " " +
                           LevelName(level) + ": " + text + "\n";
  std::fputs((std::string(kProgram) + ": " + LevelName(level) + ": " + text + "\n").c_str(), stderr);
  Append(line);
}

// A file that cannot be written (no home, a read-only disk) costs the line
// only its copy in the file; stderr has it.
void DiagnosticsLog::Append(const std::string& line) {
  const std::string path = FilePath();
  if (path.empty()) return;
  std::lock_guard lock(mutex_);
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(fs::path(path).parent_path(), error);
  const auto size = fs::file_size(path, error);
  if (!error && size + line.size() > maxBytes_) fs::rename(path, path + ".1", error);
  std::ofstream(path, std::ios::app | std::ios::binary) << line;
}

void LogLine(LogLevel level, const std::string& text) { DiagnosticsLog::Instance().Write(level, text); }

}  // namespace zv
