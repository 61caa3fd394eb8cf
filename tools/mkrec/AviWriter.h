// SPDX-License-Identifier: GPL-3.0-or-later
// Writes one recording file: the RIFF AVI layout of docs/recording-format.md.
// The caller hands over the chunks in time order; the writer splits the movie
// data into RIFF parts, ends each part's movie list with the OpenDML
// 'ixNN' indexes, writes idx1 for the first part, and patches the headers
// (counts and the 'indx' super indexes) on Close. The file is written under a
// temporary name beside the final one and renamed only when Close succeeds.
#pragma once

#include "AviLayout.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zv::mkrec {

class RiffBuffer;

class AviWriter
{
public:
    explicit AviWriter(AviLayout layout);
    ~AviWriter(); // discards an unfinished file
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    bool Open(const std::string& path);
    // One H.264 access unit of the front (channel 0) or rear (channel 1) video.
    bool WriteVideo(int channel, const void* data, std::size_t size, bool keyFrame);
    // One AAC frame, or whole PCM sample frames.
    bool WriteAudio(const void* data, std::size_t size);
    // One sensor record: its stream time and its bytes.
    bool WriteSensorRecord(std::uint32_t timeMs, const void* data, std::size_t size);
    // Finishes the file and gives it its final name.
    bool Close();
    // Stops writing and removes the temporary file.
    void Abort();

    // Parts one file can have: the room in each stream's 'indx'.
    static constexpr std::size_t kSuperIndexCapacity = 64;

    const std::string& Error() const { return m_error; }
    std::uint32_t VideoFrames(int channel) const { return m_streams[channel].chunks; }
    int RiffParts() const { return m_partCount; }

private:
    struct StreamCounts
    {
        std::uint32_t chunks = 0;
        std::uint64_t bytes = 0;
        std::uint32_t largestChunk = 0;
    };
    struct IndexEntry // idx1
    {
        std::uint32_t id, flags, offset, size;
    };
    struct PartEntry // a chunk of the current part, for its 'ixNN' index
    {
        std::uint64_t dataOffset;
        std::uint32_t size;
        bool keyFrame;
    };
    struct SuperIndexEntry // one 'ixNN' index, listed in the stream's 'indx'
    {
        std::uint64_t offset;
        std::uint32_t size;
        std::uint32_t duration;
    };

    bool WriteStreamChunk(int stream, std::uint32_t id, const void* data, std::size_t size,
                          std::uint32_t flags);
    bool WriteChunkData(std::uint32_t id, const void* data, std::size_t size);
    bool StartNextPartIfFull(std::size_t chunkBytes);
    std::uint64_t PartClosingBytes() const;
    bool FinishPart();
    bool WriteIndex();
    bool WritePartIndexes();
    void AppendSuperIndex(RiffBuffer& out, int stream) const;
    std::uint32_t ChunkDuration(int stream, std::uint32_t size) const;
    std::vector<std::uint8_t> BuildHeader() const;
    void AppendStreamList(RiffBuffer& out, int stream) const;
    std::uint32_t StreamLength(int stream) const;
    std::uint32_t StreamChunkId(int stream) const;
    bool WriteBytes(const void* data, std::size_t size);
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t size);
    bool Fail(const std::string& what);
    bool FailIo(const std::string& what); // adds the system's reason

    AviLayout m_layout;
    std::string m_path;
    std::string m_tempPath;
    std::FILE* m_file = nullptr;
    std::uint64_t m_position = 0;
    std::uint64_t m_partStart = 0;      // offset of the current part's RIFF header
    std::uint64_t m_movieListStart = 0; // offset of the current part's LIST 'movi'
    std::uint32_t m_firstRiffSize = 0;
    std::uint32_t m_firstMovieSize = 0;
    int m_partCount = 0;
    std::vector<StreamCounts> m_streams;
    std::vector<IndexEntry> m_index;
    std::vector<std::vector<PartEntry>> m_partEntries;        // per stream
    std::vector<std::vector<SuperIndexEntry>> m_superIndex;   // per stream
    std::string m_error;
};

} // namespace zv::mkrec
