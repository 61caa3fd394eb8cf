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

bool RecordingLibrary::Add(const std::string& folder, const std::string& fileName) {
  if (!IsRecordingFileName(fileName)) return false;
  const KindOfPrefix* kind = KindOfName(fileName);
  if (!kind) return false;
  std::string fullPath = folder + fileName;
  if (!paths_.insert(fullPath).second) return false;
  RecordingEntry entry;
  entry.fileName = fileName;
  entry.fullPath = std::move(fullPath);
  ParseNameDateTime(fileName, entry.date, entry.time);
  entry.kindName = kind->kindName;
  entry.kind = kind->kind;
  entries_.push_back(std::move(entry));
  return true;
}

bool RecordingLibrary::Contains(const std::string& fullPath) const {
  return paths_.count(fullPath) != 0;
}

bool RecordingLibrary::AddPath(const std::string& fullPath) {
  const size_t slash = fullPath.rfind('/');
  if (slash == std::string::npos || slash == 0) return true;
  return Add(fullPath.substr(0, slash + 1), fullPath.substr(slash + 1));
}

bool RecordingLibrary::ScanFolder(const std::string& folder) {
  WalkFolderTree(AsFolder(folder), [this](const std::string& dir, const std::string& name) {
    Add(dir, name);
  });
  return true;
}

void RecordingLibrary::Clear() {
  entries_.clear();
  paths_.clear();
}

int RecordingLibrary::CountOfKind(int kind) const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                         [kind](const RecordingEntry& e) { return e.kind == kind; }));
}

}  // namespace zv
