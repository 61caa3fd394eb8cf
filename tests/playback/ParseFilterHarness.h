// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zv::test {

// Registers the element from the module in the program folder, the way the
// viewer does at start-up (dlopen + DllRegisterServer).
bool RegisterParseFilterModule();

struct PulledRecord {
  uint32_t timeMs = 0;
  std::string bytes;
};

// One vnstreamparse element in a pipeline of its own, driven through its
// action signals, with a decoder chain and a counting sink on every pad.
class ParseFilterHarness {
 public:
  ParseFilterHarness();
  ~ParseFilterHarness();
  ParseFilterHarness(const ParseFilterHarness&) = delete;
  ParseFilterHarness& operator=(const ParseFilterHarness&) = delete;

  GstElement* element() const { return element_; }
  int32_t Load(const std::string& path);
  int32_t ReadRecord(uint8_t* buffer, uint32_t* length, uint32_t* timeMs);
  std::vector<PulledRecord> ReadAllRecords();  // at most 100000
  std::vector<std::string> PadNames() const;
  GstCaps* QueryCaps(const std::string& padName) const;  // caller unrefs
  // Of the element, or of the whole pipeline (answered through the sinks);
  // -1 when refused.
  int64_t QueryDuration(bool wholePipeline = false) const;

  // Links every pad: video to h264parse ! avdec_h264 ! fakesink, AAC to
  // avdec_aac ! fakesink, PCM to a fakesink. False when a link fails.
  bool LinkDecoders();
  bool SetState(GstState state, int timeoutSeconds = 10);
  // Waits for EOS; false on an error message or after the timeout.
  bool WaitForEos(int timeoutSeconds, std::string* error = nullptr);
  bool Seek(int64_t positionNs, GstSeekFlags extraFlags = GST_SEEK_FLAG_ACCURATE);

  // Decoded buffers that reached each sink (pad order), and the first
  // timestamp each sink saw since the last ResetCounts.
  std::vector<int> BufferCounts() const;
  std::vector<int64_t> FirstTimestamps() const;
  std::vector<GstSample*> FirstVideoSamples() const;  // not owned
  void ResetCounts();

 private:
  struct SinkState;
  template <typename T, typename Field>
  std::vector<T> Collect(Field field) const;
  static GstPadProbeReturn OnBuffer(GstPad*, GstPadProbeInfo* info, gpointer data);

  GstElement* pipeline_;
  GstElement* element_;
  std::vector<SinkState*> sinks_;
};

}  // namespace zv::test
