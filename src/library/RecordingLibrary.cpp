// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/RecordingLibrary.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "library/FolderWalk.h"
#include "library/PathNames.h"
#include "library/RecordingName.h"

namespace zv {
namespace {

struct KindOfPrefix {
  std::string_view prefix;
  int32_t kind;
  const char* kindName;
};

constexpr std::array<KindOfPrefix, 4> kKinds{{
    {"REC", ContinuousKind, "상시"},
    {"EVT", EventKind, "이벤트"},
    {"PRK", ParkingKind, "주차상시"},
    {"MDI", ParkingKind, "주차모션"},
}};

const KindOfPrefix* KindOfName(std::string_view fileName) {
  for (const KindOfPrefix& k : kKinds) {
    if (fileName.substr(0, 3) == k.prefix) return &k;
  }
  return nullptr;
}

}  // namespace

RecordingLibrary& RecordingLibrary::Instance() {
  static RecordingLibrary library;
  return library;
}

bool RecordingLibrary::Add(std::string_view folder, std::string_view fileName) {
  if (!IsRecordingFileName(fileName)) return false;
  const KindOfPrefix* kind = KindOfName(fileName);
  if (!kind) return false;
  std::string fullPath;
  fullPath.reserve(folder.size() + fileName.size());
  fullPath.append(folder).append(fileName);

  if ((entries_.size() + 1) * 2 > slots_.size()) RebuildIndex(std::max<size_t>(1024, slots_.size() * 2));
  const size_t hash = std::hash<std::string_view>()(fullPath);
  const size_t slot = SlotOf(fullPath, hash);
  if (slots_[slot] != 0) return false;

  RecordingEntry entry;
  entry.fileName = fileName;
  entry.fullPath = std::move(fullPath);
  ParseNameDateTime(fileName, entry.date, entry.time);
  entry.kindName = kind->kindName;
  entry.kind = kind->kind;
  entries_.push_back(std::move(entry));
  hashes_.push_back(hash);
  slots_[slot] = static_cast<uint32_t>(entries_.size());
  return true;
}

bool RecordingLibrary::Contains(std::string_view fullPath) const {
  if (slots_.empty()) return false;
  return slots_[SlotOf(fullPath, std::hash<std::string_view>()(fullPath))] != 0;
}

size_t RecordingLibrary::SlotOf(std::string_view fullPath, size_t hash) const {
  const size_t mask = slots_.size() - 1;  // the slot count is a power of two
  for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const uint32_t held = slots_[slot];
    if (held == 0 || (hashes_[held - 1] == hash && entries_[held - 1].fullPath == fullPath)) {
      return slot;
    }
  }
}

void RecordingLibrary::RebuildIndex(size_t slotCount) {
  slots_.assign(slotCount, 0);
  const size_t mask = slotCount - 1;
  for (size_t i = 0; i < entries_.size(); ++i) {
    size_t slot = hashes_[i] & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<uint32_t>(i + 1);
  }
}

bool RecordingLibrary::AddPath(std::string_view fullPath) {
  const size_t slash = fullPath.rfind('/');
  if (slash == std::string_view::npos || slash == 0) return true;
  return Add(fullPath.substr(0, slash + 1), fullPath.substr(slash + 1));
}

bool RecordingLibrary::ScanFolder(const std::string& folder) {
  WalkFolderTree(AsFolder(folder), [this](const std::string& dir, std::string_view name) {
    Add(dir, name);
  });
  return true;
}

void RecordingLibrary::Clear() {
  entries_.clear();
  hashes_.clear();
  slots_.clear();
}

int RecordingLibrary::CountOfKind(int kind) const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                         [kind](const RecordingEntry& e) { return e.kind == kind; }));
}

}  // namespace zv
