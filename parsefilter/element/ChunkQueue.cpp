// SPDX-License-Identifier: LGPL-2.1-or-later
#include "element/ChunkQueue.h"

namespace zv {

namespace {
constexpr uint64_t kMaxQueuedNs = 1000000000ull;
constexpr size_t kMaxQueuedItems = 256;
}  // namespace

ChunkQueue::ChunkQueue(size_t streamCount) : lanes_(streamCount) {}

ChunkQueue::~ChunkQueue() { Clear(); }

bool ChunkQueue::Full(size_t stream) const {
  const Lane& lane = lanes_[stream];
  return lane.queuedNs >= kMaxQueuedNs || lane.entries.size() >= kMaxQueuedItems;
}

bool ChunkQueue::OtherLaneStarving(size_t stream) const {
  for (size_t i = 0; i < lanes_.size(); ++i) {
    if (i != stream && lanes_[i].waiting && !lanes_[i].draining && lanes_[i].entries.empty())
      return true;
  }
  return false;
}

bool ChunkQueue::Push(size_t stream, GstMiniObject* item, uint64_t durationNs) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return flushing_ || !Full(stream) || OtherLaneStarving(stream); });
  if (flushing_) {
    lock.unlock();
    gst_mini_object_unref(item);
    return false;
  }
  Lane& lane = lanes_[stream];
  lane.entries.push_back(Entry{item, durationNs});
  lane.queuedNs += durationNs;
  changed_.notify_all();
  return true;
}

GstMiniObject* ChunkQueue::Pop(size_t stream) {
  std::unique_lock lock(mutex_);
  Lane& lane = lanes_[stream];
  if (lane.entries.empty() && !flushing_) {
    lane.waiting = true;
    changed_.notify_all();  // a pusher blocked on another full lane may go on
    changed_.wait(lock, [&] { return flushing_ || !lane.entries.empty(); });
    lane.waiting = false;
  }
  if (flushing_) return nullptr;
  Entry entry = lane.entries.front();
  lane.entries.pop_front();
  lane.queuedNs -= entry.durationNs;
  changed_.notify_all();
  return entry.item;
}

void ChunkQueue::SetDraining(size_t stream, bool draining) {
  std::lock_guard lock(mutex_);
  lanes_[stream].draining = draining;
  changed_.notify_all();
}

void ChunkQueue::SetFlushing(bool flushing) {
  std::lock_guard lock(mutex_);
  flushing_ = flushing;
  changed_.notify_all();
}

void ChunkQueue::Clear() {
  std::vector<GstMiniObject*> dropped;
  {
    std::lock_guard lock(mutex_);
    for (Lane& lane : lanes_) {
      for (const Entry& e : lane.entries) dropped.push_back(e.item);
      lane.entries.clear();
      lane.queuedNs = 0;
      lane.draining = false;
    }
    changed_.notify_all();
  }
  for (GstMiniObject* item : dropped) gst_mini_object_unref(item);
}

}  // namespace zv
