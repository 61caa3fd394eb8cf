// SPDX-License-Identifier: LGPL-2.1-or-later
#include "element/ParseFilterSession.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "element/StreamCaps.h"
#include "player/SensorStreamSource.h"

GST_DEBUG_CATEGORY_EXTERN(vn_stream_parse_debug);
#define GST_CAT_DEFAULT vn_stream_parse_debug

namespace zv {

namespace {

// The last chunk that starts at or before t (0 when none does).
size_t ChunkAt(const std::vector<MediaChunk>& chunks, uint64_t t) {
  auto after = std::upper_bound(chunks.begin(), chunks.end(), t,
                                [](uint64_t time, const MediaChunk& c) { return time < c.timeNs; });
  return after == chunks.begin() ? 0 : static_cast<size_t>(after - chunks.begin()) - 1;
}

}  // namespace

ParseFilterSession::ParseFilterSession(GstElement* element, PadSetup setupPad)
    : element_(element), setupPad_(setupPad) {
  g_rec_mutex_init(&taskLock_);
  task_ = gst_task_new(&ParseFilterSession::ReaderLoop, this, nullptr);
  gst_task_set_lock(task_, &taskLock_);
  gst_segment_init(&segment_, GST_FORMAT_TIME);
}

ParseFilterSession::~ParseFilterSession() {
  // The element is in NULL by now: its pads are inactive and their threads
  // have ended; only the reader thread may still need joining.
  if (queue_) queue_->SetFlushing(true);
  StopReaderThread();
  gst_object_unref(task_);
  g_rec_mutex_clear(&taskLock_);
  streams_.clear();
  queue_.reset();
}

int32_t ParseFilterSession::SetOption(int32_t flag) {
  option_ = flag;  // no option changes how recordings are read
  return 0;
}

int32_t ParseFilterSession::Load(const char* utf8Path) {
  std::lock_guard control(controlMutex_);
  if (!utf8Path) return kLoadBadPointer;
  if (reader_ || GST_STATE(element_) > GST_STATE_READY) return kLoadUnexpected;
  auto reader = std::make_unique<RecordingReader>();
  if (!reader->Open(utf8Path)) {
    // Posted for the application's log: Load's result alone does not say why.
    const char* why = reader->openErrno() != 0 ? g_strerror(reader->openErrno()) : reader->errorMessage();
    GST_ELEMENT_WARNING(element_, RESOURCE, OPEN_READ, ("Cannot load %s.", utf8Path), ("%s", why));
    if (reader->error() != ScanError::Unreadable) return kLoadInvalidFormat;
    return reader->openErrno() == ENOENT ? kLoadFileNotFound : kLoadFailed;
  }
  GST_INFO_OBJECT(element_, "loaded %s %s%s: %" G_GUINT64_FORMAT " of %" G_GUINT64_FORMAT
                  " bytes read in %" G_GUINT64_FORMAT " reads",
                  utf8Path, reader->usedIndex() ? "from its index" : "by a scan; the index: ",
                  reader->usedIndex() ? "" : reader->indexRejection(), reader->loadBytesRead(),
                  reader->fileSize(), reader->loadReads());
  {
    std::lock_guard records(recordMutex_);
    reader_ = std::move(reader);
  }
  const Recording& rec = reader_->recording();
  size_t count = rec.video.size() + (rec.audio ? 1 : 0);
  queue_ = std::make_unique<ChunkQueue>(count);
  GstElementClass* klass = GST_ELEMENT_GET_CLASS(element_);
  for (size_t i = 0; i < rec.video.size(); ++i) {
    gchar* name = g_strdup_printf("%s%zu", kVideoPadMarker, i + 1);
    AddStream(gst_pad_new_from_template(gst_element_class_get_pad_template(klass, "Video%u"), name),
              CapsOfVideo(rec.video[i]), rec.video[i].chunks);
    g_free(name);
  }
  if (rec.audio) {
    AddStream(gst_pad_new_from_template(gst_element_class_get_pad_template(klass, kAudioPadMarker),
                                        kAudioPadMarker),
              CapsOfAudio(*rec.audio), rec.audio->chunks);
  }
  videoStreams_ = rec.video.size();
  gst_element_no_more_pads(element_);
  return kLoadOk;
}

void ParseFilterSession::AddStream(GstPad* pad, GstCaps* caps,
                                   const std::vector<MediaChunk>& chunks) {
  setupPad_(pad);
  streams_.push_back(std::make_unique<OutputStream>(element_, *queue_, streams_.size(), pad, caps));
  chunks_.push_back(&chunks);
  next_.push_back(0);
  discont_.push_back(true);
  gst_element_add_pad(element_, pad);
}

int32_t ParseFilterSession::ReadRecord(uint8_t* buffer, uint32_t* length, uint32_t* timeMs) {
  std::lock_guard lock(recordMutex_);
  if (!reader_ || !buffer || !length || !timeMs) return kReadRecordEnd;
  const Recording& rec = reader_->recording();
  if (nextRecord_ >= rec.records.size()) return kReadRecordEnd;
  const SensorRecord& r = rec.records[nextRecord_++];
  uint32_t n = std::min(*length, r.size);
  std::memcpy(buffer, rec.recordBytes.data() + r.dataOffset, n);
  *length = n;
  *timeMs = r.timeMs;
  return kReadRecordOk;
}

uint64_t ParseFilterSession::durationNs() const {
  return reader_ ? reader_->recording().durationNs : 0;
}

GstCaps* ParseFilterSession::CapsOf(GstPad* pad) const {
  for (const auto& s : streams_) {
    if (s->pad() == pad) return gst_caps_ref(s->caps());
  }
  return nullptr;
}

bool ParseFilterSession::StartStreaming() {
  std::lock_guard control(controlMutex_);
  if (!reader_) {
    GST_ELEMENT_ERROR(element_, RESOURCE, NOT_FOUND, ("No recording was loaded."), (nullptr));
    return false;
  }
  flowErrorPosted_ = false;
  StartPositions(static_cast<uint64_t>(segment_.start));
  queue_->SetFlushing(false);
  QueueStartEvents(gst_util_seqnum_next(), true);
  StartThreads();
  streaming_ = true;
  return true;
}

void ParseFilterSession::StopStreaming() {
  std::lock_guard control(controlMutex_);
  streaming_ = false;
  if (queue_) queue_->SetFlushing(true);
  StopReaderThread();
  for (auto& s : streams_) s->Stop();
  gst_segment_init(&segment_, GST_FORMAT_TIME);
  lastSeekSeqnum_ = GST_SEQNUM_INVALID;
}

void ParseFilterSession::StopReaderThread() {
  // The reading loop pauses its own task when it meets the flushing queue;
  // waiting for the loop to leave before joining keeps that pause from
  // landing after the join's stop (the task would then wait forever).
  gst_task_stop(task_);
  g_rec_mutex_lock(&taskLock_);
  g_rec_mutex_unlock(&taskLock_);
  gst_task_join(task_);
}

void ParseFilterSession::ClearQueues() {
  if (queue_) queue_->Clear();
}

void ParseFilterSession::StartThreads() {
  for (auto& s : streams_) {
    s->ResetFlow();
    s->Start();
  }
  gst_task_start(task_);
}

bool ParseFilterSession::HasStickyEvent(GstPad* pad, GstEventType type) {
  GstEvent* event = gst_pad_get_sticky_event(pad, type, 0);
  if (!event) return false;
  gst_event_unref(event);
  return true;
}

void ParseFilterSession::QueueStartEvents(uint32_t segmentSeqnum, bool withStreamStart) {
  segmentSeqnum_ = segmentSeqnum;
  guint groupId = gst_util_group_id_next();
  for (size_t i = 0; i < streams_.size(); ++i) {
    GstPad* pad = streams_[i]->pad();
    // A flush that comes before a pad has sent its first events throws them
    // away with the queue; they are sent again then.
    if (withStreamStart || !HasStickyEvent(pad, GST_EVENT_STREAM_START) || !HasStickyEvent(pad, GST_EVENT_CAPS)) {
      gchar* id = gst_pad_create_stream_id(pad, element_, GST_PAD_NAME(pad));
      GstEvent* start = gst_event_new_stream_start(id);
      gst_event_set_group_id(start, groupId);
      g_free(id);
      queue_->Push(i, GST_MINI_OBJECT_CAST(start), 0);
      queue_->Push(i, GST_MINI_OBJECT_CAST(gst_event_new_caps(streams_[i]->caps())), 0);
    }
    GstEvent* segment = gst_event_new_segment(&segment_);
    gst_event_set_seqnum(segment, segmentSeqnum);
    queue_->Push(i, GST_MINI_OBJECT_CAST(segment), 0);
  }
}

void ParseFilterSession::StartPositions(uint64_t targetNs) {
  // Video restarts at the last key frame at or before the target, audio at
  // the chunk that holds it; the segment starting at the target makes the
  // decoders drop what comes before it.
  for (size_t i = 0; i < streams_.size(); ++i) {
    const auto& chunks = *chunks_[i];
    size_t index = chunks.empty() ? 0 : ChunkAt(chunks, targetNs);
    while (index > 0 && !chunks[index].keyFrame) --index;
    next_[i] = index;
    discont_[i] = true;
  }
}

bool ParseFilterSession::Seek(GstEvent* event) {
  gdouble rate = 1.0;
  GstFormat format = GST_FORMAT_UNDEFINED;
  GstSeekFlags flags = GST_SEEK_FLAG_NONE;
  GstSeekType startType = GST_SEEK_TYPE_NONE, stopType = GST_SEEK_TYPE_NONE;
  gint64 start = 0, stop = 0;
  gst_event_parse_seek(event, &rate, &format, &flags, &startType, &start, &stopType, &stop);
  if (format != GST_FORMAT_TIME || rate <= 0.0 || !(flags & GST_SEEK_FLAG_FLUSH)) return false;

  std::lock_guard control(controlMutex_);
  if (!reader_) return false;
  // Every sink sends the same seek upstream; act on it once.
  uint32_t seqnum = gst_event_get_seqnum(event);
  if (seqnum == lastSeekSeqnum_) return true;
  lastSeekSeqnum_ = seqnum;

  if (streaming_) FlushStart(seqnum);
  GstSegment segment = segment_;
  if (!gst_segment_do_seek(&segment, rate, format, flags, startType, start, stopType, stop,
                           nullptr)) {
    GST_WARNING_OBJECT(element_, "seek out of range");
  } else {
    segment_ = segment;
  }
  if (streaming_) {
    StartPositions(static_cast<uint64_t>(segment_.start));
    FlushStopAndRestart(seqnum);
  }
  return true;
}

void ParseFilterSession::FlushStart(uint32_t seqnum) {
  for (auto& s : streams_) {
    GstEvent* flush = gst_event_new_flush_start();
    gst_event_set_seqnum(flush, seqnum);
    gst_pad_push_event(s->pad(), flush);
  }
  queue_->SetFlushing(true);
  gst_task_pause(task_);
  g_rec_mutex_lock(&taskLock_);  // the reader thread has left its loop
  g_rec_mutex_unlock(&taskLock_);
  for (auto& s : streams_) s->Pause();
  queue_->Clear();
}

void ParseFilterSession::FlushStopAndRestart(uint32_t seqnum) {
  for (auto& s : streams_) {
    GstEvent* flush = gst_event_new_flush_stop(TRUE);
    gst_event_set_seqnum(flush, seqnum);
    gst_pad_push_event(s->pad(), flush);
  }
  flowErrorPosted_ = false;
  queue_->SetFlushing(false);
  QueueStartEvents(seqnum, false);
  StartThreads();
}

void ParseFilterSession::ReaderLoop(gpointer self) {
  static_cast<ParseFilterSession*>(self)->ReadNext();
}

int ParseFilterSession::NextStream() const {
  // The chunk that comes first in the file, among those before the stop.
  int best = -1;
  uint64_t bestOffset = 0;
  for (size_t i = 0; i < streams_.size(); ++i) {
    const auto& chunks = *chunks_[i];
    if (next_[i] >= chunks.size()) continue;
    const MediaChunk& c = chunks[next_[i]];
    if (segment_.stop != GST_CLOCK_TIME_NONE && c.timeNs >= segment_.stop) continue;
    if (best < 0 || c.offset < bestOffset) {
      best = static_cast<int>(i);
      bestOffset = c.offset;
    }
  }
  return best;
}

bool ParseFilterSession::AllNotLinked() const {
  return std::all_of(streams_.begin(), streams_.end(),
                     [](const auto& s) { return s->lastFlow() == GST_FLOW_NOT_LINKED; });
}

// The end of the streams carries the seqnum of their segment (the seek's),
// so that the application tells the end of a segment that a later seek has
// flushed from the end of the current one.
void ParseFilterSession::EndStreams() {
  for (size_t i = 0; i < streams_.size(); ++i) {
    GstEvent* eos = gst_event_new_eos();
    gst_event_set_seqnum(eos, segmentSeqnum_);
    queue_->Push(i, GST_MINI_OBJECT_CAST(eos), 0);
  }
  gst_task_pause(task_);
}

void ParseFilterSession::ReadNext() {
  if (AllNotLinked()) {
    if (!flowErrorPosted_) GST_ELEMENT_FLOW_ERROR(element_, GST_FLOW_NOT_LINKED);
    flowErrorPosted_ = true;
    EndStreams();
    return;
  }
  int stream = NextStream();
  if (stream < 0) {
    EndStreams();
    return;
  }
  auto s = static_cast<size_t>(stream);
  const MediaChunk& chunk = (*chunks_[s])[next_[s]++];
  if (chunk.size == 0) return;  // a dropped frame keeps its time slot only
  GstBuffer* buffer = BufferOf(s, chunk);
  if (!buffer) {
    GST_ELEMENT_ERROR(element_, RESOURCE, READ, ("Could not read the recording."), (nullptr));
    EndStreams();
    return;
  }
  if (!queue_->Push(s, GST_MINI_OBJECT_CAST(buffer), chunk.durationNs)) gst_task_pause(task_);
}

GstBuffer* ParseFilterSession::BufferOf(size_t stream, const MediaChunk& chunk) {
  GstBuffer* buffer = gst_buffer_new_allocate(nullptr, chunk.size, nullptr);
  GstMapInfo map;
  if (!buffer || !gst_buffer_map(buffer, &map, GST_MAP_WRITE)) {
    if (buffer) gst_buffer_unref(buffer);
    return nullptr;
  }
  bool ok = reader_->ReadChunk(chunk, map.data);
  gst_buffer_unmap(buffer, &map);
  if (!ok) {
    gst_buffer_unref(buffer);
    return nullptr;
  }
  // Video chunks lie in decode order: their times are decode times. Only a
  // key frame's presentation time is known to equal it; the others are left
  // for the decoder to recover in display order (from the decode times), so
  // that B-frames play in order.
  const bool video = stream < videoStreams_;
  GST_BUFFER_PTS(buffer) = !video || chunk.keyFrame ? chunk.timeNs : GST_CLOCK_TIME_NONE;
  GST_BUFFER_DTS(buffer) = chunk.timeNs;
  GST_BUFFER_DURATION(buffer) = chunk.durationNs;
  GST_BUFFER_OFFSET(buffer) = chunk.offset;
  if (!chunk.keyFrame) GST_BUFFER_FLAG_SET(buffer, GST_BUFFER_FLAG_DELTA_UNIT);
  if (discont_[stream]) {
    GST_BUFFER_FLAG_SET(buffer, GST_BUFFER_FLAG_DISCONT);
    discont_[stream] = false;
  }
  return buffer;
}

}  // namespace zv
