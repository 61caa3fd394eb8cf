// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "BuildConfig.h"
#include "platform/ProgramFolder.h"

namespace zv {
namespace {

std::string FolderFrom(const std::string& programFolder, const char* relative) {
  return QDir::cleanPath(QString::fromStdString(programFolder + "/" + relative)).toStdString();
}

bool IsFolder(const std::string& path) { return QFileInfo(QString::fromStdString(path)).isDir(); }

}  // namespace

ProgramLayout ProgramLayout::Of(const std::string& programFolder) {
  const std::string dataFolder = FolderFrom(programFolder, ZV_DATA_DIR_FROM_BIN);
  if (programFolder.empty() || !IsFolder(dataFolder)) {
    return ProgramLayout{false, programFolder, programFolder};
  }
  std::string moduleFolder = FolderFrom(programFolder, ZV_PLUGIN_DIR_FROM_BIN);
  if (!IsFolder(moduleFolder)) moduleFolder = ZV_PLUGIN_DIR;
  return ProgramLayout{true, moduleFolder, dataFolder};
}

const ProgramLayout& ProgramLayout::Running() {
  static const ProgramLayout layout = Of(ProgramFolder());
  return layout;
}

std::string UserConfigFolder() {
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (config.isEmpty()) config = QDir::homePath() + "/.config";
  return (config + "/ZorvaneViewer").toStdString();
}

}  // namespace zv
