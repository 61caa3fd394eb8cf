// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/StreamHeaderParser.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "RecordingFormat.h"

namespace zv {

namespace {

constexpr size_t kMainHeaderSize = 56;
constexpr size_t kStreamHeaderMinSize = 36;  // up to dwLength
constexpr size_t kSampleSizeOffset = 44;
constexpr size_t kMaxStreams = 100;          // stream numbers are two digits
constexpr size_t kMaxStreamNameLength = 256;

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Calls visit(id, data, size) for every whole chunk in [data, data + size);
// a LIST's data starts with its type.
void ForEachChunk(const uint8_t* data, size_t size,
                  const std::function<void(uint32_t, const uint8_t*, size_t)>& visit) {
  size_t pos = 0;
  while (size - pos >= 8) {
    uint32_t id = Le32(data + pos);
    uint32_t chunkSize = Le32(data + pos + 4);
    if (chunkSize > size - pos - 8) return;  // cut short
    visit(id, data + pos + 8, chunkSize);
    size_t next = static_cast<size_t>(chunkSize) + (chunkSize & 1u);
    if (next >= size - pos - 8) return;
    pos += 8 + next;
  }
}

}  // namespace

bool StreamHeaderParser::Parse(const uint8_t* data, size_t size) {
  ForEachChunk(data, size, [this](uint32_t id, const uint8_t* p, size_t n) {
    if (id == recfmt::kMainHeader && n >= kMainHeaderSize) {
      microSecPerFrame_ = Le32(p);
      haveMainHeader_ = true;
    } else if (id == recfmt::kList && n >= 4 && Le32(p) == recfmt::kStreamList &&
               streams_.size() < kMaxStreams) {
      ParseStreamList(p + 4, n - 4);
    }
  });
  return haveMainHeader_;
}

void StreamHeaderParser::ParseStreamList(const uint8_t* data, size_t size) {
  StreamHeader stream;
  ForEachChunk(data, size, [&stream](uint32_t id, const uint8_t* p, size_t n) {
    if (id == recfmt::kStreamHeader && n >= kStreamHeaderMinSize) {
      stream.type = Le32(p);
      stream.handler = Le32(p + 4);
      stream.scale = Le32(p + 20);
      stream.rate = Le32(p + 24);
      if (n >= kSampleSizeOffset + 4) stream.sampleSize = Le32(p + kSampleSizeOffset);
    } else if (id == recfmt::kStreamFormat) {
      stream.format.assign(p, p + n);
    } else if (id == recfmt::kSuperIndex) {
      stream.superIndex.assign(p, p + n);
    } else if (id == recfmt::kStreamName) {
      size_t len = std::min({n, kMaxStreamNameLength,
                             static_cast<size_t>(std::find(p, p + n, 0) - p)});
      stream.name.assign(reinterpret_cast<const char*>(p), len);
    }
  });
  // A stream without a header still takes its number, so that the chunk
  // ids of the streams after it keep pointing at the right stream.
  streams_.push_back(std::move(stream));
}

}  // namespace zv
