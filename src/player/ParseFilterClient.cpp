#include "player/ParseFilterClient.h"

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
