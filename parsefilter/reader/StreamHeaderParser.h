// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv {

// One 'strl' list of the header list, as read from the file.
struct StreamHeader {
  uint32_t type = 0;     // strh.fccType
  uint32_t handler = 0;  // strh.fccHandler
  uint32_t scale = 0;
  uint32_t rate = 0;
  uint32_t sampleSize = 0;  // 0: every chunk is one block of scale / rate seconds
  std::vector<uint8_t> format;      // strf
  std::string name;                 // strn
  std::vector<uint8_t> superIndex;  // indx (OpenDML), empty when absent
};

// Reads the contents of LIST 'hdrl' (the bytes after its type): the main
// header's frame period and the stream headers, in stream-number order.
class StreamHeaderParser {
 public:
  // False when the list holds no complete main header.
  bool Parse(const uint8_t* data, size_t size);

  uint32_t microSecPerFrame() const { return microSecPerFrame_; }
  const std::vector<StreamHeader>& streams() const { return streams_; }

 private:
  void ParseStreamList(const uint8_t* data, size_t size);

  uint32_t microSecPerFrame_ = 0;
  bool haveMainHeader_ = false;
  std::vector<StreamHeader> streams_;
};

}  // namespace zv
