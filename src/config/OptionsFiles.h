// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zv {

struct ProgramLayout;
struct ViewerOptions;

// Where the viewer options are read from and written to.
// - Program folder layout (the build folder): config/option.ini beside the
//   program, read and written there; its config folder is never created.
// - Installed program, whose folders users cannot write: option.ini in the
//   user's configuration folder. Until the user first saves options, the
//   installed copy (<data folder>/config/option.ini) is read instead.
struct OptionsFiles {
  std::string path;          // read once it exists, and written
  std::string firstDefault;  // read while `path` does not exist; empty for none
  bool makeFolder = false;   // writing creates the folder of `path` first

  // The file to read now.
  std::string ToRead() const;
  // Writes `options` to `path` (see WriteViewerOptions). False, with the
  // reason in `error` when one is given, when it cannot be written.
  bool Write(const ViewerOptions& options, std::string* error = nullptr) const;

  static OptionsFiles Of(const ProgramLayout& layout, const std::string& userConfigFolder);
  // The running program's.
  static const OptionsFiles& Running();
};

}  // namespace zv
