// SPDX-License-Identifier: GPL-3.0-or-later
#include "RiffBuffer.h"

#include <cstring>
#include <string>

namespace zv::mkrec {

void RiffBuffer::U16(std::uint16_t v)
{
    U8(std::uint8_t(v));
    U8(std::uint8_t(v >> 8));
}

void RiffBuffer::U32(std::uint32_t v)
{
    U16(std::uint16_t(v));
    U16(std::uint16_t(v >> 16));
}

void RiffBuffer::Bytes(const void* data, std::size_t size)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), p, p + size);
}

std::size_t RiffBuffer::BeginChunk(std::uint32_t id)
{
    const std::size_t start = m_bytes.size();
    U32(id);
    U32(0);
    return start;
}

std::size_t RiffBuffer::BeginList(std::uint32_t outer, std::uint32_t listType)
{
    const std::size_t start = BeginChunk(outer);
    U32(listType);
    return start;
}

void RiffBuffer::EndChunk(std::size_t start)
{
    const std::size_t size = m_bytes.size() - start - 8;
    PatchU32(start + 4, std::uint32_t(size));
    if (size % 2 != 0)
        U8(0);
}

void RiffBuffer::Chunk(std::uint32_t id, const void* data, std::size_t size)
{
    const std::size_t start = BeginChunk(id);
    Bytes(data, size);
    EndChunk(start);
}

void RiffBuffer::TextChunk(std::uint32_t id, std::string_view text)
{
    const std::string terminated(text);
    Chunk(id, terminated.c_str(), terminated.size() + 1);
}

void RiffBuffer::PatchU32(std::size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        m_bytes[offset + i] = std::uint8_t(v >> (8 * i));
}

} // namespace zv::mkrec
