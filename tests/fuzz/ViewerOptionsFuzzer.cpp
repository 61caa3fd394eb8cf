// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary files to the viewer options reader. What it reads must
// survive a write and a second read unchanged, as the settings dialog's
// Save followed by a restart would. (An empty SAVE_DIRECTORY makes the
// default snapshot folder under $HOME: scripts/run-fuzzers.sh gives the
// fuzzer a home folder of its own.)
#include <cstdint>
#include <cstdlib>

#include "FuzzInputFile.h"
#include "config/ViewerOptions.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool HasLineFeed(const std::string& text) { return text.find('\n') != std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zv::fuzz::FuzzInputFile file("option.ini");
  const std::string& path = file.Write(data, size);
  if (path.empty()) return 0;
  zv::ViewerOptions options;
  Require(zv::ReadViewerOptions(path, options));
  Require(!HasLineFeed(options.saveFolder));
  Require(zv::WriteViewerOptions(path, options));
  zv::ViewerOptions again;
  Require(zv::ReadViewerOptions(path, again));
  Require(again.playStep == options.playStep && again.rearMirror == options.rearMirror);
  // The reader takes a line in parts of 255 characters: a longer folder
  // name cannot come back whole. No folder is written as an empty value,
  // which reads as the default folder.
  const std::string expected = options.saveFolder.empty() ? zv::DefaultCaptureFolder() : options.saveFolder;
  if (options.saveFolder.size() < 200) Require(again.saveFolder == expected);
  return 0;
}
