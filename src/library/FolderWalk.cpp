// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/FolderWalk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <set>
#include <utility>
#include <vector>

namespace zv {
namespace {

// The entries of one folder: their names side by side in one buffer, so that
// listing a folder costs no allocation per entry.
struct FolderListing {
  struct Entry {
    size_t offset;
    size_t length;
    bool isFolder;
  };
  std::string names;
  std::vector<Entry> entries;

  void Add(std::string_view name, bool isFolder) {
    entries.push_back({names.size(), name.size(), isFolder});
    names.append(name);
  }
  std::string_view NameOf(const Entry& entry) const {
    return std::string_view(names).substr(entry.offset, entry.length);
  }
};

class FolderTreeWalk {
 public:
  explicit FolderTreeWalk(const FolderEntryVisitor& visit) : visit_(visit) {}

  void Walk(const std::string& folder) {
    FolderListing listing;
    if (!List(folder, listing)) return;
    for (const FolderListing::Entry& entry : listing.entries) {
      const std::string_view name = listing.NameOf(entry);
      if (entry.isFolder) {
        Walk(std::string(folder).append(name).append(1, '/'));
      } else {
        visit_(folder, name);
      }
    }
  }

 private:
  // Reads the names of one folder, then closes it, so that deep trees never
  // hold more than one folder open. False when the folder cannot be read or
  // has been listed before.
  bool List(const std::string& folder, FolderListing& listing) {
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
        listing.Add(name, isFolder);
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
