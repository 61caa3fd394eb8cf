// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FormatPolicy.h"

namespace zv {

FormatDecision DecideCardFormat(const VolumeDescription& v) {
  if (v.fileSystemFlags != 2 && v.fileSystemFlags != 6) return {FormatVerdict::Ignored, {}};
  if (v.holdsSystemMount || v.onSystemDisk || v.efiSystemPartition) {
    return {FormatVerdict::SystemVolume, kSystemVolumeRefusal};
  }
  if (!v.removable && !v.imageFile && !v.loopDevice) {
    return {FormatVerdict::NotRemovable, kNotRemovableRefusal};
  }
  return {FormatVerdict::Allowed, {}};
}

}  // namespace zv
