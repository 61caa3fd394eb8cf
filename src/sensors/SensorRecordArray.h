// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zv {

// Sensor records in arrival order, with the lookup "first record, in storage
// order, whose timeMs is at or after a time", and the lookup of the update,
// which keeps the last record for a time after every record.
//
// Beside the records it keeps the running maximum of their times. The first
// record at or after a time is exactly the first position where that running
// maximum reaches the time, and the running maximum never decreases, so the
// lookup is a binary search even when the times arrive out of order.
template <typename Record>
class SensorRecordArray {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);

  void Append(const Record& record) {
    const uint32_t previous = runningMax_.empty() ? 0 : runningMax_.back();
    records_.push_back(record);
    runningMax_.push_back(std::max(previous, record.timeMs));
  }

  // Empties the array and gives its storage back.
  void Clear() {
    std::vector<Record>().swap(records_);
    std::vector<uint32_t>().swap(runningMax_);
  }

  size_t Count() const { return records_.size(); }
  bool Empty() const { return records_.empty(); }
  const Record& operator[](size_t index) const { return records_[index]; }
  const Record& At(size_t index) const { return records_.at(index); }
  const std::vector<Record>& Records() const { return records_; }

  // Index of the first record whose timeMs >= `timeMs`, or npos.
  size_t FirstAtOrAfter(uint32_t timeMs) const {
    const auto found = std::lower_bound(runningMax_.begin(), runningMax_.end(), timeMs);
    return found == runningMax_.end() ? npos : static_cast<size_t>(found - runningMax_.begin());
  }

  // The record that belongs to a playback moment: the first one at or after
  // `timeMs`, or the last one (in storage order) when none lies at or after
  // it, so that the end of a recording keeps its last values. npos only when
  // the array is empty.
  size_t IndexForTime(uint32_t timeMs) const {
    const size_t index = FirstAtOrAfter(timeMs);
    return index == npos && !records_.empty() ? records_.size() - 1 : index;
  }

 private:
  std::vector<Record> records_;
  std::vector<uint32_t> runningMax_;
};

}  // namespace zv
