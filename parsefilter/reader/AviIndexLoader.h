// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "reader/ByteSource.h"
#include "reader/Recording.h"
#include "reader/StreamCatalog.h"
#include "reader/StreamHeaderParser.h"

namespace zv {

// Loads a recording from its index: the headers, idx1 for the first RIFF
// part and the OpenDML indexes (the 'indx' super index of each stream and
// the 'ixNN' chunks it lists) for the parts after it. The sensor records are
// not in the index: they lie between indexed chunks, so only the bytes of
// the gaps between consecutive indexed chunks are read, never the payloads.
//
// The index is trusted only when it agrees with the file: every entry lies
// inside a movie list and wholly inside the file, names a stream of the file
// with a chunk id of its kind, entries do not overlap and keep their
// stream's order, the chunk headers read (a spread sample, and every one
// next to a gap) carry the id and size the index gives, and no stream chunk
// hides in a gap (the index is not short). Otherwise Load says no, and the
// caller scans the file instead.
class AviIndexLoader {
 public:
  explicit AviIndexLoader(const ByteSource& source);

  // True with `out` complete (chunk tables, times, records) when the index
  // can be used; false with rejection() set otherwise (`out` is then to be
  // thrown away).
  bool Load(Recording& out);
  const char* rejection() const { return rejection_; }

  // Chunk headers checked against the index besides those next to a gap.
  static constexpr size_t kSpotChecks = 64;

 private:
  struct MoviePart {
    uint64_t begin;  // the first chunk header, after the list type 'movi'
    uint64_t end;    // the end of the list's data
  };
  struct Entry {
    uint64_t header;  // of the chunk; its data follows 8 bytes later
    uint32_t id;
    uint32_t size;
    bool key;
    uint64_t data() const { return header + 8; }
    uint64_t end() const { return header + 8 + size; }
  };

  bool Reject(const char* why);
  bool MapFile();
  bool MapRiffPart(uint64_t begin, uint64_t end, bool first);
  bool ReadHeaderList(uint64_t pos, uint64_t size);
  bool ReadIdx1(std::vector<std::vector<Entry>>& perStream);
  bool ReadOpenDmlIndexes(std::vector<std::vector<Entry>>& perStream);
  bool ReadStandardIndex(uint64_t offset, size_t stream, std::vector<Entry>& out);
  bool CheckEntries(const std::vector<std::vector<Entry>>& perStream);
  bool SpotCheck(const std::vector<std::vector<Entry>>& perStream);
  bool HeaderMatches(const Entry& e);
  bool ReadGaps();
  bool WalkGap(uint64_t from, uint64_t to, const Entry* next);
  bool Fetch(uint64_t pos, void* dst, size_t count, uint64_t limit);
  const MoviePart* PartOf(const Entry& e) const;
  bool FillTables();

  const ByteSource& source_;
  Recording* out_ = nullptr;
  StreamHeaderParser headers_;
  StreamCatalog catalog_;
  bool haveHeaders_ = false;
  std::vector<MoviePart> parts_;
  uint64_t idx1Pos_ = 0;  // of idx1's data
  uint64_t idx1Size_ = 0;
  bool haveIdx1_ = false;
  std::vector<Entry> entries_;  // every indexed chunk, in file order
  // The bytes of the gap being walked.
  std::vector<uint8_t> window_;
  uint64_t windowStart_ = 0;
  const char* rejection_ = nullptr;
};

}  // namespace zv
