// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "SkinPicture.h"

namespace mkskin {

// Every picture of the skin, by id, in id order within each kind.
class SkinCatalogue {
public:
  static std::vector<SkinPicture> PaintAll();

private:
  static void AddButtonFamilies(std::vector<SkinPicture>& out);
  static void AddPictures(std::vector<SkinPicture>& out);
};

}  // namespace mkskin
