// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/ParseFilterClient.h"

#include <algorithm>

namespace zv {

bool ParseFilterClient::HasSignal(GstElement* filter, const char* name) {
  return filter && g_signal_lookup(name, G_OBJECT_TYPE(filter)) != 0;
}

std::unique_ptr<ISensorStreamSource> ParseFilterClient::QuerySensorSource(GstElement* filter) {
  if (!HasSignal(filter, kSetOptionSignal) || !HasSignal(filter, kReadRecordSignal)) return nullptr;
  return std::unique_ptr<ISensorStreamSource>(new ParseFilterClient(filter));
}

std::unique_ptr<IFileSourceFilter> ParseFilterClient::QueryFileSource(GstElement* filter) {
  if (!HasSignal(filter, kLoadSignal)) return nullptr;
  return std::unique_ptr<IFileSourceFilter>(new ParseFilterClient(filter));
}

std::vector<PulledSensorRecord> ParseFilterClient::PullAllRecords(GstElement* filter, size_t limit) {
  std::vector<PulledSensorRecord> records;
  while (records.size() < limit) {
    uint8_t buffer[kSensorRecordBufferSize] = {};
    uint32_t length = kSensorRecordBufferSize, timeMs = 0;
    auto source = QuerySensorSource(filter);
    if (!source || source->ReadRecord(buffer, &length, &timeMs) != kReadRecordOk) break;
    length = std::min(length, kSensorRecordBufferSize);
    records.push_back(PulledSensorRecord{timeMs, std::vector<uint8_t>(buffer, buffer + length)});
  }
  return records;
}

int32_t ParseFilterClient::SetOption(int32_t flag) {
  gint result = -1;
  g_signal_emit_by_name(filter_, kSetOptionSignal, static_cast<gint>(flag), &result);
  return result;
}

int32_t ParseFilterClient::ReadRecord(uint8_t* buffer, uint32_t* length, uint32_t* timeMs) {
  gint result = kReadRecordEnd;
  g_signal_emit_by_name(filter_, kReadRecordSignal, static_cast<gpointer>(buffer),
                        static_cast<gpointer>(length), static_cast<gpointer>(timeMs), &result);
  return result;
}

int32_t ParseFilterClient::Load(const char* utf8Path) {
  gint result = -1;
  g_signal_emit_by_name(filter_, kLoadSignal, utf8Path, &result);
  return result;
}

}  // namespace zv
