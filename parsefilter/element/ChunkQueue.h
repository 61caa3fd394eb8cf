// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <gst/gst.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace zv {

// One queue of buffers and events per source pad, between the thread that
// reads the file in file order and the threads that push on each pad. A
// queue is full at a second of data (or 256 items), but it grows past that
// while another pad waits for data, so that a sink blocked in preroll on one
// pad never starves the others.
class ChunkQueue {
 public:
  explicit ChunkQueue(size_t streamCount);
  ~ChunkQueue();

  // Takes ownership of item. Blocks while the stream's queue is full; false
  // (item dropped) when flushing.
  bool Push(size_t stream, GstMiniObject* item, uint64_t durationNs);
  // Blocks while the queue is empty; null when flushing.
  GstMiniObject* Pop(size_t stream);
  // A stream that takes no more data (finished or unlinked) never counts as
  // waiting.
  void SetDraining(size_t stream, bool draining);
  void SetFlushing(bool flushing);
  void Clear();

 private:
  struct Entry {
    GstMiniObject* item;
    uint64_t durationNs;
  };
  struct Lane {
    std::deque<Entry> entries;
    uint64_t queuedNs = 0;
    bool waiting = false;  // its pad thread waits on an empty queue
    bool draining = false;
  };
  bool Full(size_t stream) const;
  bool OtherLaneStarving(size_t stream) const;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Lane> lanes_;
  bool flushing_ = true;
};

}  // namespace zv
