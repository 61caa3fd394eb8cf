// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/RecordingScanner.h"

#include <algorithm>
#include <cstdlib>

#include "RecordingFormat.h"
#include "reader/KeyFrameProbe.h"

namespace zv {

namespace {

constexpr size_t kMaxHeaderListSize = 1 << 20;
// Key frames are told from the first picture of a chunk: the first bytes
// usually hold it (after the parameter sets); a long SEI is read past in
// larger steps.
constexpr size_t kKeyFrameFirstProbe = 256;
constexpr size_t kKeyFrameScanWindow = 4096;
constexpr uint32_t kRecordList = recfmt::FourCC("rec ");  // groups chunks in some files

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

RecordingScanner::RecordingScanner(const ByteSource& source) : reader_(source, kWindowSize) {}

ScanError RecordingScanner::Scan(Recording& out) {
  out = Recording{};
  out_ = &out;
  uint8_t head[12];
  if (reader_.Size() < sizeof head) return ScanError::NotAvi;
  if (!reader_.Read(0, head, sizeof head)) return ScanError::Unreadable;
  if (Le32(head) != recfmt::kRiff || Le32(head + 8) != recfmt::kAvi) return ScanError::NotAvi;

  // Container sizes are not trusted (a recorder that lost power leaves them
  // unwritten): containers are entered and their children walked in line, so
  // the walk goes on to the end of the file whatever the sizes say.
  uint64_t pos = sizeof head;
  uint64_t fileSize = reader_.Size();
  while (pos + 8 <= fileSize) {
    uint8_t raw[8];
    if (!reader_.Read(pos, raw, sizeof raw)) return ScanError::Unreadable;
    ChunkHeader chunk{Le32(raw), Le32(raw + 4), pos + 8, pos + 8 + Le32(raw + 4)};
    Step step = VisitChunk(chunk, pos);
    if (step == Step::Fail) return failure_;
    if (step == Step::Stop) break;
  }
  if (!haveHeaders_) return ScanError::IncompleteHeaders;
  if (out.video.front().chunks.empty()) return ScanError::NoFrontVideoChunk;
  StreamCatalog::AssignTimes(out);
  return ScanError::None;
}

RecordingScanner::Step RecordingScanner::VisitChunk(const ChunkHeader& chunk, uint64_t& pos) {
  uint64_t fileSize = reader_.Size();
  if (chunk.id == recfmt::kRiff || chunk.id == recfmt::kList) {
    uint8_t type[4];
    if (fileSize - chunk.dataPos < 4) return Step::Stop;
    if (!reader_.Read(chunk.dataPos, type, 4)) {
      failure_ = ScanError::Unreadable;
      return Step::Fail;
    }
    return VisitContainer(chunk, Le32(type), pos);
  }
  if (chunk.end > fileSize) return Step::Stop;  // cut short
  if (inMovie_) VisitMediaChunk(chunk);
  if (failure_ != ScanError::None) return Step::Fail;
  pos = chunk.end + (chunk.size & 1u);
  return Step::Continue;
}

RecordingScanner::Step RecordingScanner::VisitContainer(const ChunkHeader& chunk, uint32_t type,
                                                        uint64_t& pos) {
  bool moviePart = (chunk.id == recfmt::kRiff && type == recfmt::kAviExtension) ||
                   (chunk.id == recfmt::kList && (type == recfmt::kMovieList || type == kRecordList));
  if (moviePart) {
    if (!haveHeaders_) {
      failure_ = ScanError::IncompleteHeaders;
      return Step::Fail;
    }
    inMovie_ = true;
    pos = chunk.dataPos + 4;
    return Step::Continue;
  }
  if (chunk.id == recfmt::kList && type == recfmt::kHeaderList && !haveHeaders_) {
    failure_ = ReadHeaderList(chunk);
    if (failure_ != ScanError::None) return Step::Fail;
    haveHeaders_ = true;
  }
  if (chunk.end > reader_.Size()) return Step::Stop;
  pos = chunk.end + (chunk.size & 1u);
  return Step::Continue;
}

ScanError RecordingScanner::ReadHeaderList(const ChunkHeader& chunk) {
  if (chunk.end > reader_.Size() || chunk.size < 4 || chunk.size > kMaxHeaderListSize)
    return ScanError::IncompleteHeaders;
  std::vector<uint8_t> list(chunk.size - 4);
  if (!reader_.Read(chunk.dataPos + 4, list.data(), list.size())) return ScanError::Unreadable;
  StreamHeaderParser headers;
  if (!headers.Parse(list.data(), list.size())) return ScanError::IncompleteHeaders;
  return catalog_.Select(headers, *out_);
}

void RecordingScanner::VisitMediaChunk(const ChunkHeader& chunk) {
  if (chunk.id == recfmt::kSensorRecordChunk) {
    AddSensorRecord(chunk);
    return;
  }
  int slot = catalog_.SlotOf(chunk.id);
  if (slot == StreamCatalog::kNotPlayed || chunk.size > StreamCatalog::kMaxMediaChunkSize) return;
  if (slot == StreamCatalog::kAudioSlot) {
    out_->audio->chunks.push_back(MediaChunk{chunk.dataPos, chunk.size, 0, 0, true});
  } else {
    VideoStream& video = out_->video[static_cast<size_t>(slot)];
    video.chunks.push_back(MediaChunk{chunk.dataPos, chunk.size, 0, 0, IsKeyFrame(video.codec, chunk)});
  }
}

bool RecordingScanner::IsKeyFrame(VideoCodec codec, const ChunkHeader& chunk) {
  if (IsIntraOnly(codec)) return true;
  // Read the access unit's start, then a window at a time until its first
  // slice shows; the windows overlap by three bytes so that no start code
  // is split.
  scratch_.resize(kKeyFrameScanWindow);
  uint64_t pos = chunk.dataPos;
  size_t step = kKeyFrameFirstProbe;
  while (pos < chunk.end) {
    size_t want = static_cast<size_t>(std::min<uint64_t>(step, chunk.end - pos));
    if (!reader_.Read(pos, scratch_.data(), want)) return false;
    auto verdict = KeyFrameProbe::Probe(codec, scratch_.data(), want);
    if (verdict != KeyFrameProbe::Verdict::Unknown) return verdict == KeyFrameProbe::Verdict::Idr;
    if (want <= 3) break;
    pos += want - 3;
    if (chunk.end - pos <= 3) break;
    step = kKeyFrameScanWindow;
  }
  return false;
}

void RecordingScanner::AddSensorRecord(const ChunkHeader& chunk) {
  if (chunk.size < recfmt::kMinSensorRecordChunkSize) return;
  uint8_t time[4];
  if (!reader_.Read(chunk.dataPos, time, sizeof time)) return;
  scratch_.resize(std::min<size_t>(chunk.size - recfmt::kSensorTimeSize, Recording::kMaxStoredRecordBytes));
  if (!reader_.Read(chunk.dataPos + 4, scratch_.data(), scratch_.size())) return;
  out_->AddRecord(Le32(time), chunk.dataPos, scratch_.data(), scratch_.size());
}

}  // namespace zv
