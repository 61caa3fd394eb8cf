// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zv {

class RegistryStore;

// Marks the machine as using the media engine: "usingDShow" = 1 under
// "SOFTWARE/Ulvatrix" of the local-machine root. Silently skipped when the
// key cannot be opened or created (an ordinary user cannot write there).
void WriteUsingDShowSetting(RegistryStore& store);

}  // namespace zv
