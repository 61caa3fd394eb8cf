// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/StreamCatalog.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "RecordingFormat.h"

namespace zv {

namespace {

constexpr uint64_t kNsPerSecond = 1000000000ull;
constexpr uint32_t kMaxDimension = 16384;
constexpr uint32_t kMaxSamplesPerChunk = 1 << 16;
constexpr size_t kExtensibleFormatSize = 40;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint64_t ScaleNs(uint64_t units, uint64_t num, uint64_t den) {
  return static_cast<uint64_t>(static_cast<unsigned __int128>(units) * num * kNsPerSecond / den);
}

bool HasLetters(uint32_t id, char a, char b) {
  return static_cast<char>((id >> 16) & 0xFF) == a && static_cast<char>((id >> 24) & 0xFF) == b;
}

// The video codec a compression code (biCompression or the stream's
// handler) names, as writers of AVI files spell it.
std::optional<VideoCodec> VideoCodecOf(uint32_t code) {
  using recfmt::FourCC;
  struct Spelling {
    uint32_t code;
    VideoCodec codec;
  };
  static const Spelling kSpellings[] = {
      {FourCC("H264"), VideoCodec::H264},  {FourCC("h264"), VideoCodec::H264},
      {FourCC("X264"), VideoCodec::H264},  {FourCC("x264"), VideoCodec::H264},
      {FourCC("AVC1"), VideoCodec::H264},  {FourCC("avc1"), VideoCodec::H264},
      {FourCC("HEVC"), VideoCodec::H265},  {FourCC("hevc"), VideoCodec::H265},
      {FourCC("H265"), VideoCodec::H265},  {FourCC("h265"), VideoCodec::H265},
      {FourCC("X265"), VideoCodec::H265},  {FourCC("x265"), VideoCodec::H265},
      {FourCC("HVC1"), VideoCodec::H265},  {FourCC("hvc1"), VideoCodec::H265},
      {FourCC("HEV1"), VideoCodec::H265},  {FourCC("hev1"), VideoCodec::H265},
      {FourCC("FMP4"), VideoCodec::Mpeg4}, {FourCC("fmp4"), VideoCodec::Mpeg4},
      {FourCC("XVID"), VideoCodec::Mpeg4}, {FourCC("xvid"), VideoCodec::Mpeg4},
      {FourCC("DIVX"), VideoCodec::Mpeg4}, {FourCC("divx"), VideoCodec::Mpeg4},
      {FourCC("DX50"), VideoCodec::Mpeg4}, {FourCC("dx50"), VideoCodec::Mpeg4},
      {FourCC("MP4V"), VideoCodec::Mpeg4}, {FourCC("mp4v"), VideoCodec::Mpeg4},
      {FourCC("M4S2"), VideoCodec::Mpeg4}, {FourCC("m4s2"), VideoCodec::Mpeg4},
      {FourCC("MJPG"), VideoCodec::Mjpeg}, {FourCC("mjpg"), VideoCodec::Mjpeg},
      {FourCC("JPEG"), VideoCodec::Mjpeg}, {FourCC("jpeg"), VideoCodec::Mjpeg},
  };
  for (const Spelling& s : kSpellings)
    if (s.code == code) return s.codec;
  return std::nullopt;
}

// A frame rate within reason: one frame per 10 s up to 1000 frames per second.
bool PlausibleFrameRate(uint64_t rate, uint64_t scale) {
  return rate > 0 && scale > 0 && scale <= rate * 10 && rate <= scale * 1000;
}

std::optional<VideoStream> VideoStreamOf(const StreamHeader& h, uint32_t microSecPerFrame) {
  if (h.type != recfmt::kVideoType || h.format.size() < 40) return std::nullopt;
  const uint8_t* bih = h.format.data();
  std::optional<VideoCodec> codec = VideoCodecOf(Le32(bih + 16));
  if (!codec) codec = VideoCodecOf(h.handler);
  if (!codec) return std::nullopt;
  int64_t width = static_cast<int32_t>(Le32(bih + 4));
  int64_t height = std::llabs(static_cast<int32_t>(Le32(bih + 8)));
  if (width < 1 || width > kMaxDimension || height < 1 || height > kMaxDimension)
    return std::nullopt;
  VideoStream v;
  v.name = h.name;
  v.codec = *codec;
  const size_t headerSize = std::clamp<size_t>(Le32(bih), 40, h.format.size());
  v.codecData.assign(h.format.begin() + static_cast<long>(headerSize), h.format.end());
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

// The samples one chunk of a compressed stream holds: the stream header's
// chunk duration (dwScale / dwRate seconds) when chunks are whole blocks
// (dwSampleSize 0), else `frameSamples`, one frame a chunk.
uint32_t SamplesPerChunk(const StreamHeader& h, uint32_t sampleRate, uint32_t frameSamples) {
  if (h.sampleSize != 0 || h.scale == 0 || h.rate == 0) return frameSamples;
  const uint64_t samples = (static_cast<uint64_t>(h.scale) * sampleRate + h.rate / 2) / h.rate;
  return samples >= 1 && samples <= kMaxSamplesPerChunk ? static_cast<uint32_t>(samples) : frameSamples;
}

bool AacFrom(const StreamHeader& h, const uint8_t* wf, AudioStream& a) {
  if (a.sampleRate < 7350 || a.sampleRate > 96000) return false;
  a.codec = AudioCodec::Aac;
  if (h.format.size() >= 18) {
    size_t extra = std::min<size_t>(Le16(wf + 16), h.format.size() - 18);
    a.codecData.assign(wf + 18, wf + 18 + extra);
  }
  if (a.codecData.size() < 2) a.codecData = BuildAacConfig(a.sampleRate, a.channels);
  a.samplesPerChunk = SamplesPerChunk(h, a.sampleRate, recfmt::kAacFrameSamples);
  return !a.codecData.empty();
}

bool PcmFrom(AudioStream& a) {
  if (a.sampleRate < 1000 || a.sampleRate > 192000) return false;
  if (a.bitsPerSample != 8 && a.bitsPerSample != 16 && a.bitsPerSample != 24) return false;
  a.codec = AudioCodec::Pcm;
  a.blockAlign = a.channels * a.bitsPerSample / 8;
  return true;
}

bool Mp3From(const StreamHeader& h, AudioStream& a) {
  if (a.sampleRate < 8000 || a.sampleRate > 48000) return false;
  a.codec = AudioCodec::Mp3;
  // MPEG-1 layer III frames hold 1152 samples; MPEG-2 and 2.5 (below 32 kHz) 576.
  a.samplesPerChunk = SamplesPerChunk(h, a.sampleRate, a.sampleRate >= 32000 ? 1152 : 576);
  return true;
}

bool ImaAdpcmFrom(const StreamHeader& h, const uint8_t* wf, AudioStream& a) {
  a.blockAlign = Le16(wf + 12);
  if (a.channels > 2 || a.blockAlign < 4 * a.channels || a.sampleRate < 1000 || a.sampleRate > 96000) return false;
  a.codec = AudioCodec::ImaAdpcm;
  a.bitsPerSample = 4;
  // Each channel's block: a 4-byte header holding the first sample, then
  // two samples a byte.
  a.samplesPerBlock = (a.blockAlign - 4 * a.channels) * 2 / a.channels + 1;
  if (h.format.size() >= 20 && Le16(wf + 16) >= 2 && Le16(wf + 18) > 0) a.samplesPerBlock = Le16(wf + 18);
  return true;
}

std::optional<AudioStream> AudioStreamOf(const StreamHeader& h) {
  if (h.type != recfmt::kAudioType || h.format.size() < 16) return std::nullopt;
  const uint8_t* wf = h.format.data();
  AudioStream a;
  a.name = h.name;
  uint16_t tag = Le16(wf);
  // WAVE_FORMAT_EXTENSIBLE (ffmpeg writes PCM above 16 bits so): the format
  // tag is the first two bytes of its SubFormat GUID.
  if (tag == recfmt::kWaveFormatExtensible && h.format.size() >= kExtensibleFormatSize) tag = Le16(wf + 24);
  a.channels = Le16(wf + 2);
  a.sampleRate = Le32(wf + 4);
  a.bitsPerSample = Le16(wf + 14);
  if (a.channels < 1 || a.channels > 8) return std::nullopt;
  bool usable = false;
  switch (tag) {
    case recfmt::kWaveFormatAac: usable = AacFrom(h, wf, a); break;
    case recfmt::kWaveFormatPcm: usable = PcmFrom(a); break;
    case recfmt::kWaveFormatMp3: usable = Mp3From(h, a); break;
    case recfmt::kWaveFormatImaAdpcm: usable = ImaAdpcmFrom(h, wf, a); break;
    default: break;
  }
  return usable ? std::optional<AudioStream>(std::move(a)) : std::nullopt;
}

}  // namespace

const char* ScanErrorMessage(ScanError error) {
  switch (error) {
    case ScanError::None: return "no error";
    case ScanError::Unreadable: return "the file cannot be read";
    case ScanError::NotAvi: return "not a RIFF AVI file";
    case ScanError::IncompleteHeaders: return "the AVI headers are missing or incomplete";
    case ScanError::NoVideoStream: return "no video stream that can be played";
    case ScanError::NoFrontVideoChunk: return "no front-video frame";
  }
  return "unknown error";
}

ScanError StreamCatalog::Select(const StreamHeaderParser& headers, Recording& out) {
  const auto& streams = headers.streams();
  kinds_.clear();
  slots_.assign(streams.size(), kNotPlayed);
  for (size_t n = 0; n < streams.size(); ++n) {
    const uint32_t type = streams[n].type;
    kinds_.push_back(type == recfmt::kVideoType   ? Kind::Video
                     : type == recfmt::kAudioType ? Kind::Audio
                                                  : Kind::Other);
    if (out.video.size() < 2) {
      if (auto v = VideoStreamOf(streams[n], headers.microSecPerFrame())) {
        v->streamNumber = static_cast<uint32_t>(n);
        slots_[n] = static_cast<int>(out.video.size());
        out.video.push_back(std::move(*v));
        continue;
      }
    }
    if (!out.audio) {
      if (auto a = AudioStreamOf(streams[n])) {
        a->streamNumber = static_cast<uint32_t>(n);
        slots_[n] = kAudioSlot;
        out.audio = std::move(*a);
      }
    }
  }
  return out.video.empty() ? ScanError::NoVideoStream : ScanError::None;
}

int StreamCatalog::StreamOf(uint32_t id) const {
  int d0 = static_cast<int>(id & 0xFF) - '0';
  int d1 = static_cast<int>((id >> 8) & 0xFF) - '0';
  if (d0 < 0 || d0 > 9 || d1 < 0 || d1 > 9) return -1;
  int number = d0 * 10 + d1;
  return static_cast<size_t>(number) < kinds_.size() ? number : -1;
}

bool StreamCatalog::SuitsItsStream(uint32_t id) const {
  int number = StreamOf(id);
  if (number < 0) return false;
  switch (kinds_[static_cast<size_t>(number)]) {
    case Kind::Video: return HasLetters(id, 'd', 'c') || HasLetters(id, 'd', 'b') || HasLetters(id, 'p', 'c');
    case Kind::Audio: return HasLetters(id, 'w', 'b');
    case Kind::Other: return true;
  }
  return false;
}

int StreamCatalog::SlotOf(uint32_t id) const {
  int number = StreamOf(id);
  if (number < 0) return kNotPlayed;
  int slot = slots_[static_cast<size_t>(number)];
  if (slot == kAudioSlot) return HasLetters(id, 'w', 'b') ? slot : kNotPlayed;
  if (slot >= 0 && (HasLetters(id, 'd', 'c') || HasLetters(id, 'd', 'b'))) return slot;
  return kNotPlayed;
}

void StreamCatalog::AssignTimes(Recording& rec) {
  for (VideoStream& v : rec.video) {
    for (size_t i = 0; i < v.chunks.size(); ++i) {
      v.chunks[i].timeNs = ScaleNs(i, v.scale, v.rate);
      v.chunks[i].durationNs = ScaleNs(i + 1, v.scale, v.rate) - v.chunks[i].timeNs;
    }
  }
  const VideoStream& front = rec.video.front();
  rec.durationNs = ScaleNs(front.chunks.size(), front.scale, front.rate);
  if (!rec.audio) return;
  AudioStream& a = *rec.audio;
  uint64_t samples = 0;
  for (MediaChunk& c : a.chunks) {
    const uint64_t count = a.SamplesIn(c.size);
    c.timeNs = ScaleNs(samples, 1, a.sampleRate);
    c.durationNs = ScaleNs(samples + count, 1, a.sampleRate) - c.timeNs;
    samples += count;
  }
}

}  // namespace zv
