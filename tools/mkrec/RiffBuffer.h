// SPDX-License-Identifier: GPL-3.0-or-later
// A growable little-endian byte buffer for building RIFF headers in memory,
// with nested chunks whose sizes are filled in when they end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zv::mkrec {

class RiffBuffer
{
public:
    void U8(std::uint8_t v) { m_bytes.push_back(v); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I16(std::int16_t v) { U16(std::uint16_t(v)); }
    void Bytes(const void* data, std::size_t size);
    void Zeros(std::size_t count) { m_bytes.insert(m_bytes.end(), count, 0); }

    // Starts a chunk (`id`, size placeholder); EndChunk fills in its size and
    // adds the pad byte of an odd-sized chunk.
    std::size_t BeginChunk(std::uint32_t id);
    // Starts a LIST (or RIFF when `outer` is the RIFF id) of type `listType`.
    std::size_t BeginList(std::uint32_t outer, std::uint32_t listType);
    void EndChunk(std::size_t start);
    // Writes a whole chunk holding `size` bytes of `data`.
    void Chunk(std::uint32_t id, const void* data, std::size_t size);
    // A chunk holding a zero-terminated text.
    void TextChunk(std::uint32_t id, std::string_view text);

    void PatchU32(std::size_t offset, std::uint32_t v);
    std::size_t Size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& Data() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace zv::mkrec
