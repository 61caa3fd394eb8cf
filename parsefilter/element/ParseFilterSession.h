// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <gst/gst.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "element/ChunkQueue.h"
#include "element/OutputStream.h"
#include "reader/RecordingReader.h"

namespace zv {

// Results of Load.
inline constexpr int32_t kLoadOk = 0;
inline constexpr int32_t kLoadFileNotFound = static_cast<int32_t>(0x80070002);
inline constexpr int32_t kLoadInvalidFormat = static_cast<int32_t>(0x8004022F);
inline constexpr int32_t kLoadFailed = static_cast<int32_t>(0x80004005);
inline constexpr int32_t kLoadBadPointer = static_cast<int32_t>(0x80004003);
inline constexpr int32_t kLoadUnexpected = static_cast<int32_t>(0x8000FFFF);

// Everything the vnstreamparse element does once a recording is loaded: its
// source pads, the thread that reads chunks in file order into the pads'
// queues, seeking, and the sensor records.
class ParseFilterSession {
 public:
  using PadSetup = void (*)(GstPad* pad);
  // setupPad installs the element's query, event and activation functions
  // on every source pad that Load creates.
  ParseFilterSession(GstElement* element, PadSetup setupPad);
  ~ParseFilterSession();
  ParseFilterSession(const ParseFilterSession&) = delete;
  ParseFilterSession& operator=(const ParseFilterSession&) = delete;

  int32_t SetOption(int32_t flag);
  int32_t Load(const char* utf8Path);
  int32_t ReadRecord(uint8_t* buffer, uint32_t* length, uint32_t* timeMs);

  bool loaded() const { return reader_ != nullptr; }
  uint64_t durationNs() const;
  GstCaps* CapsOf(GstPad* pad) const;

  // READY -> PAUSED (after the pads are active) and PAUSED -> READY (before
  // they are deactivated).
  bool StartStreaming();
  void StopStreaming();
  void ClearQueues();
  // Takes a TIME seek event (not its ownership); false when refused.
  bool Seek(GstEvent* event);

 private:
  static void ReaderLoop(gpointer self);
  void ReadNext();
  int NextStream() const;
  bool AllNotLinked() const;
  void EndStreams();
  GstBuffer* BufferOf(size_t stream, const MediaChunk& chunk);
  void StartPositions(uint64_t targetNs);
  static bool HasStickyEvent(GstPad* pad, GstEventType type);
  void QueueStartEvents(uint32_t segmentSeqnum, bool withStreamStart);
  void FlushStart(uint32_t seqnum);
  void FlushStopAndRestart(uint32_t seqnum);
  void StartThreads();
  void StopReaderThread();
  void AddStream(GstPad* pad, GstCaps* caps, const std::vector<MediaChunk>& chunks);

  GstElement* element_;
  PadSetup setupPad_;
  int32_t option_ = 0;
  std::unique_ptr<RecordingReader> reader_;
  std::unique_ptr<ChunkQueue> queue_;
  std::vector<std::unique_ptr<OutputStream>> streams_;
  std::vector<const std::vector<MediaChunk>*> chunks_;  // per stream
  std::vector<size_t> next_;                            // next chunk per stream
  std::vector<bool> discont_;
  size_t videoStreams_ = 0;  // the first streams are the video channels

  GstTask* task_ = nullptr;
  GRecMutex taskLock_;
  std::mutex controlMutex_;  // seeks against state changes
  GstSegment segment_;
  bool streaming_ = false;
  bool flowErrorPosted_ = false;
  uint32_t lastSeekSeqnum_ = GST_SEQNUM_INVALID;
  uint32_t segmentSeqnum_ = GST_SEQNUM_INVALID;  // of the segment the streams play

  std::mutex recordMutex_;
  size_t nextRecord_ = 0;
};

}  // namespace zv
