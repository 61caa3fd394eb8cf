// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/RecordingDurations.h"

#include <sys/stat.h>

#include <QCoreApplication>

#include "reader/RecordingReader.h"

namespace zv {
namespace {
// Durations that arrive within this time of each other are announced once.
constexpr int kNotifyDelayMs = 150;
}  // namespace

RecordingDurations::RecordingDurations(QObject* parent) : QObject(parent) {
  // One reader at a time: the files usually share one card.
  pool_.setMaxThreadCount(1);
  notify_.setSingleShot(true);
  notify_.setInterval(kNotifyDelayMs);
  connect(&notify_, &QTimer::timeout, this, &RecordingDurations::durationsRead);
}

RecordingDurations::~RecordingDurations() {
  stopping_ = true;
  pool_.clear();
  pool_.waitForDone();
}

namespace {

RecordingDurations* g_instance = nullptr;

// Made with the application object, on its thread, and owned by it, so that
// workers may use it from the start and its own worker has stopped before
// the application goes.
void CreateInstance() { g_instance = new RecordingDurations(QCoreApplication::instance()); }
Q_COREAPP_STARTUP_FUNCTION(CreateInstance)

}  // namespace

RecordingDurations& RecordingDurations::Instance() { return *g_instance; }

std::optional<int64_t> RecordingDurations::Cached(const std::string& path) const {
  std::lock_guard lock(mutex_);
  const auto it = known_.find(path);
  return it == known_.end() ? std::nullopt : it->second.durationMs;
}

std::optional<int64_t> RecordingDurations::CachedOrRead(const std::string& path) {
  {
    std::lock_guard lock(mutex_);
    const auto it = known_.find(path);
    if (it != known_.end()) return it->second.durationMs;
  }
  const Stamp stamp = StampOf(path);
  const std::optional<int64_t> duration = ReadDurationMs(path);
  std::lock_guard lock(mutex_);
  known_[path] = Known{stamp, duration};
  return duration;
}

void RecordingDurations::Request(const std::vector<std::string>& paths) {
  std::vector<std::string> batch;
  {
    std::lock_guard lock(mutex_);
    for (const std::string& path : paths)
      if (queued_.insert(path).second) batch.push_back(path);
  }
  if (batch.empty()) return;
  pool_.start([this, batch = std::move(batch)] { ReadBatch(batch); });
}

void RecordingDurations::WaitForPending() { pool_.waitForDone(); }

RecordingDurations::Stamp RecordingDurations::StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {static_cast<int64_t>(info.st_size),
          static_cast<int64_t>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1'000'000};
}

std::optional<int64_t> RecordingDurations::ReadDurationMs(const std::string& path) {
  RecordingReader reader;
  if (!reader.Open(path)) return std::nullopt;
  return static_cast<int64_t>(reader.recording().durationNs / 1'000'000);
}

void RecordingDurations::ReadBatch(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (stopping_) return;
    const Stamp stamp = StampOf(path);
    bool current = false;
    {
      std::lock_guard lock(mutex_);
      const auto it = known_.find(path);
      current = it != known_.end() && it->second.stamp == stamp;
    }
    if (current) {
      std::lock_guard lock(mutex_);
      queued_.erase(path);
    } else {
      Store(path, Known{stamp, ReadDurationMs(path)});
    }
  }
}

void RecordingDurations::Store(const std::string& path, const Known& known) {
  {
    std::lock_guard lock(mutex_);
    known_[path] = known;
    queued_.erase(path);
  }
  QMetaObject::invokeMethod(this, [this] {
    if (!notify_.isActive()) notify_.start();
  }, Qt::QueuedConnection);
}

}  // namespace zv
