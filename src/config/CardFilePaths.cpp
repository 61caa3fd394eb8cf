// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/CardFilePaths.h"

namespace zv {

void CardFilePaths::SetCardRoot(const std::string& root) {
  setupPath = root + "setup.cfg";
  timePath = root + "time.cfg";
}

CardFilePaths& CardFilePaths::Instance() {
  static CardFilePaths paths;
  return paths;
}

}  // namespace zv
