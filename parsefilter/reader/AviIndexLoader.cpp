// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/AviIndexLoader.h"

#include <algorithm>
#include <optional>

#include "RecordingFormat.h"

namespace zv {

namespace {

constexpr uint64_t kChunkHeaderSize = 8;
constexpr uint64_t kMaxHeaderListSize = 1 << 20;
constexpr uint32_t kRecordList = recfmt::FourCC("rec ");
// idx1 entry flags.
constexpr uint32_t kIdx1ListFlag = 0x1;
// OpenDML indexes: an index of indexes ('indx') and an index of chunks ('ixNN').
constexpr size_t kOdmlHeaderSize = 24;
constexpr size_t kSuperEntrySize = 16;
constexpr size_t kStandardEntrySize = 8;
constexpr uint8_t kIndexOfIndexes = 0x00;
constexpr uint8_t kIndexOfChunks = 0x01;
constexpr uint32_t kNotKeyFrameBit = 0x80000000u;
constexpr size_t kIdx1EntrySize = 16;
// The window of a gap's reads: a gap between indexed chunks usually holds a
// few sensor records, read in one go together with the next chunk header.
constexpr size_t kGapWindow = 4096;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint64_t Le64(const uint8_t* p) { return Le32(p) | static_cast<uint64_t>(Le32(p + 4)) << 32; }

uint64_t Padded(uint64_t end, uint32_t size) { return end + (size & 1u); }

}  // namespace

AviIndexLoader::AviIndexLoader(const ByteSource& source) : source_(source) {}

bool AviIndexLoader::Reject(const char* why) {
  if (!rejection_) rejection_ = why;
  return false;
}

bool AviIndexLoader::Load(Recording& out) {
  out = Recording{};
  out_ = &out;
  if (!MapFile()) return false;
  std::vector<std::vector<Entry>> perStream(catalog_.streamCount());
  if (haveIdx1_ && !ReadIdx1(perStream)) return false;
  if (!ReadOpenDmlIndexes(perStream)) return false;
  if (!CheckEntries(perStream) || !SpotCheck(perStream) || !ReadGaps()) return false;
  return FillTables();
}

// ---- The file's layout ---------------------------------------------------

// The RIFF parts by their sizes: a file whose sizes do not add up (a
// recorder that lost power) is left to the scan.
bool AviIndexLoader::MapFile() {
  const uint64_t fileSize = source_.Size();
  uint8_t head[12];
  if (fileSize < sizeof head || !source_.ReadAt(0, head, sizeof head)) return Reject("no RIFF header");
  if (Le32(head) != recfmt::kRiff || Le32(head + 8) != recfmt::kAvi) return Reject("not a RIFF AVI file");
  uint64_t end = kChunkHeaderSize + Le32(head + 4);
  if (end > fileSize) return Reject("the first RIFF part runs past the end of the file");
  if (!MapRiffPart(sizeof head, end, true)) return false;
  if (!haveHeaders_) return Reject("no header list");
  for (uint64_t pos = Padded(end, Le32(head + 4)); pos + sizeof head <= fileSize;) {
    if (!source_.ReadAt(pos, head, sizeof head)) return Reject("unreadable");
    if (Le32(head) != recfmt::kRiff || Le32(head + 8) != recfmt::kAviExtension) break;
    end = pos + kChunkHeaderSize + Le32(head + 4);
    if (end > fileSize) return Reject("an AVIX part runs past the end of the file");
    if (!MapRiffPart(pos + sizeof head, end, false)) return false;
    pos = Padded(end, Le32(head + 4));
  }
  if (parts_.empty()) return Reject("no movie list");
  return true;
}

bool AviIndexLoader::MapRiffPart(uint64_t begin, uint64_t end, bool first) {
  for (uint64_t pos = begin; pos + kChunkHeaderSize <= end;) {
    uint8_t raw[12] = {};
    const size_t want = pos + sizeof raw <= end ? sizeof raw : kChunkHeaderSize;
    if (!source_.ReadAt(pos, raw, want)) return Reject("unreadable");
    const uint32_t id = Le32(raw), size = Le32(raw + 4);
    const uint64_t chunkEnd = pos + kChunkHeaderSize + size;
    if (chunkEnd > end) return Reject("a chunk runs past the end of its RIFF part");
    const bool list = id == recfmt::kList && size >= 4 && want == sizeof raw;
    const uint32_t type = list ? Le32(raw + 8) : 0;
    if (list && type == recfmt::kMovieList) {
      parts_.push_back(MoviePart{pos + sizeof raw, chunkEnd});
    } else if (first && list && type == recfmt::kHeaderList && !haveHeaders_) {
      if (!ReadHeaderList(pos + sizeof raw, size - 4)) return false;
    } else if (first && id == recfmt::kIndex && !haveIdx1_) {
      haveIdx1_ = true;
      idx1Pos_ = pos + kChunkHeaderSize;
      idx1Size_ = size;
    }
    pos = Padded(chunkEnd, size);
  }
  return true;
}

bool AviIndexLoader::ReadHeaderList(uint64_t pos, uint64_t size) {
  if (size > kMaxHeaderListSize) return Reject("the header list is too large");
  std::vector<uint8_t> list(size);
  if (!source_.ReadAt(pos, list.data(), list.size())) return Reject("unreadable");
  if (!headers_.Parse(list.data(), list.size())) return Reject("no main header");
  if (catalog_.Select(headers_, *out_) != ScanError::None) return Reject("no video stream");
  haveHeaders_ = true;
  return true;
}

// ---- Reading the index ---------------------------------------------------

// idx1 lists the first part's chunks. Its offsets count from the 'movi' list
// type (most writers) or from the start of the file (some): the first entry
// tells which, by the chunk header it points at.
bool AviIndexLoader::ReadIdx1(std::vector<std::vector<Entry>>& perStream) {
  const size_t count = static_cast<size_t>(idx1Size_ / kIdx1EntrySize);
  std::vector<uint8_t> raw(count * kIdx1EntrySize);
  if (!source_.ReadAt(idx1Pos_, raw.data(), raw.size())) return Reject("unreadable");
  const uint64_t movieFourcc = parts_.front().begin - 4;
  std::optional<uint64_t> base;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = raw.data() + i * kIdx1EntrySize;
    const uint32_t id = Le32(p), flags = Le32(p + 4), offset = Le32(p + 8), size = Le32(p + 12);
    if ((flags & kIdx1ListFlag) || id == recfmt::kList || id == kRecordList) continue;
    if (!base) {
      for (uint64_t candidate : {movieFourcc, uint64_t{0}}) {
        Entry probe{candidate + offset, id, size, false};
        if (HeaderMatches(probe)) {
          base = candidate;
          break;
        }
      }
      if (!base) return Reject("idx1 does not point at its chunks");
    }
    const int stream = catalog_.StreamOf(id);
    if (stream < 0) return Reject("idx1 names a stream the file does not have");
    perStream[static_cast<size_t>(stream)].push_back(
        Entry{*base + offset, id, size, (flags & recfmt::kIndexKeyFrame) != 0});
  }
  return true;
}

// The OpenDML indexes of the parts that idx1 does not cover (all parts when
// the file has no idx1).
bool AviIndexLoader::ReadOpenDmlIndexes(std::vector<std::vector<Entry>>& perStream) {
  const uint64_t firstPartEnd = parts_.front().end;
  const auto& streams = headers_.streams();
  for (size_t n = 0; n < streams.size(); ++n) {
    const std::vector<uint8_t>& indx = streams[n].superIndex;
    if (indx.size() < kOdmlHeaderSize || indx[3] != kIndexOfIndexes) continue;
    const size_t used = std::min<size_t>(Le32(indx.data() + 4), (indx.size() - kOdmlHeaderSize) / kSuperEntrySize);
    std::vector<Entry> entries;
    for (size_t i = 0; i < used; ++i) {
      const uint64_t offset = Le64(indx.data() + kOdmlHeaderSize + i * kSuperEntrySize);
      if (offset == 0) continue;  // room kept for parts never written
      if (haveIdx1_ && offset < firstPartEnd) continue;  // a first-part index: idx1 serves
      if (!ReadStandardIndex(offset, n, entries)) return false;
    }
    for (const Entry& e : entries)
      if (!haveIdx1_ || e.header >= firstPartEnd) perStream[n].push_back(e);
  }
  return true;
}

bool AviIndexLoader::ReadStandardIndex(uint64_t offset, size_t stream, std::vector<Entry>& out) {
  uint8_t head[kChunkHeaderSize + kOdmlHeaderSize];
  if (offset > source_.Size() || source_.Size() - offset < sizeof head || !source_.ReadAt(offset, head, sizeof head))
    return Reject("an OpenDML index lies outside the file");
  const uint32_t size = Le32(head + 4);
  const uint8_t* h = head + kChunkHeaderSize;
  const uint32_t chunkId = Le32(h + 8);
  const uint64_t base = Le64(h + 12);
  const size_t count = Le32(h + 4);
  if (Le16(h) != 2 || h[3] != kIndexOfChunks || catalog_.StreamOf(chunkId) != static_cast<int>(stream))
    return Reject("an OpenDML index is not a chunk index of its stream");
  if (size < kOdmlHeaderSize || count > (size - kOdmlHeaderSize) / kStandardEntrySize ||
      offset + kChunkHeaderSize + size > source_.Size())
    return Reject("an OpenDML index is cut short");
  std::vector<uint8_t> raw(count * kStandardEntrySize);
  if (!source_.ReadAt(offset + sizeof head, raw.data(), raw.size())) return Reject("unreadable");
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = raw.data() + i * kStandardEntrySize;
    const uint64_t data = base + Le32(p);
    const uint32_t sizeAndFlag = Le32(p + 4);
    if (data < kChunkHeaderSize) return Reject("an OpenDML index points before the file");
    out.push_back(Entry{data - kChunkHeaderSize, chunkId, sizeAndFlag & ~kNotKeyFrameBit,
                        (sizeAndFlag & kNotKeyFrameBit) == 0});
  }
  return true;
}

// ---- Checking the index against the file -----------------------------------

const AviIndexLoader::MoviePart* AviIndexLoader::PartOf(const Entry& e) const {
  for (const MoviePart& part : parts_)
    if (e.header >= part.begin && e.end() <= part.end) return &part;
  return nullptr;
}

bool AviIndexLoader::CheckEntries(const std::vector<std::vector<Entry>>& perStream) {
  entries_.clear();
  for (const std::vector<Entry>& stream : perStream) {
    for (size_t i = 0; i < stream.size(); ++i) {
      const Entry& e = stream[i];
      if (!catalog_.SuitsItsStream(e.id)) return Reject("an index entry has the chunk id of another kind of stream");
      if (!PartOf(e)) return Reject("an index entry points outside the movie data or the file");
      if (i > 0 && e.header <= stream[i - 1].header) return Reject("a stream's index entries are out of order");
      entries_.push_back(e);
    }
  }
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.header < b.header; });
  for (size_t i = 1; i < entries_.size(); ++i)
    if (entries_[i].header < entries_[i - 1].end()) return Reject("index entries overlap");
  return true;
}

bool AviIndexLoader::HeaderMatches(const Entry& e) {
  uint8_t raw[kChunkHeaderSize];
  if (e.header > source_.Size() || source_.Size() - e.header < sizeof raw) return false;
  if (!Fetch(e.header, raw, sizeof raw, e.header + sizeof raw)) return false;
  return Le32(raw) == e.id && Le32(raw + 4) == e.size;
}

// The first and last chunk of every stream and a sample spread over the
// file; the chunks next to a gap are checked while the gaps are read.
bool AviIndexLoader::SpotCheck(const std::vector<std::vector<Entry>>& perStream) {
  std::vector<const Entry*> checks;
  for (const std::vector<Entry>& stream : perStream) {
    if (stream.empty()) continue;
    checks.push_back(&stream.front());
    checks.push_back(&stream.back());
  }
  const size_t step = std::max<size_t>(1, entries_.size() / kSpotChecks);
  for (size_t i = step / 2; i < entries_.size(); i += step) checks.push_back(&entries_[i]);
  for (const Entry* e : checks)
    if (!HeaderMatches(*e)) return Reject("a chunk header does not match its index entry");
  return true;
}

// ---- The sensor records between the indexed chunks -------------------------

bool AviIndexLoader::ReadGaps() {
  auto next = entries_.begin();
  for (const MoviePart& part : parts_) {
    uint64_t cursor = part.begin;
    for (; next != entries_.end() && next->header < part.end; ++next) {
      if (next->header >= cursor + kChunkHeaderSize && !WalkGap(cursor, next->header, &*next)) return false;
      cursor = std::min(Padded(next->end(), next->size), part.end);
      auto after = next + 1;
      if (after != entries_.end() && after->header == next->end()) cursor = next->end();  // no pad byte
    }
    if (cursor + kChunkHeaderSize <= part.end && !WalkGap(cursor, part.end, nullptr)) return false;
  }
  return true;
}

// Walks the unindexed chunks in [from, to) by their headers, keeping the
// sensor records; then checks the indexed chunk that follows.
bool AviIndexLoader::WalkGap(uint64_t from, uint64_t to, const Entry* next) {
  const uint64_t limit = next ? to + kChunkHeaderSize : to;
  uint64_t pos = from;
  while (pos + kChunkHeaderSize <= to) {
    uint8_t raw[12];
    if (!Fetch(pos, raw, kChunkHeaderSize, limit)) return Reject("unreadable");
    const uint32_t id = Le32(raw), size = Le32(raw + 4);
    const uint64_t end = pos + kChunkHeaderSize + size;
    if (id == recfmt::kList && size >= 4 && Fetch(pos + 8, raw + 8, 4, limit) && Le32(raw + 8) == kRecordList) {
      pos += sizeof raw;  // a group of chunks: walk into it
      continue;
    }
    if (end > to) return Reject("an unindexed chunk runs into an indexed one");
    if (catalog_.SuitsItsStream(id)) return Reject("a stream chunk is missing from the index");
    if (id == recfmt::kSensorRecordChunk && size >= recfmt::kMinSensorRecordChunkSize) {
      std::vector<uint8_t> data(std::min<size_t>(size, recfmt::kSensorTimeSize + Recording::kMaxStoredRecordBytes));
      if (!Fetch(pos + kChunkHeaderSize, data.data(), data.size(), limit)) return Reject("unreadable");
      out_->AddRecord(Le32(data.data()), pos + kChunkHeaderSize, data.data() + recfmt::kSensorTimeSize,
                      data.size() - recfmt::kSensorTimeSize);
    }
    pos = Padded(end, size);
  }
  if (next && !HeaderMatches(*next)) return Reject("a chunk header does not match its index entry");
  return true;
}

// Reads [pos, pos + count) from the gap window, refilling it from `pos` with
// at most kGapWindow bytes up to `limit`; larger reads go straight through.
bool AviIndexLoader::Fetch(uint64_t pos, void* dst, size_t count, uint64_t limit) {
  if (pos >= windowStart_ && pos + count <= windowStart_ + window_.size()) {
    std::copy_n(window_.data() + (pos - windowStart_), count, static_cast<uint8_t*>(dst));
    return true;
  }
  if (count > kGapWindow) return source_.ReadAt(pos, dst, count);
  const uint64_t fileLeft = source_.Size() > pos ? source_.Size() - pos : 0;
  uint64_t want = limit > pos ? std::min<uint64_t>(limit - pos, kGapWindow) : 0;
  want = std::min<uint64_t>(std::max<uint64_t>(want, count), fileLeft);
  if (want < count) return false;
  window_.resize(static_cast<size_t>(want));
  windowStart_ = pos;
  if (!source_.ReadAt(pos, window_.data(), window_.size())) {
    window_.clear();
    return false;
  }
  std::copy_n(window_.data(), count, static_cast<uint8_t*>(dst));
  return true;
}

// ---- The chunk tables ----------------------------------------------------

bool AviIndexLoader::FillTables() {
  for (const Entry& e : entries_) {
    const int slot = catalog_.SlotOf(e.id);
    if (slot == StreamCatalog::kNotPlayed || e.size > StreamCatalog::kMaxMediaChunkSize) continue;
    if (slot == StreamCatalog::kAudioSlot)
      out_->audio->chunks.push_back(MediaChunk{e.data(), e.size, 0, 0, true});
    else
      out_->video[static_cast<size_t>(slot)].chunks.push_back(MediaChunk{e.data(), e.size, 0, 0, e.key});
  }
  if (out_->video.front().chunks.empty()) return Reject("the index lists no front-video chunk");
  for (const VideoStream& v : out_->video) {
    if (IsIntraOnly(v.codec)) continue;
    const bool allKey = std::all_of(v.chunks.begin(), v.chunks.end(), [](const MediaChunk& c) { return c.keyFrame; });
    if (v.chunks.size() > 1 && allKey) return Reject("the index marks every frame a key frame");
  }
  StreamCatalog::AssignTimes(*out_);
  return true;
}

}  // namespace zv
