// SPDX-License-Identifier: LGPL-2.1-or-later
// Constants of the recording file layout (docs/recording-format.md), shared by
// the stream parse filter that reads recordings and the generator that writes
// them. Only constants and trivial helpers belong here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv::recfmt {

// A four-character code as it is stored in the file: the first character in
// the lowest byte (little-endian).
constexpr std::uint32_t FourCC(const char (&code)[5])
{
    return std::uint32_t(std::uint8_t(code[0])) | std::uint32_t(std::uint8_t(code[1])) << 8
         | std::uint32_t(std::uint8_t(code[2])) << 16 | std::uint32_t(std::uint8_t(code[3])) << 24;
}

inline constexpr std::uint32_t kRiff = FourCC("RIFF");
inline constexpr std::uint32_t kList = FourCC("LIST");
inline constexpr std::uint32_t kAvi = FourCC("AVI ");
inline constexpr std::uint32_t kAviExtension = FourCC("AVIX");
inline constexpr std::uint32_t kHeaderList = FourCC("hdrl");
inline constexpr std::uint32_t kMainHeader = FourCC("avih");
inline constexpr std::uint32_t kStreamList = FourCC("strl");
inline constexpr std::uint32_t kStreamHeader = FourCC("strh");
inline constexpr std::uint32_t kStreamFormat = FourCC("strf");
inline constexpr std::uint32_t kStreamName = FourCC("strn");
inline constexpr std::uint32_t kOdmlList = FourCC("odml");
inline constexpr std::uint32_t kOdmlHeader = FourCC("dmlh");
inline constexpr std::uint32_t kJunk = FourCC("JUNK");
inline constexpr std::uint32_t kMovieList = FourCC("movi");
inline constexpr std::uint32_t kIndex = FourCC("idx1");
inline constexpr std::uint32_t kSuperIndex = FourCC("indx"); // OpenDML, in each 'strl'
inline constexpr std::uint32_t kVideoType = FourCC("vids");
inline constexpr std::uint32_t kAudioType = FourCC("auds");
inline constexpr std::uint32_t kH264 = FourCC("H264");

// Stream chunks of the movie lists.
inline constexpr std::uint32_t kFrontVideoChunk = FourCC("00dc");
inline constexpr std::uint32_t kRearVideoChunk = FourCC("01dc");
inline constexpr std::uint32_t kSensorRecordChunk = FourCC("zvsr");

// The audio chunk id 'NNwb' of the stream with index `streamIndex` (1 or 2).
constexpr std::uint32_t AudioChunkId(int streamIndex)
{
    return std::uint32_t('0' + streamIndex / 10 % 10) | std::uint32_t('0' + streamIndex % 10) << 8
         | std::uint32_t('w') << 16 | std::uint32_t('b') << 24;
}

// The OpenDML standard index 'ixNN' of stream NN, at the end of each 'movi'
// list. Readers skip it like any chunk that is not a stream or sensor chunk.
constexpr std::uint32_t PartIndexChunkId(int streamIndex)
{
    return std::uint32_t('i') | std::uint32_t('x') << 8 | std::uint32_t('0' + streamIndex / 10 % 10) << 16
         | std::uint32_t('0' + streamIndex % 10) << 24;
}

inline constexpr int kFrontStreamIndex = 0;
inline constexpr int kRearStreamIndex = 1;

// Stream names ('strn').
inline constexpr char kFrontStreamName[] = "Front";
inline constexpr char kRearStreamName[] = "Rear";
inline constexpr char kAudioStreamName[] = "Audio";

// Audio format tags (WAVEFORMATEX.wFormatTag).
inline constexpr std::uint16_t kWaveFormatPcm = 0x0001;
inline constexpr std::uint16_t kWaveFormatAac = 0x00FF;
inline constexpr std::uint16_t kWaveFormatMp3 = 0x0055;
inline constexpr std::uint16_t kWaveFormatImaAdpcm = 0x0011;
inline constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;
inline constexpr int kAacFrameSamples = 1024;

// The LIST 'movi' of the first RIFF part starts at a multiple of this.
inline constexpr std::uint32_t kMovieAlignment = 2048;
// A RIFF part is closed before it would pass this size.
inline constexpr std::uint64_t kDefaultRiffLimit = std::uint64_t(1) << 30;
// idx1 entry flag of a key frame.
inline constexpr std::uint32_t kIndexKeyFrame = 0x10;

// Sensor record chunk: a 32-bit stream time in milliseconds, then the
// record's bytes. A chunk shorter than this is not a record.
inline constexpr std::size_t kSensorTimeSize = 4;
inline constexpr std::size_t kMinSensorRecordChunkSize = 5;
inline constexpr char kGSensorRecordTag = 'M';
inline constexpr char kGpsRecordTag = 'G';
inline constexpr std::size_t kGSensorRecordSize = 4;
inline constexpr int kGSensorMin = -127;
inline constexpr int kGSensorMax = 128;

// One G-sensor axis value (-127 .. 128) as the sensor stores it, and back.
constexpr std::uint8_t EncodeGSensorAxis(int value)
{
    return std::uint8_t((value + 127) ^ 0xFF);
}
constexpr int DecodeGSensorAxis(std::uint8_t stored)
{
    return int(stored ^ 0xFF) - 127;
}

} // namespace zv::recfmt
