#pragma once

#include <cstdint>

// Constants of the recording file layout (docs/recording-format.md), shared by
// the writer of sample recordings and the stream parse filter's reader.
namespace zv::recfmt {

// A four-character code as it reads in a little-endian 32-bit field.
constexpr uint32_t FourCc(const char (&s)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(s[0])) |
         static_cast<uint32_t>(static_cast<uint8_t>(s[1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[3])) << 24;
}

inline constexpr uint32_t kRiff = FourCc("RIFF");
inline constexpr uint32_t kList = FourCc("LIST");
inline constexpr uint32_t kAvi = FourCc("AVI ");
inline constexpr uint32_t kAvix = FourCc("AVIX");
inline constexpr uint32_t kHdrl = FourCc("hdrl");
inline constexpr uint32_t kAvih = FourCc("avih");
inline constexpr uint32_t kStrl = FourCc("strl");
inline constexpr uint32_t kStrh = FourCc("strh");
inline constexpr uint32_t kStrf = FourCc("strf");
inline constexpr uint32_t kStrn = FourCc("strn");
inline constexpr uint32_t kOdml = FourCc("odml");
inline constexpr uint32_t kDmlh = FourCc("dmlh");
inline constexpr uint32_t kMovi = FourCc("movi");
inline constexpr uint32_t kRec = FourCc("rec ");
inline constexpr uint32_t kJunk = FourCc("JUNK");
inline constexpr uint32_t kIdx1 = FourCc("idx1");
inline constexpr uint32_t kVids = FourCc("vids");
inline constexpr uint32_t kAuds = FourCc("auds");
inline constexpr uint32_t kH264 = FourCc("H264");

// The sensor record chunk: 4 bytes of stream time in ms, then the record.
inline constexpr uint32_t kSensorRecordId = FourCc("zvsr");
inline constexpr uint32_t kSensorRecordHeaderSize = 4;
inline constexpr uint32_t kMinSensorRecordChunkSize = 5;

// Chunk id suffixes after the two-digit stream number.
inline constexpr char kVideoSuffix[] = "dc";
inline constexpr char kAudioSuffix[] = "wb";

// WAVEFORMATEX format tags.
inline constexpr uint16_t kWaveFormatPcm = 0x0001;
inline constexpr uint16_t kWaveFormatAac = 0x00FF;

inline constexpr uint32_t kAacSamplesPerFrame = 1024;
inline constexpr uint32_t kMoviAlignment = 2048;
inline constexpr uint64_t kRiffPartLimit = 1ull << 30;  // a RIFF part closes before 1 GiB

// Stream names.
inline constexpr const char kFrontName[] = "Front";
inline constexpr const char kRearName[] = "Rear";
inline constexpr const char kAudioName[] = "Audio";

}  // namespace zv::recfmt
