// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace zv {

namespace {

// The program's folder name in the user's XDG folders, as the registry
// store's configuration folder.
constexpr const char* kProgramFolderName = "/ZorvaneViewer";

QString UserFolder(QStandardPaths::StandardLocation location, const char* fallback) {
  QString folder = QStandardPaths::writableLocation(location);
  if (folder.isEmpty()) folder = QDir::homePath() + fallback;
  return folder + kProgramFolderName;
}

}  // namespace

QString MapDataFolder() { return UserFolder(QStandardPaths::GenericDataLocation, "/.local/share"); }

QString MapCacheFolder() {
  return UserFolder(QStandardPaths::GenericCacheLocation, "/.cache") + QStringLiteral("/map");
}

}  // namespace zv
