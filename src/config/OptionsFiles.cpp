// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/OptionsFiles.h"

#include <QDir>
#include <QFileInfo>

#include "config/ViewerOptions.h"
#include "platform/ProgramLayout.h"

namespace zv {

std::string OptionsFiles::ToRead() const {
  if (firstDefault.empty() || QFileInfo::exists(QString::fromStdString(path))) return path;
  return firstDefault;
}

bool OptionsFiles::Write(const ViewerOptions& options, std::string* error) const {
  if (makeFolder && !path.empty()) QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
  return WriteViewerOptions(path, options, error);
}

OptionsFiles OptionsFiles::Of(const ProgramLayout& layout, const std::string& userConfigFolder) {
  if (!layout.installed) return OptionsFiles{OptionsFilePathIn(layout.dataFolder), {}, false};
  return OptionsFiles{userConfigFolder + "/option.ini", OptionsFilePathIn(layout.dataFolder), true};
}

const OptionsFiles& OptionsFiles::Running() {
  static const OptionsFiles files = Of(ProgramLayout::Running(), UserConfigFolder());
  return files;
}

}  // namespace zv
