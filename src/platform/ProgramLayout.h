// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zv {

// Where the running program finds its parts. There are two layouts:
// - Program folder (the build folder, or any folder that holds the program
//   with its parts, as the recorder's own software is laid out): the parse
//   filter module, map/ and config/ lie beside the executable.
// - Installed (make install, the package): the executable in <prefix>/bin,
//   map/ and config/ in <prefix>/share/zorvane-viewer, the module in
//   GStreamer's plugin folder. The program recognises this layout by the
//   data folder lying where the install put it, relative to its own folder,
//   so an installed tree still works when moved or staged as a whole.
struct ProgramLayout {
  bool installed = false;
  std::string moduleFolder;  // holds the parse filter module
  std::string dataFolder;    // holds map/ and config/

  // The layout of a program whose executable lies in `programFolder` (empty
  // gives the program folder layout with empty folders).
  static ProgramLayout Of(const std::string& programFolder);
  // The running program's, computed once.
  static const ProgramLayout& Running();
};

// The user's own configuration folder of the program,
// $XDG_CONFIG_HOME/ZorvaneViewer (~/.config/ZorvaneViewer), without a
// trailing '/'. It is not created here.
std::string UserConfigFolder();

}  // namespace zv
