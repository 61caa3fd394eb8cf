#include "reader/RecordingScanner.h"

#include <algorithm>
#include <cstdlib>

#include "RecordingFormat.h"
#include "reader/AnnexBScanner.h"

namespace zv {

namespace {

constexpr size_t kMaxHeaderListSize = 1 << 20;
constexpr size_t kMaxStoredRecordBytes = 64 * 1024;  // longer records are cut
// A stream chunk larger than this is damage, not a frame: it is skipped, so
// that no size field makes the player allocate huge buffers.
constexpr uint32_t kMaxMediaChunkSize = 32 * 1024 * 1024;
constexpr size_t kKeyFrameScanWindow = 4096;
constexpr int kAudioSlot = 2;
constexpr uint64_t kNsPerSecond = 1000000000ull;
constexpr uint32_t kMaxDimension = 16384;
// Stream chunk ids are 'NNdc' (video; some writers use 'NNdb') and 'NNwb'.
constexpr char kVideoSuffix[] = "dc";
constexpr char kUncompressedVideoSuffix[] = "db";
constexpr char kAudioSuffix[] = "wb";
constexpr uint32_t kRecordList = recfmt::FourCC("rec ");  // groups chunks in some files

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint64_t ScaleNs(uint64_t units, uint64_t num, uint64_t den) {
  return static_cast<uint64_t>(static_cast<unsigned __int128>(units) * num * kNsPerSecond / den);
}

bool IsH264Code(uint32_t code) {
  using recfmt::FourCC;
  for (uint32_t h264 : {FourCC("H264"), FourCC("h264"), FourCC("X264"), FourCC("x264"),
                        FourCC("AVC1"), FourCC("avc1")}) {
    if (code == h264) return true;
  }
  return false;
}

// The two ASCII digits of a stream chunk id, or -1.
int StreamNumberOf(uint32_t id) {
  int d0 = static_cast<int>(id & 0xFF) - '0';
  int d1 = static_cast<int>((id >> 8) & 0xFF) - '0';
  if (d0 < 0 || d0 > 9 || d1 < 0 || d1 > 9) return -1;
  return d0 * 10 + d1;
}

bool HasSuffix(uint32_t id, const char (&suffix)[3]) {
  return static_cast<char>((id >> 16) & 0xFF) == suffix[0] &&
         static_cast<char>((id >> 24) & 0xFF) == suffix[1];
}

// A frame rate within reason: one frame per 10 s up to 1000 frames per second.
bool PlausibleFrameRate(uint64_t rate, uint64_t scale) {
  return rate > 0 && scale > 0 && scale <= rate * 10 && rate <= scale * 1000;
}

std::optional<VideoStream> VideoStreamOf(const StreamHeader& h, uint32_t microSecPerFrame) {
  if (h.type != recfmt::kVideoType || h.format.size() < 40) return std::nullopt;
  const uint8_t* bih = h.format.data();
  if (!IsH264Code(Le32(bih + 16)) && !IsH264Code(h.handler)) return std::nullopt;
  int64_t width = static_cast<int32_t>(Le32(bih + 4));
  int64_t height = std::llabs(static_cast<int32_t>(Le32(bih + 8)));
  if (width < 1 || width > kMaxDimension || height < 1 || height > kMaxDimension)
    return std::nullopt;
  VideoStream v;
  v.name = h.name;
  v.width = static_cast<uint32_t>(width);
  v.height = static_cast<uint32_t>(height);
  if (PlausibleFrameRate(h.rate, h.scale)) {
    v.rate = h.rate;
    v.scale = h.scale;
  } else if (PlausibleFrameRate(1000000, microSecPerFrame)) {
    v.rate = 1000000;
    v.scale = microSecPerFrame;
  }
  return v;
}

// The AudioSpecificConfig of AAC LC for a rate and channel count, for files
// whose format block carries none.
std::vector<uint8_t> BuildAacConfig(uint32_t rate, uint32_t channels) {
  static constexpr uint32_t kRates[] = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                        22050, 16000, 12000, 11025, 8000,  7350};
  const uint32_t* found = std::find(std::begin(kRates), std::end(kRates), rate);
  if (found == std::end(kRates) || channels > 7) return {};
  auto index = static_cast<uint32_t>(found - std::begin(kRates));
  constexpr uint32_t kAacLc = 2;
  return {static_cast<uint8_t>(kAacLc << 3 | index >> 1),
          static_cast<uint8_t>((index & 1) << 7 | channels << 3)};
}

std::optional<AudioStream> AudioStreamOf(const StreamHeader& h) {
  if (h.type != recfmt::kAudioType || h.format.size() < 16) return std::nullopt;
  const uint8_t* wf = h.format.data();
  AudioStream a;
  a.name = h.name;
  uint16_t tag = Le16(wf);
  a.channels = Le16(wf + 2);
  a.sampleRate = Le32(wf + 4);
  a.bitsPerSample = Le16(wf + 14);
  if (a.channels < 1 || a.channels > 8) return std::nullopt;
  if (tag == recfmt::kWaveFormatAac) {
    if (a.sampleRate < 7350 || a.sampleRate > 96000) return std::nullopt;
    a.codec = AudioCodec::Aac;
    if (h.format.size() >= 18) {
      size_t extra = std::min<size_t>(Le16(wf + 16), h.format.size() - 18);
      a.codecData.assign(wf + 18, wf + 18 + extra);
    }
    if (a.codecData.size() < 2) a.codecData = BuildAacConfig(a.sampleRate, a.channels);
    if (a.codecData.empty()) return std::nullopt;
    return a;
  }
  if (tag == recfmt::kWaveFormatPcm && a.bitsPerSample == 16) {
    if (a.sampleRate < 1000 || a.sampleRate > 192000) return std::nullopt;
    a.codec = AudioCodec::Pcm;
    a.blockAlign = a.channels * 2;
    return a;
  }
  return std::nullopt;
}

}  // namespace

const char* ScanErrorMessage(ScanError error) {
  switch (error) {
    case ScanError::None: return "no error";
    case ScanError::Unreadable: return "the file cannot be read";
    case ScanError::NotAvi: return "not a RIFF AVI file";
    case ScanError::IncompleteHeaders: return "the AVI headers are missing or incomplete";
    case ScanError::NoVideoStream: return "no H.264 video stream";
    case ScanError::NoFrontVideoChunk: return "no front-video frame";
  }
  return "unknown error";
}

RecordingScanner::RecordingScanner(const ByteSource& source) : reader_(source) {}

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
  AssignTimes();
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
  return SelectStreams(headers);
}

ScanError RecordingScanner::SelectStreams(const StreamHeaderParser& headers) {
  const auto& streams = headers.streams();
  slotOfStream_.assign(streams.size(), -1);
  for (size_t n = 0; n < streams.size(); ++n) {
    if (out_->video.size() < 2) {
      if (auto v = VideoStreamOf(streams[n], headers.microSecPerFrame())) {
        v->streamNumber = static_cast<uint32_t>(n);
        slotOfStream_[n] = static_cast<int>(out_->video.size());
        out_->video.push_back(std::move(*v));
        continue;
      }
    }
    if (!out_->audio) {
      if (auto a = AudioStreamOf(streams[n])) {
        a->streamNumber = static_cast<uint32_t>(n);
        slotOfStream_[n] = kAudioSlot;
        out_->audio = std::move(*a);
      }
    }
  }
  return out_->video.empty() ? ScanError::NoVideoStream : ScanError::None;
}

void RecordingScanner::VisitMediaChunk(const ChunkHeader& chunk) {
  if (chunk.id == recfmt::kSensorRecordChunk) {
    AddSensorRecord(chunk);
    return;
  }
  int number = StreamNumberOf(chunk.id);
  if (number < 0 || chunk.size > kMaxMediaChunkSize || static_cast<size_t>(number) >= slotOfStream_.size()) return;
  int slot = slotOfStream_[static_cast<size_t>(number)];
  if (slot == kAudioSlot) {
    if (HasSuffix(chunk.id, kAudioSuffix))
      out_->audio->chunks.push_back(MediaChunk{chunk.dataPos, chunk.size, 0, 0, true});
  } else if (slot >= 0 && (HasSuffix(chunk.id, kVideoSuffix) ||
                           HasSuffix(chunk.id, kUncompressedVideoSuffix))) {
    AddVideoChunk(out_->video[static_cast<size_t>(slot)], chunk);
  }
}

void RecordingScanner::AddVideoChunk(VideoStream& stream, const ChunkHeader& chunk) {
  stream.chunks.push_back(MediaChunk{chunk.dataPos, chunk.size, 0, 0, IsKeyFrame(chunk)});
}

bool RecordingScanner::IsKeyFrame(const ChunkHeader& chunk) {
  // Read the access unit a window at a time until its first slice shows; the
  // windows overlap by three bytes so that no start code is split.
  scratch_.resize(kKeyFrameScanWindow);
  uint64_t pos = chunk.dataPos;
  while (pos < chunk.end) {
    size_t want = static_cast<size_t>(std::min<uint64_t>(kKeyFrameScanWindow, chunk.end - pos));
    if (!reader_.Read(pos, scratch_.data(), want)) return false;
    auto verdict = AnnexBScanner::FirstSlice(scratch_.data(), want);
    if (verdict != AnnexBScanner::Verdict::Unknown) return verdict == AnnexBScanner::Verdict::Idr;
    if (want <= 3) break;
    pos += want - 3;
    if (chunk.end - pos <= 3) break;
  }
  return false;
}

void RecordingScanner::AddSensorRecord(const ChunkHeader& chunk) {
  if (chunk.size < recfmt::kMinSensorRecordChunkSize) return;
  uint8_t time[4];
  if (!reader_.Read(chunk.dataPos, time, sizeof time)) return;
  auto size = static_cast<uint32_t>(
      std::min<size_t>(chunk.size - recfmt::kSensorTimeSize, kMaxStoredRecordBytes));
  size_t dataOffset = out_->recordBytes.size();
  out_->recordBytes.resize(dataOffset + size);
  if (!reader_.Read(chunk.dataPos + 4, out_->recordBytes.data() + dataOffset, size)) {
    out_->recordBytes.resize(dataOffset);
    return;
  }
  out_->records.push_back(SensorRecord{Le32(time), chunk.dataPos, dataOffset, size});
}

void RecordingScanner::AssignTimes() {
  for (VideoStream& v : out_->video) {
    for (size_t i = 0; i < v.chunks.size(); ++i) {
      v.chunks[i].timeNs = ScaleNs(i, v.scale, v.rate);
      v.chunks[i].durationNs = ScaleNs(i + 1, v.scale, v.rate) - v.chunks[i].timeNs;
    }
  }
  const VideoStream& front = out_->video.front();
  out_->durationNs = ScaleNs(front.chunks.size(), front.scale, front.rate);
  if (!out_->audio) return;
  AudioStream& a = *out_->audio;
  uint64_t samples = 0;
  for (MediaChunk& c : a.chunks) {
    uint64_t count = a.codec == AudioCodec::Aac ? recfmt::kAacFrameSamples : c.size / a.blockAlign;
    c.timeNs = ScaleNs(samples, 1, a.sampleRate);
    c.durationNs = ScaleNs(samples + count, 1, a.sampleRate) - c.timeNs;
    samples += count;
  }
}

}  // namespace zv
