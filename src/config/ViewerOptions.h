// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace zv {

// The viewer's own options, kept in config/option.ini beside the program
// (or, for an installed program, in the user's configuration folder: see
// OptionsFiles).
struct ViewerOptions {
  std::string saveFolder;    // where snapshots are saved
  int32_t playStep = 5;      // seconds moved by rewind and fast-forward
  bool rearMirror = false;   // show the rear channel mirrored

  // The one record of the running program, with the initial values until
  // the options file is read.
  static ViewerOptions& Instance();
};

// The options file of a program folder: `programFolder` + "/config/option.ini",
// or empty when the folder is empty.
std::string OptionsFilePathIn(const std::string& programFolder);

// The options file of the running program (OptionsFiles::Running().path).
std::string OptionsFilePath();

// Reads the keys SAVE_DIRECTORY, PLAY_VALUE and REAR_MIRROR (case-sensitive,
// in any section) into `options`. The file is read in parts of at most 255
// characters, each handled as a line of its own. False, with `options`
// unchanged, when the file cannot be opened; true otherwise.
bool ReadViewerOptions(const std::string& path, ViewerOptions& options);

// Rewrites the file as its eleven lines, each ending in CR LF. The new file
// replaces the old one in a single step, so a failed write leaves the old file
// as it was. False when the file cannot be written (for example when its
// folder is missing: the folder is never created).
// The reason of a failure goes to `error` when given.
bool WriteViewerOptions(const std::string& path, const ViewerOptions& options,
                        std::string* error = nullptr);

// The default snapshot folder, CAM_CAPTURE in the user's documents folder
// (the XDG documents folder). Creates it, with the documents folder, when
// missing. Empty when the documents folder cannot be named.
std::string DefaultCaptureFolder();

}  // namespace zv
