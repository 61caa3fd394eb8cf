// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/RecordingEntry.h"

namespace zv {

// The catalogue of the recordings found so far, in the order they were
// added. An entry is identified by its full path (case-sensitive); a path is
// never catalogued twice. Folders end in '/'.
class RecordingLibrary {
 public:
  // The catalogue of the running program.
  static RecordingLibrary& Instance();

  // Appends the recording `folder` + `fileName`. False when the name is not a
  // recording's, the path is already catalogued, or the name's first three
  // characters are not exactly "REC", "EVT", "PRK" or "MDI" (case counts
  // here, unlike in the recognition of the name).
  bool Add(std::string_view folder, std::string_view fileName);

  bool Contains(std::string_view fullPath) const;

  // Splits `fullPath` at its last '/' and adds it. A path without a '/' past
  // its first character adds nothing and still gives true.
  bool AddPath(std::string_view fullPath);

  // Adds every recording at any depth below `folder`, in the order the file
  // system lists them. Unreadable folders are skipped. Always true.
  bool ScanFolder(const std::string& folder);

  void Clear();
  int Count() const { return static_cast<int>(entries_.size()); }
  const RecordingEntry& At(int index) const { return entries_.at(static_cast<size_t>(index)); }
  const std::vector<RecordingEntry>& Entries() const { return entries_; }

  // Number of entries of exactly this kind code (0 for AllKinds).
  int CountOfKind(int kind) const;

 private:
  // The slot of `fullPath` in the path index: the one that holds it, or the
  // empty slot where it belongs.
  size_t SlotOf(std::string_view fullPath, size_t hash) const;
  void RebuildIndex(size_t slotCount);

  std::vector<RecordingEntry> entries_;
  // An open-addressing hash index over the entries' full paths, so that
  // Contains stays fast with many entries: each slot holds an entry's index
  // plus one, or 0 when empty. It is kept at most half full.
  std::vector<uint32_t> slots_;
  std::vector<size_t> hashes_;  // the hash of each entry's fullPath
};

}  // namespace zv
