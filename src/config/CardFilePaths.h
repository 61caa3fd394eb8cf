// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zv {

// Where setup.cfg and time.cfg of the chosen card are read and written. Set
// when a drive is picked in the settings dialog; the paths outlive the dialog
// and keep their values between openings.
struct CardFilePaths {
  std::string setupPath;
  std::string timePath;

  // Sets both paths for the card whose root folder (ending in '/') is `root`.
  void SetCardRoot(const std::string& root);

  static CardFilePaths& Instance();
};

}  // namespace zv
