// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zv {

// Called for every entry of a folder tree that is not a folder, with the
// folder it stands in (ending in '/') and its name.
using FolderEntryVisitor = std::function<void(const std::string& folder, std::string_view name)>;

// Walks the tree below `folder` (ending in '/') depth first, in the order the
// file system lists each folder. Links to folders are followed, but no folder
// is entered twice (folders are told apart by device and inode), so a link
// back into the tree cannot make the walk endless. Folders that cannot be
// read and links that lead nowhere are skipped silently. Only one folder is
// open at a time.
void WalkFolderTree(const std::string& folder, const FolderEntryVisitor& visit);

}  // namespace zv
