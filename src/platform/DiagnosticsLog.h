// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

namespace zv {

enum class LogLevel { Info, Warning, Error };

// The program's diagnostics: what went wrong below the messages the user
// sees (errors and warnings of the media pipeline, why a recording did not
// open). Every line goes to stderr and to a log file in the user's state
// folder: $XDG_STATE_HOME/zorvane-viewer/zorvane-viewer.log, or
// ~/.local/state/... without it. The file is capped: a line that would take
// it past the cap first renames it to zorvane-viewer.log.1 (replacing the
// older one) and starts it afresh. Any thread may write.
class DiagnosticsLog {
 public:
  static constexpr uint64_t kDefaultMaxBytes = 1024 * 1024;

  static DiagnosticsLog& Instance();

  void Write(LogLevel level, const std::string& text);
  // The log file's path (its folder is made on the first write).
  std::string FilePath() const;
  // Another folder and cap (tests); an empty folder restores the default.
  void Configure(const std::string& folder, uint64_t maxBytes = kDefaultMaxBytes);

  static std::string DefaultFolder();

 private:
  DiagnosticsLog() = default;
  void Append(const std::string& line);

  mutable std::mutex mutex_;
  std::string folder_;
  uint64_t maxBytes_ = kDefaultMaxBytes;
};

// DiagnosticsLog::Instance().Write(level, text).
void LogLine(LogLevel level, const std::string& text);

}  // namespace zv
