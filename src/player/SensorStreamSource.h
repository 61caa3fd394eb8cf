// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstdint>

// What the viewer relies on of the stream parse filter module
// (VNStreamParseFilter.so): its element factory, how its streams are named,
// and the two interfaces it serves.
namespace zv {

// The element factory that the module's DllRegisterServer registers in the
// running process (and that the module offers as a GStreamer plugin).
inline constexpr const char* kParseFilterFactory = "vnstreamparse";
inline constexpr const char* kParseFilterModuleName = "VNStreamParseFilter.so";
inline constexpr const char* kParseFilterEntryPoint = "DllRegisterServer";
inline constexpr const char* kParseFilterElementName = "VNStreamParseFilter";

// Source pads: a pad whose name contains "Video" carries one video channel
// (channel 1 is the first such pad, channel 2 the second); a pad whose name
// contains "Audio" carries the audio track. Case-sensitive substrings.
inline constexpr const char* kVideoPadMarker = "Video";
inline constexpr const char* kAudioPadMarker = "Audio";

// ReadRecord results.
inline constexpr int32_t kReadRecordOk = 0;
inline constexpr int32_t kReadRecordEnd = 38;  // no record remains
inline constexpr uint32_t kSensorRecordBufferSize = 1024;

// The sensor records of the loaded recording, pulled one at a time.
class ISensorStreamSource {
 public:
  virtual ~ISensorStreamSource() = default;
  // Called once after the filter has joined the pipeline and before Load.
  virtual int32_t SetOption(int32_t flag) = 0;
  // Copies the next record into `buffer` (`*length` bytes at most, the
  // caller passes 1024) and its stream time in milliseconds into `*timeMs`.
  // Returns kReadRecordOk, or kReadRecordEnd when no record remains.
  virtual int32_t ReadRecord(uint8_t* buffer, uint32_t* length, uint32_t* timeMs) = 0;
};

// Opening a recording. Load returns 0 on success and a negative result when
// the file is not a recording that can be played; after success the source
// pads exist.
class IFileSourceFilter {
 public:
  virtual ~IFileSourceFilter() = default;
  virtual int32_t Load(const char* utf8Path) = 0;
};

// The element serves both interfaces through GObject action signals, so that
// the module and the program share no C++ ABI:
//   "set-option"  (gint flag)                                   -> gint
//   "load"        (gchararray path)                             -> gint
//   "read-record" (gpointer buffer, gpointer guint32* length,
//                  gpointer guint32* time_ms)                   -> gint
inline constexpr const char* kSetOptionSignal = "set-option";
inline constexpr const char* kLoadSignal = "load";
inline constexpr const char* kReadRecordSignal = "read-record";

}  // namespace zv
