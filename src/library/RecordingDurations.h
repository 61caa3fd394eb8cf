// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace zv {

// The durations of recording files, read from the files themselves (the
// front-video frames present times the frame duration) on a worker thread,
// so that the window never waits for a disk, and kept for the rest of the
// run. A file that changes (size or modification time) is read again the
// next time it is asked for.
class RecordingDurations : public QObject {
  Q_OBJECT

 public:
  explicit RecordingDurations(QObject* parent = nullptr);
  ~RecordingDurations() override;

  // The durations of the running program, made with its application object.
  static RecordingDurations& Instance();

  // The duration as last read; nothing when it has not been read yet or the
  // file is not a recording.
  std::optional<int64_t> Cached(const std::string& path) const;

  // The duration as last read, or read now on the calling thread (from any
  // thread) when it has not been read yet.
  std::optional<int64_t> CachedOrRead(const std::string& path);

  // Reads, in the background, those of `paths` that are not known yet or
  // have changed; durationsRead() follows on this object's thread.
  void Request(const std::vector<std::string>& paths);

  // Blocks until every requested file has been read (for tests and tools).
  void WaitForPending();

  // Reads the duration of one file now, on the calling thread.
  static std::optional<int64_t> ReadDurationMs(const std::string& path);

 signals:
  // Some durations became known; several reads close together give one
  // signal.
  void durationsRead();

 private:
  struct Stamp {
    int64_t size = -1;
    int64_t modifiedMs = -1;
    bool operator==(const Stamp&) const = default;
  };
  struct Known {
    Stamp stamp;
    std::optional<int64_t> durationMs;
  };

  static Stamp StampOf(const std::string& path);
  void ReadBatch(const std::vector<std::string>& paths);
  void Store(const std::string& path, const Known& known);

  mutable std::mutex mutex_;
  std::unordered_map<std::string, Known> known_;
  std::unordered_set<std::string> queued_;
  std::atomic<bool> stopping_{false};
  QTimer notify_;
  QThreadPool pool_;
};

}  // namespace zv
