#pragma once

#include <gst/gst.h>

#include <memory>

#include "player/SensorStreamSource.h"

namespace zv {

// The sensor source and the file source of a parse filter element, reached
// through the element's action signals. The element is borrowed.
class ParseFilterClient : public ISensorStreamSource, public IFileSourceFilter {
 public:
  // The interfaces when the element serves them; nothing otherwise.
  static std::unique_ptr<ISensorStreamSource> QuerySensorSource(GstElement* filter);
  static std::unique_ptr<IFileSourceFilter> QueryFileSource(GstElement* filter);

  int32_t SetOption(int32_t flag) override;
  int32_t ReadRecord(uint8_t* buffer, uint32_t* length, uint32_t* timeMs) override;
  int32_t Load(const char* utf8Path) override;

 private:
  explicit ParseFilterClient(GstElement* filter) : filter_(filter) {}
  static bool HasSignal(GstElement* filter, const char* name);
  GstElement* filter_;
};

}  // namespace zv
