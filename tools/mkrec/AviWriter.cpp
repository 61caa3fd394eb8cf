// SPDX-License-Identifier: GPL-3.0-or-later
#include "AviWriter.h"

#include "RiffBuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace zv::mkrec {

using namespace recfmt;

namespace {

constexpr std::uint32_t kAvifHasIndex = 0x10;
constexpr std::uint32_t kAvifIsInterleaved = 0x100;
constexpr std::uint32_t kMainHeaderSize = 56;
constexpr std::uint32_t kOdmlHeaderSize = 248;
constexpr std::uint64_t kMaxRiffLimit = 0xFFFFFFFFull;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kIndexEntrySize = 16;
constexpr std::size_t kPartIndexHeaderSize = 24;
constexpr std::size_t kPartIndexEntrySize = 8;
constexpr std::size_t kSuperIndexHeaderSize = 24;
constexpr std::size_t kSuperIndexEntrySize = 16;
constexpr std::uint8_t kIndexOfIndexes = 0x00;
constexpr std::uint8_t kIndexOfChunks = 0x01;
constexpr std::uint32_t kNotKeyFrameBit = 0x80000000u;

std::size_t PaddedChunkBytes(std::size_t size)
{
    return kChunkHeaderSize + size + (size % 2);
}

} // namespace

AviWriter::AviWriter(AviLayout layout)
    : m_layout(std::move(layout)), m_streams(m_layout.StreamCount()),
      m_partEntries(m_layout.StreamCount()), m_superIndex(m_layout.StreamCount())
{
    m_layout.riffLimit = std::min(m_layout.riffLimit, kMaxRiffLimit);
}

AviWriter::~AviWriter()
{
    Abort();
}

bool AviWriter::Fail(const std::string& what)
{
    if (m_error.empty())
        m_error = what;
    Abort();
    return false;
}

bool AviWriter::FailIo(const std::string& what)
{
    const int error = errno;
    return Fail(error != 0 ? what + ": " + std::strerror(error) : what);
}

void AviWriter::Abort()
{
    if (m_file == nullptr)
        return;
    std::fclose(m_file);
    m_file = nullptr;
    std::remove(m_tempPath.c_str());
}

bool AviWriter::Open(const std::string& path)
{
    if (m_file != nullptr)
        return Fail("writer already open");
    m_path = path;
    m_tempPath = path + ".part";
    errno = 0;
    m_file = std::fopen(m_tempPath.c_str(), "wb");
    if (m_file == nullptr)
        return FailIo("cannot create " + m_tempPath);
    m_partCount = 1;
    const std::vector<std::uint8_t> header = BuildHeader();
    m_movieListStart = header.size() - 12;
    return WriteBytes(header.data(), header.size());
}

bool AviWriter::WriteVideo(int channel, const void* data, std::size_t size, bool keyFrame)
{
    if (channel != kFrontStreamIndex && !(channel == kRearStreamIndex && m_layout.rear))
        return Fail("no video stream " + std::to_string(channel));
    return WriteStreamChunk(channel, StreamChunkId(channel), data, size, keyFrame ? kIndexKeyFrame : 0);
}

bool AviWriter::WriteAudio(const void* data, std::size_t size)
{
    if (!m_layout.audio)
        return Fail("no audio stream");
    const int stream = m_layout.AudioStreamIndex();
    return WriteStreamChunk(stream, StreamChunkId(stream), data, size, kIndexKeyFrame);
}

bool AviWriter::WriteStreamChunk(int stream, std::uint32_t id, const void* data, std::size_t size,
                                 std::uint32_t flags)
{
    const std::size_t indexBytes = (m_partCount == 1 ? kIndexEntrySize : 0) + kPartIndexEntrySize;
    if (!StartNextPartIfFull(PaddedChunkBytes(size) + indexBytes))
        return false;
    if (m_partCount == 1)
        m_index.push_back({id, flags, std::uint32_t(m_position - (m_movieListStart + 8)),
                           std::uint32_t(size)});
    m_partEntries[stream].push_back(
        {m_position + kChunkHeaderSize, std::uint32_t(size), (flags & kIndexKeyFrame) != 0});
    StreamCounts& counts = m_streams[stream];
    counts.chunks++;
    counts.bytes += size;
    counts.largestChunk = std::max(counts.largestChunk, std::uint32_t(size));
    return WriteChunkData(id, data, size);
}

bool AviWriter::WriteSensorRecord(std::uint32_t timeMs, const void* data, std::size_t size)
{
    RiffBuffer body;
    body.U32(timeMs);
    body.Bytes(data, size);
    return StartNextPartIfFull(PaddedChunkBytes(body.Size()))
        && WriteChunkData(kSensorRecordChunk, body.Data().data(), body.Size());
}

bool AviWriter::WriteChunkData(std::uint32_t id, const void* data, std::size_t size)
{
    RiffBuffer header;
    header.U32(id);
    header.U32(std::uint32_t(size));
    const std::uint8_t pad = 0;
    return WriteBytes(header.Data().data(), header.Size()) && WriteBytes(data, size)
        && (size % 2 == 0 || WriteBytes(&pad, 1));
}

// What the current part still needs after its chunks: the 'ixNN' indexes
// and, in the first part, idx1.
std::uint64_t AviWriter::PartClosingBytes() const
{
    std::uint64_t bytes = m_partCount == 1 ? kChunkHeaderSize + kIndexEntrySize * m_index.size() : 0;
    for (const auto& entries : m_partEntries)
        bytes += kChunkHeaderSize + kPartIndexHeaderSize + kPartIndexEntrySize * entries.size();
    return bytes;
}

// Closes the current RIFF part and opens an 'AVIX' part when `chunkBytes`
// more would take the part past the limit.
bool AviWriter::StartNextPartIfFull(std::size_t chunkBytes)
{
    if (m_file == nullptr)
        return Fail("writer not open");
    if (chunkBytes > kMaxRiffLimit / 2)
        return Fail("chunk too large for a RIFF part");
    const std::uint64_t partBytes = m_position - m_partStart + PartClosingBytes() + chunkBytes;
    const bool partEmpty = m_position == m_movieListStart + 12;
    if (partBytes <= m_layout.riffLimit || partEmpty)
        return true;
    if (m_partCount >= int(kSuperIndexCapacity))
        return Fail("the file would need more than " + std::to_string(kSuperIndexCapacity)
                    + " RIFF parts; raise the RIFF limit");
    if (!FinishPart())
        return false;
    m_partStart = m_position;
    m_movieListStart = m_position + 12;
    m_partCount++;
    RiffBuffer header;
    header.BeginList(kRiff, kAviExtension);
    header.BeginList(kList, kMovieList);
    return WriteBytes(header.Data().data(), header.Size());
}

// Ends the current part: its 'ixNN' indexes close the movie list, idx1
// follows the first part's movie list, and the sizes are filled in.
bool AviWriter::FinishPart()
{
    if (!WritePartIndexes())
        return false;
    const std::uint32_t movieSize = std::uint32_t(m_position - m_movieListStart - 8);
    if (m_partCount == 1 && !WriteIndex())
        return false;
    const std::uint32_t riffSize = std::uint32_t(m_position - m_partStart - 8);
    if (m_partCount == 1) {
        m_firstRiffSize = riffSize;
        m_firstMovieSize = movieSize;
        return true; // the header is rewritten whole on Close
    }
    RiffBuffer sizes;
    sizes.U32(riffSize);
    if (!WriteAt(m_partStart + 4, sizes.Data().data(), 4))
        return false;
    RiffBuffer movie;
    movie.U32(movieSize);
    return WriteAt(m_movieListStart + 4, movie.Data().data(), 4);
}

std::uint32_t AviWriter::ChunkDuration(int stream, std::uint32_t size) const
{
    const bool pcm = m_layout.audio && stream == m_layout.AudioStreamIndex()
                  && m_layout.audio->codec == AviAudioFormat::Codec::Pcm;
    return pcm ? size / (2 * m_layout.audio->channels) : 1;
}

// One OpenDML standard index per stream with chunks in this part; offsets
// are relative to the part's movie list and point at the chunk data.
bool AviWriter::WritePartIndexes()
{
    for (int stream = 0; stream < m_layout.StreamCount(); ++stream) {
        std::vector<PartEntry>& entries = m_partEntries[stream];
        if (entries.empty())
            continue;
        RiffBuffer index;
        const std::size_t start = index.BeginChunk(PartIndexChunkId(stream));
        index.U16(2);                    // longs per entry
        index.U8(0);                     // sub type
        index.U8(kIndexOfChunks);
        index.U32(std::uint32_t(entries.size()));
        index.U32(StreamChunkId(stream));
        index.U32(std::uint32_t(m_movieListStart)); // base offset, 64-bit
        index.U32(std::uint32_t(m_movieListStart >> 32));
        index.U32(0);
        std::uint32_t duration = 0;
        for (const PartEntry& e : entries) {
            index.U32(std::uint32_t(e.dataOffset - m_movieListStart));
            index.U32(e.size | (e.keyFrame ? 0 : kNotKeyFrameBit));
            duration += ChunkDuration(stream, e.size);
        }
        index.EndChunk(start);
        m_superIndex[stream].push_back({m_position, std::uint32_t(index.Size()), duration});
        entries.clear();
        if (!WriteBytes(index.Data().data(), index.Size()))
            return false;
    }
    return true;
}

bool AviWriter::WriteIndex()
{
    RiffBuffer index;
    const std::size_t start = index.BeginChunk(kIndex);
    for (const IndexEntry& e : m_index) {
        index.U32(e.id);
        index.U32(e.flags);
        index.U32(e.offset);
        index.U32(e.size);
    }
    index.EndChunk(start);
    return WriteBytes(index.Data().data(), index.Size());
}

bool AviWriter::Close()
{
    if (m_file == nullptr)
        return Fail("writer not open");
    if (m_streams[kFrontStreamIndex].chunks == 0)
        return Fail("no front video frame written");
    if (!FinishPart())
        return false;
    const std::vector<std::uint8_t> header = BuildHeader();
    if (!WriteAt(0, header.data(), header.size()))
        return false;
    errno = 0;
    const bool flushed = std::fflush(m_file) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!flushed || !closed) {
        const bool failed = FailIo("cannot write " + m_tempPath);
        std::remove(m_tempPath.c_str());
        return failed;
    }
    errno = 0;
    if (std::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        const bool failed = FailIo("cannot rename to " + m_path);
        std::remove(m_tempPath.c_str());
        return failed;
    }
    return true;
}

std::uint32_t AviWriter::StreamChunkId(int stream) const
{
    if (stream == kFrontStreamIndex)
        return kFrontVideoChunk;
    if (m_layout.audio && stream == m_layout.AudioStreamIndex())
        return AudioChunkId(stream);
    return kRearVideoChunk;
}

// The stream's OpenDML super index: room for kSuperIndexCapacity parts, so
// that the header keeps its size; unused entries stay zero.
void AviWriter::AppendSuperIndex(RiffBuffer& out, int stream) const
{
    const std::vector<SuperIndexEntry>& entries = m_superIndex[stream];
    const std::size_t start = out.BeginChunk(kSuperIndex);
    out.U16(4); // longs per entry
    out.U8(0);
    out.U8(kIndexOfIndexes);
    out.U32(std::uint32_t(entries.size()));
    out.U32(StreamChunkId(stream));
    out.Zeros(12);
    for (const SuperIndexEntry& e : entries) {
        out.U32(std::uint32_t(e.offset));
        out.U32(std::uint32_t(e.offset >> 32));
        out.U32(e.size);
        out.U32(e.duration);
    }
    out.Zeros(kSuperIndexEntrySize * (kSuperIndexCapacity - entries.size()));
    out.EndChunk(start);
}

std::uint32_t AviWriter::StreamLength(int stream) const
{
    const bool isAudio = m_layout.audio && stream == m_layout.AudioStreamIndex();
    if (isAudio && m_layout.audio->codec == AviAudioFormat::Codec::Pcm)
        return std::uint32_t(m_streams[stream].bytes / (2 * m_layout.audio->channels));
    return m_streams[stream].chunks;
}

// Everything from the start of the file up to and including the first
// part's 'movi' list header. Its size never changes, so Close can rewrite it
// with the final counts.
std::vector<std::uint8_t> AviWriter::BuildHeader() const
{
    const std::uint32_t frames = m_streams[kFrontStreamIndex].chunks;
    const double fps = double(m_layout.fpsNumerator) / m_layout.fpsDenominator;
    std::uint64_t totalBytes = 0;
    std::uint32_t largest = 0;
    for (const StreamCounts& s : m_streams) {
        totalBytes += s.bytes;
        largest = std::max(largest, s.largestChunk);
    }
    const double seconds = frames / fps;

    RiffBuffer out;
    out.U32(kRiff);
    out.U32(m_firstRiffSize);
    out.U32(kAvi);
    const std::size_t hdrl = out.BeginList(kList, kHeaderList);
    const std::size_t avih = out.BeginChunk(kMainHeader);
    out.U32(std::uint32_t(1e6 / fps + 0.5));
    out.U32(seconds > 0 ? std::uint32_t(totalBytes / seconds) : 0);
    out.U32(0); // padding granularity
    out.U32(kAvifHasIndex | kAvifIsInterleaved);
    out.U32(frames);
    out.U32(0); // initial frames
    out.U32(std::uint32_t(m_layout.StreamCount()));
    out.U32(largest + 8);
    out.U32(std::uint32_t(m_layout.front.width));
    out.U32(std::uint32_t(m_layout.front.height));
    out.Zeros(16);
    out.EndChunk(avih);
    for (int stream = 0; stream < m_layout.StreamCount(); ++stream)
        AppendStreamList(out, stream);
    const std::size_t odml = out.BeginList(kList, kOdmlList);
    const std::size_t dmlh = out.BeginChunk(kOdmlHeader);
    out.U32(frames);
    out.Zeros(kOdmlHeaderSize - 4);
    out.EndChunk(dmlh);
    out.EndChunk(odml);
    out.EndChunk(hdrl);

    const std::size_t junkData =
        (kMovieAlignment - (out.Size() + kChunkHeaderSize) % kMovieAlignment) % kMovieAlignment;
    const std::size_t junk = out.BeginChunk(kJunk);
    out.Zeros(junkData);
    out.EndChunk(junk);
    out.U32(kList);
    out.U32(m_firstMovieSize);
    out.U32(kMovieList);
    return out.Data();
}

void AviWriter::AppendStreamList(RiffBuffer& out, int stream) const
{
    const bool isAudio = m_layout.audio && stream == m_layout.AudioStreamIndex();
    const StreamCounts& counts = m_streams[stream];
    const std::size_t strl = out.BeginList(kList, kStreamList);
    const std::size_t strh = out.BeginChunk(kStreamHeader);
    if (!isAudio) {
        const AviVideoFormat& video = stream == kFrontStreamIndex ? m_layout.front : *m_layout.rear;
        out.U32(kVideoType);
        out.U32(kH264);
        out.U32(0); // flags
        out.U32(0); // priority, language
        out.U32(0); // initial frames
        out.U32(std::uint32_t(m_layout.fpsDenominator));
        out.U32(std::uint32_t(m_layout.fpsNumerator));
        out.U32(0); // start
        out.U32(StreamLength(stream));
        out.U32(counts.largestChunk);
        out.U32(0xFFFFFFFF); // quality
        out.U32(0);          // sample size: chunks vary
        out.I16(0);
        out.I16(0);
        out.I16(std::int16_t(video.width));
        out.I16(std::int16_t(video.height));
        out.EndChunk(strh);
        const std::size_t strf = out.BeginChunk(kStreamFormat);
        out.U32(40);
        out.U32(std::uint32_t(video.width));
        out.U32(std::uint32_t(video.height));
        out.U16(1);  // planes
        out.U16(24); // bits per pixel
        out.U32(kH264);
        out.U32(std::uint32_t(video.width * video.height * 3));
        out.Zeros(16);
        out.EndChunk(strf);
        out.TextChunk(kStreamName, stream == kFrontStreamIndex ? kFrontStreamName : kRearStreamName);
        AppendSuperIndex(out, stream);
    } else {
        const AviAudioFormat& audio = *m_layout.audio;
        const bool aac = audio.codec == AviAudioFormat::Codec::Aac;
        const std::uint16_t blockAlign =
            std::uint16_t(aac ? 768 * audio.channels : 2 * audio.channels);
        const std::uint32_t byteRate =
            aac ? std::uint32_t(audio.bitRate / 8) : std::uint32_t(audio.sampleRate) * blockAlign;
        out.U32(kAudioType);
        out.U32(0); // handler
        out.U32(0);
        out.U32(0);
        out.U32(0);
        out.U32(aac ? std::uint32_t(kAacFrameSamples) : 1);
        out.U32(std::uint32_t(audio.sampleRate));
        out.U32(0);
        out.U32(StreamLength(stream));
        out.U32(counts.largestChunk);
        out.U32(0xFFFFFFFF);
        out.U32(aac ? 0 : blockAlign);
        out.Zeros(8);
        out.EndChunk(strh);
        const std::size_t strf = out.BeginChunk(kStreamFormat);
        out.U16(aac ? kWaveFormatAac : kWaveFormatPcm);
        out.U16(std::uint16_t(audio.channels));
        out.U32(std::uint32_t(audio.sampleRate));
        out.U32(byteRate);
        out.U16(blockAlign);
        out.U16(16);
        const std::vector<std::uint8_t> extra = aac ? audio.audioSpecificConfig : std::vector<std::uint8_t>{};
        out.U16(std::uint16_t(extra.size()));
        out.Bytes(extra.data(), extra.size());
        out.EndChunk(strf);
        out.TextChunk(kStreamName, kAudioStreamName);
        AppendSuperIndex(out, stream);
    }
    out.EndChunk(strl);
}

bool AviWriter::WriteBytes(const void* data, std::size_t size)
{
    errno = 0;
    if (size != 0 && std::fwrite(data, 1, size, m_file) != size)
        return FailIo("cannot write " + m_tempPath);
    m_position += size;
    return true;
}

bool AviWriter::WriteAt(std::uint64_t offset, const void* data, std::size_t size)
{
    errno = 0;
    if (std::fseek(m_file, long(offset), SEEK_SET) != 0
        || std::fwrite(data, 1, size, m_file) != size
        || std::fseek(m_file, long(m_position), SEEK_SET) != 0)
        return FailIo("cannot write " + m_tempPath);
    return true;
}

} // namespace zv::mkrec
