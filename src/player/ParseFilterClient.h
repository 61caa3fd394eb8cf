// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "player/SensorStreamSource.h"

namespace zv {

// One sensor record pulled from the parse filter: its time and the bytes the
// filter copied (at most kSensorRecordBufferSize).
struct PulledSensorRecord {
  uint32_t timeMs = 0;
  std::vector<uint8_t> bytes;
};

// The sensor source and the file source of a parse filter element, reached
// through the element's action signals. The element is borrowed.
class ParseFilterClient : public ISensorStreamSource, public IFileSourceFilter {
 public:
  // The interfaces when the element serves them; nothing otherwise.
  static std::unique_ptr<ISensorStreamSource> QuerySensorSource(GstElement* filter);
  static std::unique_ptr<IFileSourceFilter> QueryFileSource(GstElement* filter);

  // Every record of the loaded recording, in order, until the filter reports
  // the end (or answers anything else, or gives no sensor interface), at
  // most `limit`. Each pull zeroes a 1024-byte buffer, asks for the
  // interface afresh and reads one record, as the viewer always has.
  static std::vector<PulledSensorRecord> PullAllRecords(GstElement* filter, size_t limit);

  int32_t SetOption(int32_t flag) override;
  int32_t ReadRecord(uint8_t* buffer, uint32_t* length, uint32_t* timeMs) override;
  int32_t Load(const char* utf8Path) override;

 private:
  explicit ParseFilterClient(GstElement* filter) : filter_(filter) {}
  static bool HasSignal(GstElement* filter, const char* name);
  GstElement* filter_;
};

}  // namespace zv
