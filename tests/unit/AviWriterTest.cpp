// SPDX-License-Identifier: GPL-3.0-or-later
// The AVI writer against the recording layout: chunk order, alignment,
// counts patched into the headers, idx1 and the OpenDML indexes, AVIX parts
// under the RIFF limit, and the temporary-name handling.
#include "AviWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace zv::mkrec;
namespace fs = std::filesystem;

namespace {

// A flat view of one level of RIFF chunks, enough to check what was written.
struct Chunk
{
    std::string id;
    std::string listType; // for RIFF and LIST
    std::size_t offset;   // of the chunk header
    std::uint32_t size;
};

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32(const Bytes& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

std::string Id(const Bytes& b, std::size_t at)
{
    return std::string(reinterpret_cast<const char*>(&b[at]), 4);
}

std::vector<Chunk> Children(const Bytes& b, std::size_t begin, std::size_t end)
{
    std::vector<Chunk> chunks;
    for (std::size_t at = begin; at + 8 <= end;) {
        Chunk c{Id(b, at), "", at, U32(b, at + 4)};
        if (c.id == "RIFF" || c.id == "LIST")
            c.listType = Id(b, at + 8);
        chunks.push_back(c);
        at += 8 + c.size + (c.size % 2);
    }
    return chunks;
}

// The chunks inside a RIFF or LIST chunk.
std::vector<Chunk> Children(const Bytes& b, const Chunk& list)
{
    return Children(b, list.offset + 12, list.offset + 8 + list.size);
}

std::vector<std::string> Ids(const std::vector<Chunk>& chunks)
{
    std::vector<std::string> ids;
    for (const Chunk& c : chunks)
        ids.push_back(c.listType.empty() ? c.id : c.id + ":" + c.listType);
    return ids;
}

Bytes ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

class AviWriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("zv-aviwriter-" + std::to_string(::getpid()) + "-"
                                             + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    static AviLayout TwoChannelAac()
    {
        AviLayout layout;
        layout.front = {320, 180};
        layout.rear = AviVideoFormat{160, 90};
        AviAudioFormat audio;
        audio.audioSpecificConfig = {0x14, 0x08};
        layout.audio = audio;
        return layout;
    }

    fs::path m_dir;
};

TEST_F(AviWriterTest, WritesTheDocumentedLayoutWithPatchedCounts)
{
    const fs::path path = m_dir / "a.avi";
    const Bytes key(101, 0xAA), delta(40, 0xBB), aac(17, 0xCC);
    const std::string gps = "GPRMC,053019.000,A"; // odd record length
    {
        AviWriter writer(TwoChannelAac());
        ASSERT_TRUE(writer.Open(path.string())) << writer.Error();
        ASSERT_TRUE(writer.WriteVideo(0, key.data(), key.size(), true));
        ASSERT_TRUE(writer.WriteSensorRecord(1234, gps.data(), gps.size()));
        ASSERT_TRUE(writer.WriteVideo(1, key.data(), key.size(), true));
        ASSERT_TRUE(writer.WriteAudio(aac.data(), aac.size()));
        ASSERT_TRUE(writer.WriteVideo(0, delta.data(), delta.size(), false));
        ASSERT_TRUE(writer.WriteVideo(1, delta.data(), delta.size(), false));
        ASSERT_TRUE(writer.Close()) << writer.Error();
    }
    const Bytes b = ReadAll(path);
    const std::vector<Chunk> top = Children(b, 0, b.size());
    ASSERT_EQ(Ids(top), std::vector<std::string>{"RIFF:AVI "});
    EXPECT_EQ(top[0].size + 8, b.size());

    const std::vector<Chunk> riff = Children(b, top[0]);
    ASSERT_EQ(Ids(riff), (std::vector<std::string>{"LIST:hdrl", "JUNK", "LIST:movi", "idx1"}));
    EXPECT_EQ(riff[2].offset % 2048, 0u);

    const std::vector<Chunk> hdrl = Children(b, riff[0]);
    ASSERT_EQ(Ids(hdrl), (std::vector<std::string>{"avih", "LIST:strl", "LIST:strl", "LIST:strl", "LIST:odml"}));
    EXPECT_EQ(U32(b, hdrl[0].offset + 8 + 16), 2u); // total frames
    EXPECT_EQ(U32(b, hdrl[0].offset + 8 + 24), 3u); // streams
    const char* names[] = {"Front", "Rear", "Audio"};
    const std::uint32_t lengths[] = {2, 2, 1};
    for (int s = 0; s < 3; ++s) {
        const std::vector<Chunk> strl = Children(b, hdrl[1 + s]);
        ASSERT_EQ(Ids(strl), (std::vector<std::string>{"strh", "strf", "strn", "indx"}));
        EXPECT_EQ(U32(b, strl[0].offset + 8 + 32), lengths[s]) << "strh.dwLength of stream " << s;
        EXPECT_STREQ(reinterpret_cast<const char*>(&b[strl[2].offset + 8]), names[s]);
    }
    const std::vector<Chunk> audioStrl = Children(b, hdrl[3]);
    const std::size_t wfx = audioStrl[1].offset + 8;
    EXPECT_EQ(b[wfx] | b[wfx + 1] << 8, 0x00FF);
    EXPECT_EQ(b[wfx + 16], 2);   // cbSize
    EXPECT_EQ(b[wfx + 18], 0x14); // AudioSpecificConfig
    EXPECT_EQ(b[wfx + 19], 0x08);

    const std::vector<Chunk> movi = Children(b, riff[2]);
    ASSERT_EQ(Ids(movi), (std::vector<std::string>{"00dc", "zvsr", "01dc", "02wb", "00dc", "01dc",
                                                   "ix00", "ix01", "ix02"}));
    EXPECT_EQ(movi[1].size, 4 + gps.size());
    EXPECT_EQ(U32(b, movi[1].offset + 8), 1234u);
    EXPECT_EQ(std::memcmp(&b[movi[1].offset + 12], gps.data(), gps.size()), 0);

    // idx1: the five stream chunks, not the sensor record; offsets count
    // from the 'movi' type field and key frames are flagged.
    const Chunk& idx1 = riff[3];
    ASSERT_EQ(idx1.size, 5u * 16);
    const std::size_t moviBase = riff[2].offset + 8;
    const std::uint32_t keyFlags[] = {0x10, 0x10, 0x10, 0, 0};
    for (int i = 0; i < 5; ++i) {
        const std::size_t e = idx1.offset + 8 + i * 16;
        EXPECT_EQ(U32(b, e + 4), keyFlags[i]) << "entry " << i;
        EXPECT_EQ(Id(b, moviBase + U32(b, e + 8)), Id(b, e)) << "entry " << i;
    }
}

TEST_F(AviWriterTest, SplitsIntoAvixPartsThatTheIndexesReach)
{
    AviLayout layout;
    layout.front = {320, 180};
    layout.riffLimit = 64 * 1024;
    const fs::path path = m_dir / "split.avi";
    // Small frames, so that the indexes make up much of each part.
    const Bytes frame(21, 0x11);
    const int frames = 3000;
    {
        AviWriter writer(layout);
        ASSERT_TRUE(writer.Open(path.string()));
        for (int i = 0; i < frames; ++i) {
            ASSERT_TRUE(writer.WriteVideo(0, frame.data(), frame.size(), i % 30 == 0));
            ASSERT_TRUE(writer.WriteSensorRecord(i * 33, "M\x80\x80\x80", 4));
        }
        ASSERT_TRUE(writer.Close()) << writer.Error();
        EXPECT_GT(writer.RiffParts(), 2);
    }
    const Bytes b = ReadAll(path);
    const std::vector<Chunk> parts = Children(b, 0, b.size());
    ASSERT_GT(parts.size(), 2u);
    int videoChunks = 0, records = 0, firstPartFrames = 0;
    std::vector<std::size_t> partIndexes;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        EXPECT_EQ(parts[p].listType, p == 0 ? "AVI " : "AVIX");
        EXPECT_LE(parts[p].size + 8, layout.riffLimit);
        const std::vector<Chunk> inside = Children(b, parts[p]);
        const Chunk& movieList = *std::find_if(inside.begin(), inside.end(),
                                               [](const Chunk& c) { return c.listType == "movi"; });
        EXPECT_EQ(inside.back().id == "idx1", p == 0);
        for (const Chunk& c : Children(b, movieList)) {
            videoChunks += c.id == "00dc";
            firstPartFrames += c.id == "00dc" && p == 0;
            records += c.id == "zvsr";
            if (c.id == "ix00")
                partIndexes.push_back(c.offset);
        }
        if (p == 0) {
            EXPECT_EQ(inside.back().size, firstPartFrames * 16u);
        }
    }
    EXPECT_EQ(videoChunks, frames);
    EXPECT_EQ(records, frames);

    // The front stream's 'indx' lists each part's 'ix00' with its frame count.
    const Chunk hdrl = Children(b, parts[0])[0];
    const Chunk indx = Children(b, Children(b, hdrl)[1]).back();
    ASSERT_EQ(indx.id, "indx");
    const std::size_t d = indx.offset + 8;
    ASSERT_EQ(U32(b, d + 4), partIndexes.size());
    std::uint32_t listed = 0;
    for (std::size_t i = 0; i < partIndexes.size(); ++i) {
        EXPECT_EQ(U32(b, d + 24 + i * 16), partIndexes[i]);
        listed += U32(b, d + 24 + i * 16 + 12);
        EXPECT_EQ(U32(b, partIndexes[i] + 8 + 4), U32(b, d + 24 + i * 16 + 12)); // entries = duration
    }
    EXPECT_EQ(listed, std::uint32_t(frames));
}

TEST_F(AviWriterTest, PcmLengthCountsSamples)
{
    AviLayout layout;
    layout.front = {320, 180};
    AviAudioFormat pcm;
    pcm.codec = AviAudioFormat::Codec::Pcm;
    layout.audio = pcm;
    const fs::path path = m_dir / "pcm.avi";
    const Bytes frame(10, 1), samples(100, 0);
    AviWriter writer(layout);
    ASSERT_TRUE(writer.Open(path.string()));
    ASSERT_TRUE(writer.WriteVideo(0, frame.data(), frame.size(), true));
    ASSERT_TRUE(writer.WriteAudio(samples.data(), samples.size()));
    ASSERT_TRUE(writer.WriteAudio(samples.data(), samples.size()));
    ASSERT_TRUE(writer.Close());
    const Bytes b = ReadAll(path);
    const Chunk hdrl = Children(b, Children(b, 0, b.size())[0])[0];
    const std::vector<Chunk> strl = Children(b, Children(b, hdrl)[2]);
    const std::size_t strh = strl[0].offset + 8;
    EXPECT_EQ(Id(b, strh), "auds");
    EXPECT_EQ(U32(b, strh + 20), 1u);     // dwScale
    EXPECT_EQ(U32(b, strh + 24), 16000u); // dwRate
    EXPECT_EQ(U32(b, strh + 32), 100u);   // dwLength in samples
    EXPECT_EQ(U32(b, strh + 44), 2u);     // dwSampleSize
    EXPECT_EQ(b[strl[1].offset + 8], 0x01); // PCM format tag
}

TEST_F(AviWriterTest, FileAppearsUnderItsNameOnlyWhenClosed)
{
    const fs::path path = m_dir / "b.avi";
    const Bytes frame(10, 1);
    {
        AviWriter writer(TwoChannelAac());
        ASSERT_TRUE(writer.Open(path.string()));
        ASSERT_TRUE(writer.WriteVideo(0, frame.data(), frame.size(), true));
        EXPECT_FALSE(fs::exists(path));
        EXPECT_TRUE(fs::exists(path.string() + ".part"));
    } // destroyed without Close: an interrupted generator
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(path.string() + ".part"));

    AviWriter empty(TwoChannelAac());
    ASSERT_TRUE(empty.Open(path.string()));
    EXPECT_FALSE(empty.Close()); // a file without front video is not a recording
    EXPECT_NE(empty.Error().find("front"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(m_dir));

    AviWriter nowhere(TwoChannelAac());
    EXPECT_FALSE(nowhere.Open((m_dir / "missing" / "c.avi").string()));
    EXPECT_NE(nowhere.Error().find("missing"), std::string::npos);
    EXPECT_FALSE(nowhere.WriteVideo(0, frame.data(), frame.size(), true));
}

TEST(RecordingFormatTest, GSensorAxisBytes)
{
    using namespace zv::recfmt;
    EXPECT_EQ(EncodeGSensorAxis(-127), 0xFF);
    EXPECT_EQ(EncodeGSensorAxis(0), 0x80);
    EXPECT_EQ(EncodeGSensorAxis(128), 0x00);
    for (int v = kGSensorMin; v <= kGSensorMax; ++v)
        EXPECT_EQ(DecodeGSensorAxis(EncodeGSensorAxis(v)), v);
    EXPECT_EQ(AudioChunkId(2), FourCC("02wb"));
    EXPECT_EQ(PartIndexChunkId(1), FourCC("ix01"));
}

} // namespace
