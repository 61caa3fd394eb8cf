#include "library/FolderWalk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <set>
#include <utility>
#include <vector>

namespace zv {
namespace {

struct ListedEntry {
  std::string name;
  bool isFolder;
};

class FolderTreeWalk {
 public:
  explicit FolderTreeWalk(const FolderEntryVisitor& visit) : visit_(visit) {}

  void Walk(const std::string& folder) {
    std::vector<ListedEntry> entries;
    if (!List(folder, entries)) return;
    for (const ListedEntry& entry : entries) {
      if (entry.isFolder) {
        Walk(folder + entry.name + '/');
      } else {
        visit_(folder, entry.name);
      }
    }
  }

 private:
  // Reads the names of one folder, then closes it, so that deep trees never
  // hold more than one folder open. False when the folder cannot be read or
  // has been listed before.
  bool List(const std::string& folder, std::vector<ListedEntry>& entries) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    struct stat info;
    const bool firstVisit = fstat(dirfd(dir), &info) == 0 &&
                            visited_.insert({info.st_dev, info.st_ino}).second;
    if (firstVisit) {
      while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
          // Links are followed; one that leads nowhere is skipped.
          if (stat((folder + entry->d_name).c_str(), &info) != 0) continue;
          isFolder = S_ISDIR(info.st_mode);
        }
        entries.push_back({std::string(name), isFolder});
      }
    }
    closedir(dir);
    return firstVisit;
  }

  const FolderEntryVisitor& visit_;
  std::set<std::pair<dev_t, ino_t>> visited_;
};

}  // namespace

void WalkFolderTree(const std::string& folder, const FolderEntryVisitor& visit) {
  if (folder.empty()) return;
  FolderTreeWalk(visit).Walk(folder);
}

}  // namespace zv
