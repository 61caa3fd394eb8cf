// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/RecordingOpener.h"

namespace zv {

RecordingOpener::RecordingOpener(Done done, Loader loader, QObject* parent)
    : QObject(parent), done_(std::move(done)), loader_(std::move(loader)), worker_([this] { Work(); }) {}

RecordingOpener::~RecordingOpener() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    next_.reset();
  }
  wake_.notify_one();
  worker_.join();  // at most the one load under way
}

void RecordingOpener::Start(const std::string& path, uint8_t optionFlag) {
  pending_ = true;
  {
    std::lock_guard lock(mutex_);
    next_ = Request{++generation_, path, optionFlag};  // replaces one not yet begun
  }
  wake_.notify_one();
}

void RecordingOpener::Cancel() {
  if (!pending_) return;
  pending_ = false;
  ++generation_;
  std::lock_guard lock(mutex_);
  next_.reset();
}

void RecordingOpener::Work() {
  for (;;) {
    Request request;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return quit_ || next_; });
      if (quit_) return;
      request = std::move(*next_);
      next_.reset();
    }
    auto result = std::make_shared<Result>(loader_(request.path, request.optionFlag));
    // Queued to the owner's thread; dropped by Qt if the opener is gone.
    QMetaObject::invokeMethod(
        this, [this, generation = request.generation, result] { Deliver(generation, result); },
        Qt::QueuedConnection);
  }
}

void RecordingOpener::Deliver(uint64_t generation, std::shared_ptr<Result> result) {
  if (!pending_ || generation != generation_) return;  // superseded or cancelled
  pending_ = false;
  done_(std::move(*result));
}

RecordingOpener::Result RecordingOpener::LoadRecording(const std::string& path, uint8_t optionFlag) {
  Result result;
  result.graph = CGraphPlayer::LoadGraph(path, optionFlag);
  if (result.graph.result == 0 && result.graph.parseFilter)
    result.records = ParseFilterClient::PullAllRecords(result.graph.parseFilter.get(), kMaxSensorRecords);
  return result;
}

}  // namespace zv
