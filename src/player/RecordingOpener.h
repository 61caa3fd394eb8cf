// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "player/CGraphPlayer.h"
#include "player/ParseFilterClient.h"

namespace zv {

// Runs the slow part of opening a recording, the parse filter's load and the
// pull of every sensor record, on a thread of its own, and hands the result
// to the thread that owns the opener (the window's). One load runs at a time
// and only the newest request counts: Start while another request is
// loading supersedes it, Cancel drops it, and a result that no longer counts
// is thrown away unseen. The owner's thread never waits for a load; only
// destroying the opener waits for the one that may be running.
class RecordingOpener : public QObject {
 public:
  struct Result {
    CGraphPlayer::LoadedGraph graph;
    std::vector<PulledSensorRecord> records;
  };
  // Does the loading on the opener's thread; replaceable for tests.
  using Loader = std::function<Result(const std::string& path, uint8_t optionFlag)>;
  using Done = std::function<void(Result)>;

  // The records a recording may hand over at most (a filter that never
  // reports the end still stops there).
  static constexpr size_t kMaxSensorRecords = 50'000'000;

  explicit RecordingOpener(Done done, Loader loader = LoadRecording, QObject* parent = nullptr);
  ~RecordingOpener() override;

  // Starts loading `path`; `done` is called on this object's thread with the
  // result, unless another Start or a Cancel comes first.
  void Start(const std::string& path, uint8_t optionFlag);
  void Cancel();
  // A request was started and its result has not been handed over yet.
  bool Pending() const { return pending_; }

  // The real loading: CGraphPlayer::LoadGraph, then every sensor record.
  static Result LoadRecording(const std::string& path, uint8_t optionFlag);

 private:
  struct Request {
    uint64_t generation;
    std::string path;
    uint8_t optionFlag;
  };
  void Work();
  void Deliver(uint64_t generation, std::shared_ptr<Result> result);

  Done done_;
  Loader loader_;
  uint64_t generation_ = 0;  // of the request that counts; owner's thread only
  bool pending_ = false;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Request> next_;  // waiting for the worker
  bool quit_ = false;
  std::thread worker_;
};

}  // namespace zv
