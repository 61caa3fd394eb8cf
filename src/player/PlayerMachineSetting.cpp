// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerMachineSetting.h"

#include "platform/RegistryStore.h"

namespace zv {

void WriteUsingDShowSetting(RegistryStore& store) {
  auto key = RegistryKey::Create(store, RegistryRoot::LocalMachine, "SOFTWARE/Ulvatrix");
  if (key) key->SetDword("usingDShow", 1);
}

}  // namespace zv
